#include "ui/CElementEdit.h"

#include <utility>

void CElementEdit::ShowBytes(const std::string& text, std::vector<std::uint8_t> bytes) {
    SetWindowText(text);
    // Read back rather than kept as given: the box may hold the text
    // differently (it stores one character per byte), and the comparison on
    // Apply must be against what it holds.
    m_strShown = GetWindowText();
    m_shownBytes = std::move(bytes);
    m_bShown = true;
}

const std::vector<std::uint8_t>* CElementEdit::UntouchedBytes() const {
    if (!m_bShown || GetWindowText() != m_strShown) return nullptr;
    return &m_shownBytes;
}
