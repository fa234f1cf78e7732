#include "platform/windows/NativeCombo.h"

#include <cstring>
#include <functional>
#include <utility>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QWheelEvent>

#include "platform/win32/WinConstants.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/ComboItemModel.h"

namespace {
// On the platform the editor was written for, the wheel reaches only the
// control with the keyboard focus, and a window without it passes the wheel
// on to its parent. Qt's combo box takes the focus on the wheel and changes
// its selection under the pointer, which would silently change the value the
// next Apply writes, or the entry or module shown.
// It also tells its parent when it gains the focus (CBN_SETFOCUS).
class FocusWheelCombo : public QComboBox {
public:
    FocusWheelCombo(QWidget* parent, std::function<void()> focused)
        : QComboBox(parent), m_focused(std::move(focused)) {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void focusInEvent(QFocusEvent* e) override {
        QComboBox::focusInEvent(e);
        // Returning from its own drop-down list is no new focus.
        if (e->reason() != Qt::PopupFocusReason) m_focused();
    }
    void wheelEvent(QWheelEvent* e) override {
        if (!hasFocus()) {
            e->ignore();
            return;
        }
        QComboBox::wheelEvent(e);
    }

private:
    std::function<void()> m_focused;
};
} // namespace

NativeCombo::NativeCombo(CWnd* owner, DWORD style, DWORD exStyle, UINT id, QWidget* parent)
    : NativeWindow(owner, style, exStyle, id) {
    auto* combo = new FocusWheelCombo(parent, [this] { NotifyParent(CBN_SETFOCUS); });
    combo->setEditable(false);
    combo->setMaxVisibleItems(30);
    // The program places every combo box itself; measuring every item for
    // a size hint would walk a 100,000-entry selector on each move.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setModel(new ComboItemModel(combo));
    // activated is only emitted for the user's own choice (mouse, arrow
    // keys, type-ahead), which is exactly when Win32 sends CBN_SELCHANGE.
    QObject::connect(combo, &QComboBox::activated, combo, [this](int) { NotifyParent(CBN_SELCHANGE); });
    SetWidget(combo);
}

NativeCombo::~NativeCombo() = default;

QComboBox* NativeCombo::Combo() const {
    return static_cast<QComboBox*>(Widget());
}

ComboItemModel& NativeCombo::Items() const {
    return *static_cast<ComboItemModel*>(Combo()->model());
}

LRESULT NativeCombo::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Combo() == nullptr) return NativeWindow::Default(message, wParam, lParam);
    const int index = static_cast<int>(static_cast<LRESULT>(wParam));
    switch (message) {
    case CB_ADDSTRING:
        return Insert(-1, reinterpret_cast<const char*>(lParam));
    case CB_ADDSTRINGLIST:
        return lParam == 0 ? CB_ERR
                           : Append(*reinterpret_cast<const std::span<const std::string_view>*>(lParam));
    case CB_ADDPACKEDSTRINGS:
        return lParam == 0 ? CB_ERR : AppendPacked(*reinterpret_cast<const ComboPackedTexts*>(lParam));
    case CB_INSERTSTRING:
        return Insert(index, reinterpret_cast<const char*>(lParam));
    case CB_DELETESTRING:
        return Delete(index);
    case CB_GETCOUNT:
        return Combo()->count();
    case CB_GETCURSEL:
        return Combo()->currentIndex() < 0 ? CB_ERR : Combo()->currentIndex();
    case CB_SETCURSEL:
        return Select(index);
    case CB_RESETCONTENT:
        Items().Clear();
        Combo()->setCurrentIndex(-1);
        return CB_OKAY;
    case CB_GETLBTEXTLEN:
        return (index < 0 || index >= Combo()->count()) ? CB_ERR
                                                        : static_cast<LRESULT>(ItemText(index).size());
    case CB_GETLBTEXT: {
        if (index < 0 || index >= Combo()->count() || lParam == 0) return CB_ERR;
        // Win32 contract: the buffer holds CB_GETLBTEXTLEN + 1 bytes.
        const std::string text = ItemText(index);
        std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
        return static_cast<LRESULT>(text.size());
    }
    case CB_SETITEMDATA:
        if (index < 0 || index >= Combo()->count()) return CB_ERR;
        Items().SetItemData(index, static_cast<long long>(lParam));
        return CB_OKAY;
    case CB_GETITEMDATA:
        if (index < 0 || index >= Combo()->count()) return CB_ERR;
        return static_cast<LRESULT>(Items().ItemData(index));
    case CB_SHOWDROPDOWN:
        if (wParam != 0)
            Combo()->showPopup();
        else
            Combo()->hidePopup();
        return TRUE;
    case WM_SETFONT: {
        const LRESULT result = NativeWindow::Default(message, wParam, lParam);
        Place(Combo()->geometry());
        return result;
    }
    case CB_GETDROPPEDSTATE:
        return Combo()->view() != nullptr && Combo()->view()->isVisible() ? TRUE : FALSE;
    default:
        return NativeWindow::Default(message, wParam, lParam);
    }
}

