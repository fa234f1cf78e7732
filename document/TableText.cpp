#include "document/TableText.h"

#include <charconv>

#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "table/NumberCodec.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

template <class Integer>
void AppendDecimal(std::string& out, Integer value) {
    char text[16];
    const auto [end, ignored] = std::to_chars(text, text + sizeof text, value);
    out.append(text, end);
}

// "0x%02X": at least two digits, upper case.
void AppendHexNumber(std::string& out, uint32_t value) {
    char text[8];
    int digits = 0;
    do {
        text[digits++] = kHexDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    out += "0x";
    if (digits == 1) out.push_back('0');
    while (digits > 0)
        out.push_back(text[--digits]);
}

void AppendHexArray(std::string& out, std::span<const uint8_t> bytes) {
    const size_t start = out.size();
    out.resize(start + (bytes.empty() ? 0 : 3 * bytes.size() - 1), ' ');
    char* at = out.data() + start;
    for (const uint8_t b : bytes) {
        at[0] = kHexDigits[b >> 4];
        at[1] = kHexDigits[b & 0xF];
        at += 3;
    }
}

void AppendText(std::string& out, std::span<const uint8_t> bytes, const CharTable& charOf) {
    for (const uint8_t b : bytes) {
        const uint8_t c = charOf[b];
        if (c == 0) break;
        out.push_back(static_cast<char>(c));
    }
}

} // namespace

TableText::TableText(const CTableModule& module) : m_module(module) {
    m_dropboxes.resize(module.m_elements.size());
    for (size_t i = 0; i < module.m_elements.size(); ++i) {
        const ModuleElement& e = *module.m_elements[i];
        if (ElementCodec::KindOf(e.style) != ElementKind::Dropbox) continue;
        for (size_t item = 0; item < e.values.size(); ++item)
            m_dropboxes[i].labels[e.values[item]] = ElementCodec::DropboxItemLabel(
                    e.values[item], module.GetValueName(static_cast<int>(i), static_cast<int>(item)),
                    e.style);
    }
}

void TableText::Append(std::string& out, int element, std::span<const uint8_t> entry) const {
    const ModuleElement& e = *m_module.m_elements[static_cast<size_t>(element)];
    if (e.offset > entry.size() || e.size > entry.size() - e.offset) return;
    const std::span<const uint8_t> bytes = entry.subspan(e.offset, e.size);
    switch (ElementCodec::KindOf(e.style)) {
    case ElementKind::Dropbox: {
        const auto& labels = m_dropboxes[static_cast<size_t>(element)].labels;
        if (const auto found = labels.find(NumberCodec::DecodeUnsigned(bytes)); found != labels.end())
            out += found->second;
        return;
    }
    case ElementKind::HexArray:
        return AppendHexArray(out, bytes);
    case ElementKind::Text:
        return AppendText(out, bytes, m_module.m_charOf);
    case ElementKind::HexNumber:
        return AppendHexNumber(out, NumberCodec::DecodeUnsigned(bytes));
    case ElementKind::SignedNumber:
        return AppendDecimal(out, NumberCodec::DecodeSigned(bytes));
    case ElementKind::UnsignedNumber:
        return AppendDecimal(out, NumberCodec::DecodeUnsigned(bytes));
    }
}
