// The loading members of CTableModule live beside the readers they drive, so
// that table/ needs nothing from module/.

#include "module/CModuleLoader.h"
#include "module/CSideFile.h"
#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/NumberRule.h"

namespace {

// "0x%02X" of the entry, written by hand: a million-entry table formats a
// million labels, and snprintf dominated the load.
std::string BareLabel(size_t entry, size_t extra = 0) {
    static constexpr char digits[] = "0123456789ABCDEF";
    char text[2 * sizeof(size_t)];
    size_t n = 0;
    do {
        text[n++] = digits[entry & 0xF];
        entry >>= 4;
    } while (entry != 0 || n < 2);
    std::string label;
    label.reserve(2 + n + extra);
    label += "0x";
    while (n > 0)
        label += text[--n];
    return label;
}

std::string NamedLabel(size_t entry, const std::string& name) {
    std::string label = BareLabel(entry, 3 + name.size());
    label += " - ";
    label += name;
    return label;
}

std::vector<std::string> BareLabels(size_t from, size_t count, std::vector<std::string> labels) {
    for (size_t i = from; i < count; ++i)
        labels.push_back(BareLabel(i));
    return labels;
}

}  // namespace

int CTableModule::Load(CFile& file) {
    return CModuleLoader(*this, file).Run();
}

int CTableModule::LoadEntryNames(const std::string& fileName) {
    size_t count = m_nEntryCount > 0 ? static_cast<size_t>(m_nEntryCount) : 0;
    std::vector<std::string> labels;
    labels.reserve(count);
    if (fileName == "NULL") {
        m_entryNames = BareLabels(0, count, std::move(labels));
        return 0;
    }
    CSideFile file;
    if (!file.Open(m_strDir, fileName)) {
        m_nEntryCount = -1;
        return IDS_ERR_NAME_LIST;
    }
    std::string line;
    while (file.Next(line)) {
        if (labels.size() < count)
            labels.push_back(NamedLabel(labels.size(), line));
    }
    if (file.Failed())
        return IDS_ERR_READ;
    m_entryNames = BareLabels(labels.size(), count, std::move(labels));
    return 0;
}

int CTableModule::LoadCharTable(const std::string& fileName) {
    CSideFile file;
    // A missing table (or "NULL", or an empty line) means identity mapping.
    if (!file.Open(m_strDir, fileName))
        return 0;
    std::string line;
    while (file.Next(line)) {
        if (line.size() != 4)
            return IDS_ERR_CHAR_TABLE;
        // "-1" reads as 0xFFFFFFFF: no such code exists, so the line is as
        // malformed as one of the wrong length.
        uint32_t code = NumberRule::ToUnsigned(std::string_view(line).substr(0, 2), 16);
        if (code > 0xFF)
            return IDS_ERR_CHAR_TABLE;
        auto character = static_cast<uint8_t>(line[3]);
        m_charOf[code] = character;
        m_codeOf[character] = static_cast<uint8_t>(code);
    }
    return file.Failed() ? IDS_ERR_READ : 0;
}

int CTableModule::LoadValueList(ModuleElement& element, const std::string& fileName) {
    CSideFile file;
    if (!file.Open(m_strDir, fileName))
        return IDS_ERR_DROPBOX_OPEN;
    std::string line;
    file.Next(line);
    if (file.Failed())
        return IDS_ERR_READ;
    NumberRule::Result count = NumberRule::Parse(line, 0);
    if (count.value == 0)
        return IDS_ERR_DROPBOX_EMPTY;
    if (count.negative || count.overflow || count.value > maxCount)
        return IDS_ERR_COUNT_RANGE;
    std::vector<uint32_t> values;
    std::vector<std::string> names;
    values.reserve(count.value);
    names.reserve(count.value);
    for (uint32_t i = 0; i < count.value; ++i) {
        file.Next(line);
        if (file.Failed())
            return IDS_ERR_READ;
        size_t space = line.find(' ');
        if (space == std::string::npos || space == 0)
            return IDS_ERR_DROPBOX_FORMAT;
        values.push_back(NumberRule::ToUnsigned(std::string_view(line).substr(0, space)));
        names.push_back(line.substr(space + 1));
    }
    element.values = std::move(values);
    element.valueNames = std::move(names);
    element.valueCount = static_cast<int32_t>(count.value);
    return 0;
}
