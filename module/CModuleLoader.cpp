#include "module/CModuleLoader.h"

#include "module/ReadModuleLine.h"
#include "module/StyleDescriptor.h"
#include "platform/files/CFile.h"
#include "platform/files/CPath.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/NumberRule.h"

CModuleLoader::CModuleLoader(CTableModule& module, CFile& file)
    : m_module(module), m_file(file), m_archive(file, CArchive::load) {}

int CModuleLoader::Read(std::string& line, bool* got) {
    bool read = ReadModuleLine(m_archive, line);
    if (got != nullptr) *got = read;
    return m_archive.Failed() ? IDS_ERR_READ : 0;
}

int CModuleLoader::Run() {
    m_module.m_strPath = m_file.GetFilePath();
    m_module.m_strDir = CPath::FolderOf(m_module.m_strPath);
    if (int err = ReadHeader()) return err;
    for (;;) {
        std::string name;
        bool got = false;
        if (int err = Read(name, &got)) return err;
        if (!got) return 0;
        if (int err = ReadElement(std::move(name))) return err;
    }
}

int CModuleLoader::ReadHeader() {
    std::string line;
    if (int err = Read(line)) return err;
    if (line != "1") return IDS_ERR_VERSION;
    if (int err = Read(m_module.m_strName)) return err;
    if (int err = Read(line)) return err;
    m_module.m_nBaseOffset = NumberRule::ToUnsigned(line);
    if (int err = ReadCounts()) return err;
    if (int err = Read(line)) return err;
    if (int err = m_module.LoadEntryNames(line)) return err;
    if (int err = Read(line)) return err;
    return m_module.LoadCharTable(line);
}

int CModuleLoader::ReadCounts() {
    std::string line;
    if (int err = Read(line)) return err;
    NumberRule::Result count = NumberRule::Parse(line, 0);
    if (count.value == 0) return IDS_ERR_ZERO_ENTRIES;
    // One label per entry is allocated up front, so the count is bounded
    // before anything is made; "-5" would otherwise read as four billion.
    if (count.negative || count.overflow || count.value > CTableModule::maxCount) return IDS_ERR_COUNT_RANGE;
    m_module.m_nEntryCount = static_cast<int32_t>(count.value);
    if (int err = Read(line)) return err;
    m_module.m_nEntryLength = NumberRule::ToUnsigned(line);
    return m_module.m_nEntryLength == 0 ? IDS_ERR_ZERO_LENGTH : 0;
}

int CModuleLoader::ReadGeometry(ModuleElement& element) {
    std::string line;
    if (int err = Read(line)) return err;
    element.offset = NumberRule::ToUnsigned(line);
    if (int err = Read(line)) return err;
    element.size = NumberRule::ToUnsigned(line);
    if (element.size == 0) return IDS_ERR_ZERO_LENGTH;
    uint64_t end = static_cast<uint64_t>(element.offset) + element.size;
    return end > m_module.m_nEntryLength ? IDS_ERR_OUT_OF_ENTRY : 0;
}

int CModuleLoader::ReadElement(std::string name) {
    ModuleElement element;
    element.name = std::move(name);
    if (int err = ReadGeometry(element)) return err;
    std::string line;
    if (int err = Read(line)) return err;
    if (line.size() < StyleDescriptor::minLength) return IDS_ERR_STYLE_SHORT;
    element.style = StyleDescriptor::Bits(line);
    if (StyleDescriptor::Contradictory(element.style)) return IDS_ERR_STYLE_INVALID;
    if (StyleDescriptor::TooWideForNumber(element.style, element.size)) return IDS_ERR_NUMERIC_SIZE;
    // The fifth line is always consumed; only a dropbox opens what it names.
    if (int err = Read(line)) return err;
    if (element.style & STYLE_DROPBOX) {
        if (int err = m_module.LoadValueList(element, line)) return err;
    }
    m_module.AddElement(std::move(element));
    return 0;
}
