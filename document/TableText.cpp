#include "document/TableText.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "document/CsvWriter.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "table/HexText.h"
#include "table/NumberCodec.h"

namespace {

// "0x%02X": at least two digits, upper case.
char* WriteHexNumber(char* at, uint32_t value) {
    char digits[8];
    int count = 0;
    do {
        digits[count++] = HexText::Digit(value);
        value >>= 4;
    } while (value != 0);
    *at++ = '0';
    *at++ = 'x';
    if (count == 1) *at++ = '0';
    while (count > 0)
        *at++ = digits[--count];
    return at;
}

} // namespace

TableText::TableText(const CTableModule& module) : m_module(module) {
    for (int i = 0; i < module.m_nElements; ++i) {
        const ModuleElement& e = *module.m_elements[static_cast<size_t>(i)];
        Column column{ElementCodec::KindOf(e.style), e.offset, e.size, 0, -1};
        switch (column.kind) {
        case ElementKind::Dropbox: {
            Dropbox dropbox;
            if (e.size <= 2) dropbox.itemOfValue.assign(size_t{1} << (8 * e.size), -1);
            for (size_t item = 0; item < e.values.size(); ++item) {
                dropbox.labels.push_back(ElementCodec::DropboxItemLabel(
                        e.values[item], module.GetValueName(i, static_cast<int>(item)), e.style));
                dropbox.quotedLabels.push_back(CsvWriter::Quote(dropbox.labels.back()));
                column.maxLength = std::max(column.maxLength, dropbox.quotedLabels.back().size());
                // Later items overwrite earlier ones: the form picks the last.
                if (e.values[item] < dropbox.itemOfValue.size())
                    dropbox.itemOfValue[e.values[item]] = static_cast<int32_t>(item);
                else if (dropbox.itemOfValue.empty())
                    dropbox.itemOfLargeValue[e.values[item]] = static_cast<int32_t>(item);
            }
            column.dropbox = static_cast<int>(m_dropboxes.size());
            m_dropboxes.push_back(std::move(dropbox));
            break;
        }
        case ElementKind::HexArray:
            column.maxLength = 3 * size_t{e.size};
            break;
        case ElementKind::Text:
            column.maxLength = 2 * size_t{e.size} + 2;
            break;
        default:
            column.maxLength = 11; // "-2147483648", "4294967295", "0xFFFFFFFF"
            break;
        }
        m_columns.push_back(column);
    }
}

size_t TableText::MaxLength(int element) const {
    return m_columns[static_cast<size_t>(element)].maxLength;
}

int TableText::DropboxItem(int element, uint32_t value) const {
    const Column& column = m_columns[static_cast<size_t>(element)];
    if (column.dropbox < 0) return -1;
    const Dropbox& dropbox = m_dropboxes[static_cast<size_t>(column.dropbox)];
    if (!dropbox.itemOfValue.empty())
        return value < dropbox.itemOfValue.size() ? dropbox.itemOfValue[value] : -1;
    const auto found = dropbox.itemOfLargeValue.find(value);
    return found == dropbox.itemOfLargeValue.end() ? -1 : found->second;
}

char* TableText::WriteText(char* at, const uint8_t* bytes, uint32_t size, bool quote) const {
    char* const start = at;
    bool needsQuotes = false;
    for (uint32_t k = 0; k < size; ++k) {
        const char c = static_cast<char>(m_module.m_charOf[bytes[k]]);
        if (c == '\0') break;
        needsQuotes |= CsvWriter::NeedsQuotes(c);
        *at++ = c;
    }
    return quote && needsQuotes ? CsvWriter::QuoteInPlace(start, at) : at;
}

char* TableText::Write(char* at, int element, const uint8_t* entry, bool quote) const {
    const Column& column = m_columns[static_cast<size_t>(element)];
    const uint8_t* bytes = entry + column.offset;
    const std::span<const uint8_t> span(bytes, column.size);
    switch (column.kind) {
    case ElementKind::Dropbox: {
        const int item = DropboxItem(element, NumberCodec::DecodeUnsigned(span));
        if (item < 0) return at;
        const Dropbox& dropbox = m_dropboxes[static_cast<size_t>(column.dropbox)];
        const std::string& label = (quote ? dropbox.quotedLabels : dropbox.labels)[static_cast<size_t>(item)];
        std::memcpy(at, label.data(), label.size());
        return at + label.size();
    }
    case ElementKind::HexArray:
        return HexText::WriteBytes(at, span);
    case ElementKind::Text:
        return WriteText(at, bytes, column.size, quote);
    case ElementKind::HexNumber:
        return WriteHexNumber(at, NumberCodec::DecodeUnsigned(span));
    case ElementKind::SignedNumber:
        return std::to_chars(at, at + 11, NumberCodec::DecodeSigned(span)).ptr;
    case ElementKind::UnsignedNumber:
        return std::to_chars(at, at + 11, NumberCodec::DecodeUnsigned(span)).ptr;
    }
    return at;
}

void TableText::Append(std::string& out, int element, std::span<const uint8_t> entry) const {
    const Column& column = m_columns[static_cast<size_t>(element)];
    if (column.offset > entry.size() || column.size > entry.size() - column.offset) return;
    const size_t start = out.size();
    out.resize(start + column.maxLength);
    char* const end = Write(out.data() + start, element, entry.data(), false);
    out.resize(static_cast<size_t>(end - out.data()));
}
