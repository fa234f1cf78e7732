#include "ui/TableWindow.h"

#include <algorithm>
#include <string>

#include "res/StringTable.h"
#include "res/resource.h"
#include "res/ui/EditorResources.h"
#include "table/CTableModule.h"
#include "ui/EditorState.h"
#include "ui/EntryTable.h"

namespace {

constexpr UINT kFilterId = 1001;
constexpr UINT kTableId = 1002;
constexpr int kMargin = 6;
constexpr int kFilterHeight = 24;
constexpr int kLabelWidth = 40;
constexpr RECT kFirstPlace{80, 80, 80 + 720, 80 + 480};

bool IsUndoOrRedo(UINT id) {
    return id == ID_EDIT_UNDO || id == ID_EDIT_REDO;
}

} // namespace

TableWindow::TableWindow(EditorState& state, EditorView& view)
    : m_state(state), m_editor(view.Window()), m_entries(std::make_unique<EntryTable>(state, view, m_table)) {
    view.AddObserver([this](EditorView::FormChange change) { OnFormChange(change); });
    // Cells are read from the image when painted: a change only repaints.
    state.document.AddListener([this](uint32_t, uint32_t) {
        if (Following()) m_table.Refresh();
    });
}

TableWindow::~TableWindow() {
    m_table.SetProvider(nullptr);
}

TableProvider& TableWindow::Provider() {
    return *m_entries;
}

bool TableWindow::Following() {
    return ::IsWindow(m_hWnd) && IsWindowVisible();
}

void TableWindow::Create() {
    CFrameWnd::Create(kAppTitle, kFirstPlace);
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    m_filterLabel.Create("Filter:", kChild, RECT{0, 0, 0, 0}, this);
    m_filter.Create(kChild | WS_TABSTOP | ES_AUTOHSCROLL | WS_BORDER, RECT{0, 0, 0, 0}, this, kFilterId);
    m_table.Create(kChild | WS_TABSTOP, RECT{0, 0, 0, 0}, this, kTableId);
    // A table edit is undone where it was made, with the editor's own keys.
    for (const ACCEL& key : EditorResources::EditorAccelerators())
        if (IsUndoOrRedo(key.cmd)) AddCommandKey(key);
    // Rows of an earlier window would be laid out only to be dropped by
    // the Rebuild that follows: a million of them cost as much as the view.
    m_entries->Detach();
    m_table.SetProvider(m_entries.get());
    RECT client;
    GetClientRect(&client);
    OnSize(SIZE_RESTORED, client.right, client.bottom);
}

void TableWindow::Open() {
    if (!::IsWindow(m_hWnd)) Create();
    ShowTitle();
    m_entries->Rebuild(m_filter.GetWindowText());
    Activate();
    m_table.SetFocus();
}

void TableWindow::ShowTitle() {
    const CTableModule* module = m_state.CurrentModule();
    SetWindowText(module != nullptr ? module->m_strName + " - " + kAppTitle : std::string(kAppTitle));
}

void TableWindow::OnSize(UINT, int cx, int cy) {
    const int filterTop = kMargin;
    m_filterLabel.MoveWindow(kMargin, filterTop + 4, kLabelWidth, kFilterHeight - 4);
    m_filter.MoveWindow(kMargin + kLabelWidth, filterTop, std::max(0, cx - 2 * kMargin - kLabelWidth),
                        kFilterHeight);
    const int tableTop = filterTop + kFilterHeight + kMargin;
    m_table.MoveWindow(0, tableTop, cx, std::max(0, cy - tableTop));
}

BOOL TableWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kFilterId && HIWORD(wParam) == EN_CHANGE && lParam != 0) {
        m_entries->SetFilter(m_filter.GetWindowText());
        return TRUE;
    }
    if (IsUndoOrRedo(LOWORD(wParam)) && HIWORD(wParam) == 1 && lParam == 0) {
        m_editor.SendMessage(WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
        return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

void TableWindow::OnClose() {
    ShowWindow(SW_HIDE);
}

void TableWindow::OnFormChange(EditorView::FormChange change) {
    // Even hidden, the window lets go of a module that may be deleted next.
    if (change == EditorView::FormChange::Destroyed) {
        m_entries->Detach();
        SetWindowText(kAppTitle);
        return;
    }
    if (!Following()) return;
    switch (change) {
    case EditorView::FormChange::Built:
    case EditorView::FormChange::Cleared:
        ShowTitle();
        m_entries->Rebuild(m_filter.GetWindowText());
        break;
    case EditorView::FormChange::EntryShown:
        // An image that the module now fits (a ROM opened) brings the rows;
        // another image of the same size brings other bytes.
        if (m_entries->IsStale()) {
            m_entries->Rebuild(m_filter.GetWindowText());
        } else {
            m_entries->FollowFormEntry();
            m_table.Refresh();
        }
        break;
    case EditorView::FormChange::Destroyed:
        break;
    }
}