LRESULT NativeCombo::Insert(int index, const char* text) {
    const int count = Combo()->count();
    if (index < -1 || index > count) return CB_ERR;
    const int at = index == -1 ? count : index;
    const int selected = Combo()->currentIndex();
    Items().Insert(at, text != nullptr ? text : "");
    // Qt selects the first item that arrives; Win32 selects nothing, and an
    // insertion before the selection keeps the same item selected.
    const int keep = selected < 0 ? -1 : (at <= selected ? selected + 1 : selected);
    if (Combo()->currentIndex() != keep) Combo()->setCurrentIndex(keep);
    return at;
}

LRESULT NativeCombo::Append(std::span<const std::string_view> texts) {
    const int selected = Combo()->currentIndex();
    // One insertion: the box and its list hear of the new rows once.
    Items().Append(texts);
    if (Combo()->currentIndex() != selected) Combo()->setCurrentIndex(selected);
    return Combo()->count() > 0 ? Combo()->count() - 1 : CB_ERR;
}

LRESULT NativeCombo::AppendPacked(const ComboPackedTexts& texts) {
    const int selected = Combo()->currentIndex();
    if (!Items().AppendPacked(texts.text, texts.ends)) return CB_ERR;
    if (Combo()->currentIndex() != selected) Combo()->setCurrentIndex(selected);
    return Combo()->count() > 0 ? Combo()->count() - 1 : CB_ERR;
}

LRESULT NativeCombo::Delete(int index) {
    const int count = Combo()->count();
    if (index < 0 || index >= count) return CB_ERR;
    const int selected = Combo()->currentIndex();
    Items().removeRows(index, 1);
    // Qt moves the selection to a neighbour; Win32 leaves none when the
    // selected item goes and keeps the same item otherwise.
    const int keep = selected == index ? -1 : (index < selected ? selected - 1 : selected);
    if (Combo()->currentIndex() != keep) Combo()->setCurrentIndex(keep);
    return Combo()->count();
}

LRESULT NativeCombo::Select(int index) {
    if (index < 0 || index >= Combo()->count()) {
        Combo()->setCurrentIndex(-1);
        return CB_ERR;
    }
    Combo()->setCurrentIndex(index);
    return index;
}

std::string NativeCombo::ItemText(int index) const {
    return std::string(Items().Bytes(index));
}

void NativeCombo::SetText(const std::string&) {
    // A drop-down list has no text of its own to set.
}

std::string NativeCombo::Text() const {
    if (Combo() == nullptr || Combo()->currentIndex() < 0) return {};
    return ItemText(Combo()->currentIndex());
}

void NativeCombo::Place(const QRect& rect) {
    if (Combo() == nullptr) return;
    Combo()->setGeometry(rect.x(), rect.y(), rect.width(), Combo()->sizeHint().height());
}
