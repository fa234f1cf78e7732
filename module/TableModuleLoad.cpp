// The loading members of CTableModule live beside the readers they drive, so
// that table/ needs nothing from module/.

#include <algorithm>
#include <cstdint>

#include "module/ModuleLoader.h"
#include "module/SideFile.h"
#include "platform/files/PageHints.h"
#include "table/CTableModule.h"
#include "table/NumberRule.h"

namespace {
// Longest name per entry the label buffer makes room for in advance.
constexpr uint64_t kNameBytesHint = 256;
// A million labels are tens of megabytes written once: their pages are made
// in bulk rather than faulted in one by one.
constexpr EntryLabels::RoomHints kLabelRoom{&PageHints::LargePages, &PageHints::Prefault};
} // namespace

LoadError CTableModule::Load(CFile& file) {
    return ModuleLoader(*this, file).Run().error;
}

LoadError CTableModule::LoadEntryNames(const std::string& fileName, SourceLine& at) {
    const size_t count = m_nEntryCount > 0 ? static_cast<size_t>(m_nEntryCount) : 0;
    const size_t bareBytes = count * EntryLabels::BareLength(count);
    // Built aside, so that a failed read leaves no labels behind.
    EntryLabels labels;
    if (fileName != "NULL") {
        SideFile file;
        if (!file.Open(m_strDir, fileName)) {
            m_nEntryCount = -1;
            return LoadError::NameList;
        }
        // Room for every name the file can hold, so that the text is written
        // once instead of being copied as the buffer grows; pages that are
        // reserved but never written cost no memory.
        const uint64_t nameBytes = std::min<uint64_t>(file.Length(), uint64_t{count} * kNameBytesHint);
        labels.reserve(count, bareBytes + 3 * count + static_cast<size_t>(nameBytes), kLabelRoom);
        std::string_view line;
        uint64_t surplus = 0;
        while (file.Next(line)) {
            if (labels.size() < count)
                labels.AppendNamed(line);
            else
                ++surplus;
        }
        if (file.Failed()) {
            at = file.At(false);
            return file.ReadError();
        }
        m_source.namesPath = file.Path();
        m_source.namesRead = labels.size() + surplus;
    } else {
        labels.reserve(count, bareBytes, kLabelRoom);
    }
    while (labels.size() < count)
        labels.AppendBare();
    m_entryNames = std::move(labels);
    return LoadError::None;
}

LoadError CTableModule::LoadCharTable(const std::string& fileName, SourceLine& at) {
    SideFile file;
    m_source.charTableText = fileName;
    // A missing table (or "NULL", or an empty line) means identity mapping.
    if (!file.Open(m_strDir, fileName)) return LoadError::None;
    m_source.charTableOpened = true;
    std::string line;
    while (file.Next(line)) {
        // "-1" reads as 0xFFFFFFFF: no such code exists, so the line is as
        // malformed as one of the wrong length.
        const uint32_t code =
                line.size() == 4 ? NumberRule::ToUnsigned(std::string_view(line).substr(0, 2), 16) : 0x100;
        if (code > 0xFF) {
            at = file.At(true);
            return LoadError::CharTable;
        }
        auto character = static_cast<uint8_t>(line[3]);
        m_charOf[code] = character;
        m_codeOf[character] = static_cast<uint8_t>(code);
    }
    if (!file.Failed()) return LoadError::None;
    at = file.At(false);
    return file.ReadError();
}

LoadError CTableModule::LoadValueList(ModuleElement& element, const std::string& fileName, SourceLine& at,
                                      ElementSource& source) {
    SideFile file;
    if (!file.Open(m_strDir, fileName)) return LoadError::DropboxOpen;
    // Every early return below fails in the list itself, on the line just
    // read or, when the list ended first, one past its end.
    bool got = false;
    const auto fail = [&at, &file, &got](LoadError error) {
        at = file.At(got);
        return error;
    };
    std::string line;
    got = file.Next(line);
    if (file.Failed()) return fail(file.ReadError());
    NumberRule::Result count = NumberRule::Parse(line, 0);
    if (count.value == 0) return fail(LoadError::DropboxEmpty);
    if (count.negative || count.overflow || count.value > maxCount) return fail(LoadError::CountRange);
    std::vector<uint32_t> values;
    std::vector<std::string> names;
    std::vector<uint64_t> lines;
    values.reserve(count.value);
    names.reserve(count.value);
    lines.reserve(count.value);
    for (uint32_t i = 0; i < count.value; ++i) {
        got = file.Next(line);
        if (file.Failed()) return fail(file.ReadError());
        size_t space = line.find(' ');
        if (space == std::string::npos || space == 0) return fail(LoadError::DropboxFormat);
        lines.push_back(file.Line());
        values.push_back(NumberRule::ToUnsigned(std::string_view(line).substr(0, space)));
        // A name is what the dropbox shows, which ends at a NUL byte; qlm
        // set matches the same text.
        names.push_back(line.substr(space + 1, line.find('\0', space + 1) - (space + 1)));
    }
    element.values = std::move(values);
    element.valueNames = std::move(names);
    element.valueCount = static_cast<int32_t>(count.value);
    source.listPath = file.Path();
    source.valueLines = std::move(lines);
    return LoadError::None;
}
