#include "ui/EditorView.h"

#include "platform/windows/CComboBox.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CStatic.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "ui/CScrollPanel.h"
#include "ui/model/EditorState.h"

namespace {

// Where the view puts what it creates, in pixels of the dialog's client
// area (the module selector comes from the template in dialog units).
constexpr RECT kPanelRect{12, 40, 481, 470};
// Two pixels high until a form gives it its real height.
constexpr RECT kEntryComboRect{10, 10, 443, 12};
constexpr DWORD kEntryComboStyle =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_HASSTRINGS | CBS_DROPDOWNLIST;

} // namespace

EditorView::EditorView(CWnd& window, EditorState& state)
    : m_window(window), m_state(state), m_font(std::make_unique<CFont>()),
      m_following(state.Subscribe([this](const EditorChange& change) { OnChange(change); })) {
    m_font->CreatePointFont(100, "Times New Roman");
}

EditorView::~EditorView() {
    m_following.Cancel();
    // The rows live in the panel, so they go before it.
    ReleaseRows();
    m_panel.reset();
    m_entryCombo.reset();
    m_font.reset();
}

void EditorView::Create() {
    m_panel = std::make_unique<CScrollPanel>();
    m_panel->Create(kPanelRect, &m_window, IDC_PANEL);
    // Nothing to scroll until a form is built.
    m_panel->EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
    m_entryCombo = std::make_unique<CComboBox>();
    m_entryCombo->Create(kEntryComboStyle, kEntryComboRect, m_panel.get(), IDC_ENTRY_COMBO);
    m_entryCombo->EnableWindow(FALSE);
    m_entryCombo->SetFont(m_font.get(), TRUE);
    m_panel->SetFocusListener([this](UINT id) { FocusMoved(id); });
}

CComboBox* EditorView::ModuleSelector() const {
    return dynamic_cast<CComboBox*>(m_window.GetDlgItem(IDC_MODULE_COMBO));
}

void EditorView::OnChange(const EditorChange& change) {
    switch (change.kind) {
    case EditorChange::Kind::Modules:
        RefillModuleSelector();
        break;
    case EditorChange::Kind::Module:
        RebuildForm();
        break;
    case EditorChange::Kind::Entry:
        ShowEntry();
        MarkChangedRows();
        break;
    case EditorChange::Kind::Bytes:
    case EditorChange::Kind::Original:
        MarkChangedRows();
        break;
    case EditorChange::Kind::Closed:
        ClearValues();
        break;
    default:
        break;
    }
}

void EditorView::RebuildForm() {
    if (CComboBox* selector = ModuleSelector()) selector->SetCurSel(m_state.CurrentModuleIndex());
    if (!Created()) {
        // A dialog that never opened has no panel; its rows are only objects.
        ReleaseRows();
        return;
    }
    Form().Destroy(!m_valueCtrls.empty() || m_entryCombo->GetCount() > 0);
    // The rows that had the focus are gone with the module they described.
    if (m_focusedElement != -1) {
        m_focusedElement = -1;
        m_focusObservers.Notify(m_focusedElement);
    }
    if (const CTableModule* module = m_state.CurrentModule())
        Form().Build(*module, m_state.document.IsOpen());
}

void EditorView::ShowEntry() {
    const CTableModule* module = m_state.CurrentModule();
    if (!Created() || module == nullptr) return;
    m_entryCombo->SetCurSel(module->m_nCurEntry);
    Form().Show(*module);
}

void EditorView::MarkChangedRows() {
    const CTableModule* module = m_state.CurrentModule();
    if (!Created() || module == nullptr) return;
    const int entry = module->m_nCurEntry;
    for (size_t i = 0; i < m_labelCtrls.size(); ++i) {
        if (!m_labelCtrls[i]) continue;
        const std::string name = module->GetElementName(static_cast<int>(i));
        const std::string text =
                m_state.ElementDiffers(entry, static_cast<int>(i)) ? ChangedElementLabel(name) : name;
        // Unchanged labels are left alone: setting a text lays the row out again.
        if (m_labelCtrls[i]->GetWindowText() != text) m_labelCtrls[i]->SetWindowText(text);
    }
}

void EditorView::ClearValues() {
    const CTableModule* module = m_state.CurrentModule();
    if (!Created() || module == nullptr) return;
    // The rows stay and the module stays current; only what they show goes.
    for (int i = 0; i < module->m_nElements; ++i) {
        CWnd* control = m_panel->GetDlgItem(IDC_ELEMENT_BASE + i);
        if (control == nullptr) continue;
        if (auto* combo = dynamic_cast<CComboBox*>(control)) {
            combo->SetCurSel(-1);
            combo->SetToolTip("");
        } else
            control->SetWindowText("");
    }
}

void EditorView::RefillModuleSelector() {
    CComboBox* combo = ModuleSelector();
    if (combo == nullptr) return;
    combo->ResetContent();
    for (const auto& module : m_state.modules)
        combo->AddString(module->m_strName);
    combo->SetCurSel(m_state.CurrentModuleIndex());
}

void EditorView::FocusMoved(UINT id) {
    const int element = static_cast<int>(id) - IDC_ELEMENT_BASE;
    const int focused =
            element >= 0 && static_cast<std::size_t>(element) < m_valueCtrls.size() ? element : -1;
    if (focused == m_focusedElement) return;
    m_focusedElement = focused;
    m_focusObservers.Notify(m_focusedElement);
}

ElementForm EditorView::Form() {
    return ElementForm(m_window, *m_panel, *m_entryCombo, m_font.get(), m_valueCtrls, m_labelCtrls);
}

bool EditorView::ReadBack(CTableModule& module) {
    return Created() && Form().ReadBack(module);
}

bool EditorView::HoldsEdits(const CTableModule& module) {
    return Created() && Form().HoldsEdits(module);
}

void EditorView::ReleaseRows() {
    m_valueCtrls.clear();
    m_labelCtrls.clear();
}
