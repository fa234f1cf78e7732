// libFuzzer target for the module loader. One input carries a whole module:
// the bytes up to the first NUL are the module file, the next three
// NUL-separated parts become the side files "a", "b" and "c" beside it, and
// whatever follows is the ROM image. A module that loads is then driven the
// way the editor drives it: entries selected, every element shown, read
// back from what was shown and stored into the image.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "document/EntryLayout.h"
#include "document/ModuleLint.h"
#include "module/ModuleLoader.h"
#include "platform/files/CFile.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"

namespace {

// One private folder for the whole run, removed when the process ends.
class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/quill-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        m_path = pattern;
    }
    ~ScratchFolder() {
        for (const char* name : kFiles)
            std::remove(File(name).c_str());
        rmdir(m_path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const char* name) const { return m_path + "/" + name; }

    static constexpr const char* kFiles[] = {"m.qlm", "a", "b", "c"};

private:
    std::string m_path;
};

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Splits off the next NUL-terminated part; the last part takes the rest.
std::string_view NextPart(std::string_view& rest) {
    const size_t end = rest.find('\0');
    std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

std::vector<uint8_t> ReadBack(const CTableModule& module, const ModuleElement& e, std::string_view shown) {
    switch (ElementCodec::KindOf(e.style)) {
    case ElementKind::Dropbox: {
        const int item = ElementCodec::ShowDropbox(e.data, e.values);
        if (item >= 0)
            (void)ElementCodec::DropboxItemLabel(e.values[static_cast<size_t>(item)],
                                                 e.valueNames[static_cast<size_t>(item)], e.style);
        return ElementCodec::ReadDropbox(item, e.values, e.size).value_or(e.data);
    }
    case ElementKind::HexArray:
        return ElementCodec::ReadHexArray(shown, e.size).value_or(e.data);
    case ElementKind::Text:
        return ElementCodec::ReadText(shown, e.size, module.m_codeOf);
    default:
        return ElementCodec::ReadNumber(shown, e.size);
    }
}

void Exercise(CTableModule& module, std::vector<uint8_t>& rom) {
    const auto length = static_cast<uint32_t>(rom.size());
    const int entries = module.m_nEntryCount < 3 ? module.m_nEntryCount : 3;
    for (int entry = 0; entry < entries; ++entry) {
        if (!module.SelectEntry(entry, rom.data(), length)) return;
        for (int i = 0; i < module.m_nElements; ++i) {
            const ModuleElement& e = *module.m_elements[static_cast<size_t>(i)];
            const std::vector<uint8_t> bytes =
                    ReadBack(module, e, ElementCodec::ShowInEdit(e.data, e.style, module.m_charOf));
            if (bytes.size() != e.size) std::abort();
            // Numbers and hex arrays show every bit, so reading back what was
            // shown must give the same bytes; text and dropboxes may not.
            const ElementKind kind = ElementCodec::KindOf(e.style);
            if (kind != ElementKind::Text && kind != ElementKind::Dropbox && bytes != e.data) std::abort();
            module.SetElementData(i, bytes.data());
        }
        module.StoreEntry(rom.data(), length);
    }
}

// The byte map runs from 0 to the entry length without gap or overlap, and
// every element it names covers the piece it is named for.
void CheckLayout(const CTableModule& module) {
    uint64_t at = 0;
    for (const EntryLayout::Span& span : EntryLayout::Of(module)) {
        if (span.begin != at || span.end <= span.begin) std::abort();
        for (int i : span.elements) {
            const ModuleElement& e = *module.m_elements[static_cast<size_t>(i)];
            if (span.begin < e.offset || span.end > uint64_t{e.offset} + e.size) std::abort();
        }
        at = span.end;
    }
    if (at != module.m_nEntryLength) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchFolder folder;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (const char* name : ScratchFolder::kFiles)
        WriteFile(folder.File(name), NextPart(rest));
    std::vector<uint8_t> rom(rest.begin(), rest.end());

    CFile file;
    if (!file.Open(folder.File("m.qlm"), CFile::modeRead)) return 0;
    auto module = std::make_unique<CTableModule>();
    const LoadFailure failure = ModuleLoader(*module, file).Run();
    file.Close();
    // Every failure but running out of memory happens on some line.
    if (failure.error != LoadError::None && failure.error != LoadError::OutOfMemory && failure.at.line == 0)
        std::abort();
    if (failure.error != LoadError::None) return 0;
    CheckLayout(*module);
    (void)ModuleLint::Check(*module);
    Exercise(*module, rom);
    return 0;
}
