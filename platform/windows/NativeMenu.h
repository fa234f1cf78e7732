#pragma once

#include <map>
#include <memory>

#include <QAction>
#include <QMenuBar>
#include <QPointer>

#include "platform/windows/CMenu.h"

class NativeWindow;
class QMenu;
class QWidget;
struct MenuItemTemplate;
struct MenuTemplate;

// What an HMENU points to: a window's menu bar built from a template, with
// its items found by command id. Choosing an item sends WM_COMMAND to the
// owning window; the bar is destroyed with that window.
class NativeMenu {
public:
    NativeMenu(const MenuTemplate& tmpl, NativeWindow* owner, QWidget* parent);
    ~NativeMenu();
    NativeMenu(const NativeMenu&) = delete;
    NativeMenu& operator=(const NativeMenu&) = delete;

    static bool IsLive(const NativeMenu* menu);

    QMenuBar* Bar() const { return m_bar.data(); }
    CMenu* Object() { return &m_object; }

    // The item's action by command id, or (MF_BYPOSITION) the bar's entry at
    // that position; null when there is none.
    QAction* Find(UINT id, UINT flags) const;
    UINT EnableItem(UINT id, UINT flags);
    DWORD CheckItem(UINT id, UINT flags);
    UINT State(UINT id, UINT flags) const;
    int Count() const;
    std::string Text(UINT id, UINT flags) const;
    // CMenu::InsertMenu, DeleteMenu and ModifyMenu, by command only.
    bool InsertItem(UINT before, UINT flags, UINT id, const std::string& text);
    bool DeleteItem(UINT id, UINT flags);
    bool ModifyItem(UINT id, UINT flags, UINT newId, const std::string& text);

private:
    void AddItems(QWidget* menu, const std::vector<MenuItemTemplate>& items);
    // A plain item (MF_GRAYED, MF_CHECKED) in the menu, before `before`
    // (null: at the end).
    QAction* MakeItem(QMenu* menu, QAction* before, const std::string& text, UINT id, UINT flags);
    void SetItem(QAction* action, const std::string& text, UINT id, UINT flags);
    void Choose(UINT id);

    NativeWindow* m_owner;
    QPointer<QMenuBar> m_bar;
    CMenu m_object;
    // Command id to action; a command that appears twice keeps the first
    // item, as Win32's search by command finds the first.
    std::map<UINT, QPointer<QAction>> m_items;
};
