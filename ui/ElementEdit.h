#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows/CEdit.h"

// The edit box of a text element. The control cannot show a text's bytes
// past the first NUL, and a character table may map several codes to one
// character, so reading the shown text back can give other bytes than the
// entry holds. The box therefore remembers what it was last given to show;
// while the user has not changed that text, Apply keeps the original bytes.
class ElementEdit : public CEdit {
public:
    void ShowBytes(const std::string& text, std::vector<std::uint8_t> bytes);
    // The bytes last shown, when the box still holds exactly their text.
    const std::vector<std::uint8_t>* UntouchedBytes() const;

private:
    std::string m_shownText;
    std::vector<std::uint8_t> m_shownBytes;
    bool m_shown = false;
};
