#include "ui/ElementEdit.h"

#include <utility>

void ElementEdit::ShowBytes(const std::string& text, std::vector<std::uint8_t> bytes) {
    SetWindowText(text);
    // Read back rather than kept as given: the box may hold the text
    // differently (it stores one character per byte), and the comparison on
    // Apply must be against what it holds.
    m_shownText = GetWindowText();
    m_shownBytes = std::move(bytes);
    m_shown = true;
}

const std::vector<std::uint8_t>* ElementEdit::UntouchedBytes() const {
    if (!m_shown || GetWindowText() != m_shownText) return nullptr;
    return &m_shownBytes;
}
