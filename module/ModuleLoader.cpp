#include "module/ModuleLoader.h"

#include <new>

#include "module/ReadModuleLine.h"
#include "module/StyleDescriptor.h"
#include "platform/files/CFile.h"
#include "platform/files/CPath.h"
#include "table/CTableModule.h"
#include "table/NumberRule.h"

ModuleLoader::ModuleLoader(CTableModule& module, CFile& file)
    : m_module(module), m_file(file), m_archive(file, CArchive::load) {}

SourceLine ModuleLoader::Here() const {
    return {m_module.m_strPath, m_lines + (m_ended ? 1 : 0)};
}

LoadError ModuleLoader::Read(std::string& line, bool* got) {
    const bool read = ReadModuleLine(m_archive, line, m_lines);
    if (!read) m_ended = true;
    if (got != nullptr) *got = read;
    m_at = Here();
    if (!m_archive.Failed()) return LoadError::None;
    return m_archive.LineTooLong() ? LoadError::LineTooLong : LoadError::Read;
}

LoadFailure ModuleLoader::Run() {
    m_module.m_strPath = m_file.GetFilePath();
    m_module.m_strDir = CPath::FolderOf(m_module.m_strPath);
    m_module.m_source.modulePath = m_module.m_strPath;
    m_at = Here();
    LoadError error = LoadError::None;
    // The place is what makes the error worth more than its id, so running
    // out of memory keeps the line it happened on too.
    try {
        error = ReadAll();
    } catch (const std::bad_alloc&) {
        error = LoadError::OutOfMemory;
    }
    if (error == LoadError::None) return {};
    return {error, std::move(m_at), std::move(m_element)};
}

LoadError ModuleLoader::ReadAll() {
    if (LoadError err = ReadHeader(); err != LoadError::None) return err;
    for (;;) {
        std::string name;
        bool got = false;
        if (LoadError err = Read(name, &got); err != LoadError::None) return err;
        if (!got) return LoadError::None;
        if (m_module.m_elements.size() >= CTableModule::maxElements) return LoadError::TooLarge;
        m_element = name;
        m_module.m_source.elements.push_back({});
        m_module.m_source.elements.back().nameLine = m_at.line;
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
    m_module.m_source.namesLine = m_at.line;
    if (LoadError err = m_module.LoadEntryNames(line, m_at); err != LoadError::None) return err;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    m_module.m_source.charTableLine = m_at.line;
    return m_module.LoadCharTable(line, m_at);
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
    m_module.m_source.lengthLine = m_at.line;
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
    if (LoadError err = ReadList(element, m_module.m_source.elements.back()); err != LoadError::None)
        return err;
    m_listValues += element.values.size();
    if (m_listValues > CTableModule::maxListValues) return LoadError::TooLarge;
    m_module.AddElement(std::move(element));
    return LoadError::None;
}

LoadError ModuleLoader::ReadList(ModuleElement& element, ElementSource& source) {
    // The fifth line is always consumed; only a dropbox opens what it names.
    std::string line;
    if (LoadError err = Read(line); err != LoadError::None) return err;
    source.listLine = m_at.line;
    if (element.style & STYLE_DROPBOX) return m_module.LoadValueList(element, line, m_at, source);
    source.listText = std::move(line);
    return LoadError::None;
}
