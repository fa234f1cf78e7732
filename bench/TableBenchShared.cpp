#include "TableBenchShared.h"

#include <string>

#include "FormBenchShared.h"
#include "table/CTableModule.h"

namespace tablebench {

std::uint32_t EntryLength() {
    return formbench::OffsetOf(kElements);
}

std::unique_ptr<CTableModule> MakeTableModule() {
    using formbench::Kind;
    auto module = std::make_unique<CTableModule>();
    module->m_strName = "Benchmark";
    module->m_nEntryCount = kEntries;
    module->m_entryNames.reserve(kEntries, std::size_t{kEntries} * 28);
    for (int k = 0; k < kEntries; ++k)
        module->m_entryNames.AppendNamed("Creature " + std::to_string(k));
    for (int i = 0; i < kElements; ++i) {
        const formbench::Shape shape = formbench::ShapeOf(i);
        ModuleElement e;
        e.name = "Element " + std::to_string(i);
        e.offset = formbench::OffsetOf(i);
        e.size = shape.size;
        e.style = shape.kind == Kind::Signed     ? STYLE_SIGNED
                  : shape.kind == Kind::Hex      ? STYLE_HEX
                  : shape.kind == Kind::HexArray ? STYLE_HEXARRAY
                  : shape.kind == Kind::Text     ? STYLE_TEXT
                  : shape.kind == Kind::Dropbox  ? STYLE_DROPBOX
                                                 : 0;
        if (shape.kind == Kind::Dropbox)
            for (std::uint32_t v = 0; v < formbench::kDropboxValues; ++v) {
                e.values.push_back(formbench::DropboxValue(v));
                e.valueNames.push_back(formbench::DropboxName(v));
            }
        e.valueCount = static_cast<std::int32_t>(e.values.size());
        module->AddElement(std::move(e));
    }
    module->m_nEntryLength = EntryLength();
    return module;
}

std::vector<std::uint8_t> MakeImage() {
    std::vector<std::uint8_t> image(std::size_t{EntryLength()} * kEntries);
    formbench::FillRom(image.data(), image.size());
    return image;
}

} // namespace tablebench
