#include "FormFixture.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "platform/store/RegistryStore.h"
#include "table/CTableModule.h"

std::unique_ptr<CTableModule> MakeModule(std::uint32_t base, std::int32_t entryCount,
                                         std::uint32_t entryLength, const std::vector<ElementDef>& elements) {
    auto module = std::make_unique<CTableModule>();
    module->m_strName = "Test module";
    module->m_nBaseOffset = base;
    module->m_nEntryCount = entryCount;
    module->m_nEntryLength = entryLength;
    for (std::int32_t k = 0; k < entryCount; ++k)
        module->m_entryNames.push_back("Entry " + std::to_string(k));
    for (const ElementDef& def : elements) {
        ModuleElement e;
        e.name = def.name;
        e.offset = def.offset;
        e.size = def.size;
        e.style = def.style;
        for (const auto& [value, name] : def.values) {
            e.values.push_back(value);
            e.valueNames.push_back(name);
        }
        e.valueCount = static_cast<std::int32_t>(def.values.size());
        module->AddElement(std::move(e));
    }
    return module;
}

std::vector<ElementDef> NumberElements(int n) {
    std::vector<ElementDef> elements;
    for (int i = 0; i < n; ++i)
        elements.push_back({"Field " + std::to_string(i), static_cast<std::uint32_t>(i), 1, 0, {}});
    return elements;
}

CRect RectInParent(const CWnd& child) {
    CRect r;
    child.GetWindowRect(r);
    child.GetParent()->ScreenToClient(r);
    return r;
}

namespace {

std::filesystem::path FreshFolder(const char* prefix) {
    static std::atomic<int> counter{0};
    const auto path = std::filesystem::temp_directory_path() /
                      (std::string(prefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

} // namespace

ScopedRegistryFolder::ScopedRegistryFolder() : m_folder(FreshFolder("quill-form-reg-")) {
    RegistryStore::SetFolder(m_folder);
}

ScopedRegistryFolder::~ScopedRegistryFolder() {
    RegistryStore::SetFolder({});
    std::error_code ec;
    std::filesystem::remove_all(m_folder, ec);
}

ScratchFolder::ScratchFolder() : m_path(FreshFolder("quill-form-")) {}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path ScratchFolder::Write(const std::string& name, const std::string& content) const {
    const auto file = m_path / name;
    std::ofstream out(file, std::ios::binary);
    out << content;
    return file;
}

std::string ScratchFolder::ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
