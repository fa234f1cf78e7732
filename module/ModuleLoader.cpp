#include "module/ModuleLoader.h"

#include "module/ReadModuleLine.h"
#include "module/StyleDescriptor.h"
#include "platform/files/CFile.h"
#include "platform/files/CPath.h"
#include "table/CTableModule.h"
#include "table/NumberRule.h"

ModuleLoader::ModuleLoader(CTableModule& module, CFile& file)
    : m_module(module), m_file(file), m_archive(file, CArchive::load) {}

LoadError ModuleLoader::Read(std::string& line, bool* got) {
    bool read = ReadModuleLine(m_archive, line);
    if (got != nullptr) *got = read;
    return m_archive.Failed() ? LoadError::Read : LoadError::None;
}

LoadError ModuleLoader::Run() {
    m_module.m_strPath = m_file.GetFilePath();
    m_module.m_strDir = CPath::FolderOf(m_module.m_strPath);
    if (LoadError err = ReadHeader(); err != LoadError::None) return err;
    for (;;) {
        std::string name;
        bool got = false;
        if (LoadError err = Read(name, &got); err != LoadError::None) return err;
        if (!got) return LoadError::None;
        if (LoadError err = ReadElement(std::move(name)); err != LoadError::None) return err;
    }
}

LoadError ModuleLoader::ReadHeader() {
    std::string line;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    if (line != "1") return LoadError::Version;
    if (LoadError err = Read(m_module.m_strName); err != LoadError::None) return err;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    m_module.m_nBaseOffset = NumberRule::ToUnsigned(line);
    if (LoadError err = ReadCounts(); err != LoadError::None) return err;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    if (LoadError err = m_module.LoadEntryNames(line); err != LoadError::None) return err;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    return m_module.LoadCharTable(line);
}

LoadError ModuleLoader::ReadCounts() {
    std::string line;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    NumberRule::Result count = NumberRule::Parse(line, 0);
    if (count.value == 0) return LoadError::ZeroEntries;
    // One label per entry is allocated up front, so the count is bounded
    // before anything is made; "-5" would otherwise read as four billion.
    if (count.negative || count.overflow || count.value > CTableModule::maxCount)
        return LoadError::CountRange;
    m_module.m_nEntryCount = static_cast<int32_t>(count.value);
    if (LoadError err = Read(line); err != LoadError::None) return err;
    m_module.m_nEntryLength = NumberRule::ToUnsigned(line);
    return m_module.m_nEntryLength == 0 ? LoadError::ZeroLength : LoadError::None;
}

LoadError ModuleLoader::ReadGeometry(ModuleElement& element) {
    std::string line;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    element.offset = NumberRule::ToUnsigned(line);
    if (LoadError err = Read(line); err != LoadError::None) return err;
    element.size = NumberRule::ToUnsigned(line);
    if (element.size == 0) return LoadError::ZeroLength;
    uint64_t end = static_cast<uint64_t>(element.offset) + element.size;
    return end > m_module.m_nEntryLength ? LoadError::OutOfEntry : LoadError::None;
}

LoadError ModuleLoader::ReadElement(std::string name) {
    ModuleElement element;
    element.name = std::move(name);
    if (LoadError err = ReadGeometry(element); err != LoadError::None) return err;
    std::string line;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    if (line.size() < StyleDescriptor::minLength) return LoadError::StyleShort;
    element.style = StyleDescriptor::Bits(line);
    if (StyleDescriptor::Contradictory(element.style)) return LoadError::StyleInvalid;
    if (StyleDescriptor::TooWideForNumber(element.style, element.size)) return LoadError::NumericSize;
    // The fifth line is always consumed; only a dropbox opens what it names.
    if (LoadError err = Read(line); err != LoadError::None) return err;
    if (element.style & STYLE_DROPBOX) {
        if (LoadError err = m_module.LoadValueList(element, line); err != LoadError::None) return err;
    }
    m_module.AddElement(std::move(element));
    return LoadError::None;
}
