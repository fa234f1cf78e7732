#include "ui/model/EntryBytes.h"

#include <algorithm>
#include <span>

#include "res/StringTable.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "table/HexText.h"
#include "ui/model/EditorState.h"

namespace {

char Shown(std::uint8_t byte, const CharTable& charOf) {
    const std::uint8_t c = charOf[byte];
    // Latin-1, as the form's text boxes show it; control codes show nothing.
    return (c >= 0x20 && c < 0x7F) || c >= 0xA0 ? static_cast<char>(c) : '.';
}

std::string Hex(std::uint32_t value) {
    return HexText::Number(value);
}

// Whether the module's current entry lies in the image; the table as a
// whole must, or the entry would not have been selected.
bool EntryShown(const EditorState& state) {
    const CTableModule& module = *state.CurrentModule();
    return state.ShowsEntries() && module.m_nCurEntry >= 0 && module.m_nCurEntry < module.m_nEntryCount;
}

} // namespace

std::string EntryBytes::Row::Hex() const {
    std::string text;
    for (const Cell& cell : cells) {
        if (!text.empty()) text += ' ';
        HexText::AppendByte(text, cell.byte);
    }
    return text;
}

std::string EntryBytes::Row::Chars() const {
    std::string text;
    for (const Cell& cell : cells)
        text += cell.shown;
    return text;
}

EntryBytes EntryBytes::Of(const EditorState& state, int focused) {
    EntryBytes bytes;
    const CTableModule* module = state.CurrentModule();
    if (module == nullptr) {
        bytes.m_heading = kBytesNoModule;
        return bytes;
    }
    if (!EntryShown(state)) {
        bytes.m_heading = BytesNoEntryText(module->m_strName);
        return bytes;
    }
    const auto entry = static_cast<std::uint32_t>(module->m_nCurEntry);
    const std::uint32_t romOffset = module->m_nBaseOffset + entry * module->m_nEntryLength;
    const std::string label =
            entry < module->m_entryNames.size() ? std::string(module->m_entryNames[entry]) : Hex(entry);
    bytes.m_heading = EntryBytesHeading(module->m_strName, label, module->m_nEntryLength, Hex(romOffset));
    const std::uint8_t* data = state.document.Data() + romOffset;
    bytes.AddRows(state, data, romOffset, focused);
    bytes.AddLegend(*module, focused);
    bytes.AddNotes(*module, data);
    return bytes;
}

void EntryBytes::AddRows(const EditorState& state, const std::uint8_t* entry, std::uint32_t romOffset,
                         int focused) {
    const CTableModule& module = *state.CurrentModule();
    const std::uint32_t length = module.m_nEntryLength;
    std::vector<Cell> cells(length);
    for (std::uint32_t i = 0; i < length; ++i) {
        cells[i].byte = entry[i];
        cells[i].shown = Shown(entry[i], module.m_charOf);
        cells[i].changed = state.ByteDiffers(romOffset + i);
    }
    // Element order, so the later of two overlapping elements tints last.
    for (std::size_t e = 0; e < module.m_elements.size(); ++e) {
        const ModuleElement& element = *module.m_elements[e];
        const auto end = static_cast<std::uint32_t>(
                std::min<std::uint64_t>(std::uint64_t{element.offset} + element.size, length));
        for (std::uint32_t i = element.offset; i < end; ++i) {
            cells[i].tint = static_cast<int>(e);
            cells[i].elements.push_back(static_cast<int>(e));
            cells[i].outlined = cells[i].outlined || static_cast<int>(e) == focused;
        }
    }
    for (std::uint32_t start = 0; start < length; start += kRowLength) {
        Row row;
        row.romOffset = romOffset + start;
        row.entryOffset = start;
        const auto first = cells.begin() + start;
        row.cells.assign(first, first + std::min(kRowLength, length - start));
        m_rows.push_back(std::move(row));
    }
}

void EntryBytes::AddLegend(const CTableModule& module, int focused) {
    for (std::size_t e = 0; e < module.m_elements.size(); ++e)
        m_legend.push_back({static_cast<int>(e), module.m_elements[e]->name, static_cast<int>(e) == focused});
}

void EntryBytes::AddNotes(const CTableModule& module, const std::uint8_t* entry) {
    for (const auto& element : module.m_elements) {
        if (ElementCodec::KindOf(element->style) != ElementKind::Dropbox) continue;
        if (std::uint64_t{element->offset} + element->size > module.m_nEntryLength) continue;
        const std::span<const std::uint8_t> value(entry + element->offset, element->size);
        if (ElementCodec::ShowDropbox(value, element->values) < 0)
            m_notes.push_back(NoItemText(element->name, ElementCodec::ShowNumber(value, STYLE_HEX)));
    }
}

std::string EntryBytes::CoveringNames(const Cell& cell) const {
    std::string names;
    for (int e : cell.elements) {
        if (!names.empty()) names += ", ";
        names += m_legend[static_cast<std::size_t>(e)].name;
    }
    return names;
}
