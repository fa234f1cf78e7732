#pragma once

#include <memory>

#include "platform/windows/NativeWindow.h"

class NativeMenu;
struct MenuTemplate;

// A dialog window: a QDialog whose client area (where the controls go)
// starts below the menu bar. Escape, Enter and the close box become the
// messages a Win32 dialog manager sends: WM_COMMAND IDCANCEL, WM_COMMAND
// IDOK (or the default button's id) and WM_CLOSE; becoming the active
// window or ceasing to be it, WM_ACTIVATE; local files dropped on it, once
// it accepts them, WM_DROPFILES.
class NativeDialog : public NativeWindow {
public:
    NativeDialog(CWnd* owner, DWORD style, DWORD exStyle, QWidget* parent, const MenuTemplate* menu);
    ~NativeDialog() override;

    QWidget* Client() const override;
    NativeMenu* Menu() const override { return m_menu.get(); }
    QSize NonClientExtra() const override;
    void Place(const QRect& rect) override;

    void SetClientSize(const QSize& size);
    void OnEscape();
    void OnEnter();
    void OnCloseBox();
    // WM_ACTIVATE: the dialog became the active window or stopped being it.
    void OnActivationChange(bool active);

private:
    QPointer<QWidget> m_client;
    std::unique_ptr<NativeMenu> m_menu;
};
