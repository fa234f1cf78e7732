#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/windows/NativeWindow.h"

class ComboItemModel;
struct ComboPackedTexts;
class QComboBox;

// A "COMBOBOX" window with CBS_DROPDOWNLIST behaviour over a QComboBox: Qt
// selects an item by itself when items arrive and moves the selection when
// items go; this class puts the selection back where Win32 leaves it.
class NativeCombo : public NativeWindow {
public:
    NativeCombo(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent);
    ~NativeCombo() override;

    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) override;
    void SetText(const std::string& text) override;
    std::string Text() const override;
    // A closed drop-down list is as tall as its selection field, whatever
    // height it is given (Win32 takes that height for the list).
    void Place(const QRect& rect) override;

private:
    QComboBox* Combo() const;
    ComboItemModel& Items() const;
    LRESULT Insert(int index, const char* text);
    LRESULT Append(std::span<const std::string_view> texts);
    LRESULT AppendPacked(const ComboPackedTexts& texts);
    LRESULT Delete(int index);
    LRESULT Select(int index);
    std::string ItemText(int index) const;
};
