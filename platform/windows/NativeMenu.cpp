#include "platform/windows/NativeMenu.h"

#include <unordered_set>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>

#include "platform/win32/WinConstants.h"
#include "platform/windows/MenuTemplate.h"
#include "platform/windows/NativeWindow.h"
#include "platform/windows/WindowText.h"

namespace {
constexpr const char* kTextProperty = "quill.menuText";
constexpr const char* kCheckedProperty = "quill.checked";
constexpr const char* kIdProperty = "quill.id";

std::unordered_set<const NativeMenu*>& LiveMenus() {
    static std::unordered_set<const NativeMenu*> menus;
    return menus;
}

void RememberText(QAction* action, const std::string& text) {
    action->setProperty(kTextProperty, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}
} // namespace

NativeMenu::NativeMenu(const MenuTemplate& tmpl, NativeWindow* owner, QWidget* parent)
    : m_owner(owner), m_bar(new QMenuBar(parent)), m_object(this) {
    LiveMenus().insert(this);
    for (const MenuItemTemplate& popup : tmpl.popups) {
        QMenu* menu = m_bar->addMenu(WindowText::ForDisplay(popup.text));
        RememberText(menu->menuAction(), popup.text);
        menu->menuAction()->setEnabled((popup.flags & (MF_GRAYED | MF_DISABLED)) == 0);
        AddItems(menu, popup.items);
    }
}

NativeMenu::~NativeMenu() {
    LiveMenus().erase(this);
    delete m_bar.data();
}

bool NativeMenu::IsLive(const NativeMenu* menu) {
    return menu != nullptr && LiveMenus().count(menu) != 0 && !menu->m_bar.isNull();
}

void NativeMenu::AddItems(QWidget* parent, const std::vector<MenuItemTemplate>& items) {
    auto* menu = static_cast<QMenu*>(parent);
    for (const MenuItemTemplate& item : items) {
        if (item.flags & MF_SEPARATOR) {
            menu->addSeparator();
            continue;
        }
        if (item.flags & MF_POPUP) {
            QMenu* sub = menu->addMenu(WindowText::ForDisplay(item.text));
            RememberText(sub->menuAction(), item.text);
            AddItems(sub, item.items);
            continue;
        }
        MakeItem(menu, nullptr, item.text, item.id, item.flags);
    }
}

QAction* NativeMenu::MakeItem(QMenu* menu, QAction* before, const std::string& text, UINT id, UINT flags) {
    // The tab puts the key text in the right-hand column; it does not
    // register a shortcut, the accelerator table does the keys.
    auto* action = new QAction(WindowText::ForDisplay(text), menu);
    menu->insertAction(before, action);
    QObject::connect(action, &QAction::triggered, action,
                     [this, action] { Choose(action->property(kIdProperty).toUInt()); });
    SetItem(action, text, id, flags);
    m_items.emplace(id, action);
    return action;
}

void NativeMenu::SetItem(QAction* action, const std::string& text, UINT id, UINT flags) {
    action->setText(WindowText::ForDisplay(text));
    RememberText(action, text);
    action->setProperty(kIdProperty, id);
    action->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
    // Only an item that carries a check mark is checkable: Qt draws an
    // empty box beside every checkable item, Win32 draws nothing.
    action->setCheckable((flags & MF_CHECKED) != 0);
    action->setChecked((flags & MF_CHECKED) != 0);
    action->setProperty(kCheckedProperty, (flags & MF_CHECKED) != 0);
}

bool NativeMenu::InsertItem(UINT before, UINT flags, UINT id, const std::string& text) {
    QAction* at = (flags & MF_BYPOSITION) ? nullptr : Find(before, MF_BYCOMMAND);
    auto* menu = at != nullptr ? qobject_cast<QMenu*>(at->parent()) : nullptr;
    if (menu == nullptr) return false;
    MakeItem(menu, at, text, id, flags);
    return true;
}

bool NativeMenu::DeleteItem(UINT id, UINT flags) {
    QAction* action = (flags & MF_BYPOSITION) ? nullptr : Find(id, MF_BYCOMMAND);
    if (action == nullptr || action->menu() != nullptr) return false;
    m_items.erase(id);
    // The item may be the one being chosen (File > Recent Roms rebuilds
    // itself from its own command): it leaves the menu now and goes once
    // its signal has returned.
    action->setProperty(kIdProperty, QVariant());
    if (auto* menu = qobject_cast<QMenu*>(action->parent())) menu->removeAction(action);
    action->deleteLater();
    // Another item with the command is now the first Win32 would find.
    for (QAction* other : m_bar->findChildren<QAction*>())
        if (other->property(kIdProperty).isValid() && other->property(kIdProperty).toUInt() == id) {
            m_items.emplace(id, other);
            break;
        }
    return true;
}

bool NativeMenu::ModifyItem(UINT id, UINT flags, UINT newId, const std::string& text) {
    QAction* action = (flags & MF_BYPOSITION) ? nullptr : Find(id, MF_BYCOMMAND);
    if (action == nullptr || action->menu() != nullptr) return false;
    m_items.erase(id);
    SetItem(action, text, newId, flags);
    m_items.emplace(newId, action);
    return true;
}

void NativeMenu::Choose(UINT id) {
    QAction* action = Find(id, MF_BYCOMMAND);
    if (action == nullptr || !action->isEnabled()) return;
    // Qt toggles a checkable item when it is chosen; in Win32 only the
    // program sets the check mark.
    action->setChecked(action->property(kCheckedProperty).toBool());
    m_owner->Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

QAction* NativeMenu::Find(UINT id, UINT flags) const {
    if (m_bar.isNull()) return nullptr;
    if (flags & MF_BYPOSITION) {
        const QList<QAction*> actions = m_bar->actions();
        return id < static_cast<UINT>(actions.size()) ? actions[static_cast<qsizetype>(id)] : nullptr;
    }
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second.data();
}

UINT NativeMenu::EnableItem(UINT id, UINT flags) {
    QAction* action = Find(id, flags);
    if (action == nullptr) return static_cast<UINT>(-1);
    const UINT previous = action->isEnabled() ? MF_ENABLED : MF_GRAYED;
    action->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
    return previous;
}

DWORD NativeMenu::CheckItem(UINT id, UINT flags) {
    QAction* action = Find(id, flags);
    if (action == nullptr || action->menu() != nullptr) return static_cast<DWORD>(-1);
    const bool was = action->property(kCheckedProperty).toBool();
    const bool now = (flags & MF_CHECKED) != 0;
    action->setProperty(kCheckedProperty, now);
    if (now) action->setCheckable(true);
    action->setChecked(now);
    return was ? MF_CHECKED : MF_UNCHECKED;
}

UINT NativeMenu::State(UINT id, UINT flags) const {
    QAction* action = Find(id, flags);
    if (action == nullptr) return static_cast<UINT>(-1);
    UINT state = 0;
    if (!action->isEnabled()) state |= MF_GRAYED;
    if (action->property(kCheckedProperty).toBool()) state |= MF_CHECKED;
    if (action->menu() != nullptr) state |= MF_POPUP;
    return state;
}

int NativeMenu::Count() const {
    return m_bar.isNull() ? -1 : static_cast<int>(m_bar->actions().size());
}

std::string NativeMenu::Text(UINT id, UINT flags) const {
    QAction* action = Find(id, flags);
    if (action == nullptr) return {};
    const QByteArray bytes = action->property(kTextProperty).toByteArray();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
