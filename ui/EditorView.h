#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "document/Observers.h"
#include "platform/win32/WinTypes.h"
#include "ui/ElementForm.h"

class CComboBox;
class CFont;
class CScrollPanel;
class CTableModule;
class CWnd;
class EditorState;
struct EditorChange;

// The windows the editor makes at run time inside its dialog: the scroll
// panel, the entry selector in it and the element form's rows. They follow
// the editor's state; the commands reach the form only to read what the
// user typed.
class EditorView {
public:
    EditorView(CWnd& window, EditorState& state);
    ~EditorView();
    EditorView(const EditorView&) = delete;
    EditorView& operator=(const EditorView&) = delete;

    // The panel and the selector, once the dialog's window exists.
    void Create();

    // Reads every control back into the current module's element buffers
    // (false, after its message, at the first invalid one).
    bool ReadBack(CTableModule& module);
    // Edits typed into the form and not applied yet.
    bool HoldsEdits(const CTableModule& module);

    // The element whose control has the focus, or -1 (none yet, or the
    // entry selector); focus observers hear each change of it. Leaving the
    // dialog for another window keeps it, as the dialog keeps its focus.
    using FocusObserver = std::function<void(int element)>;
    [[nodiscard]] Subscription SubscribeFocus(FocusObserver observer) {
        return m_focusObservers.Subscribe(std::move(observer));
    }
    int FocusedElement() const { return m_focusedElement; }

    CWnd& Window() { return m_window; }
    CComboBox* EntryCombo() const { return m_entryCombo.get(); }
    // The module selector from the dialog template; null without a window.
    CComboBox* ModuleSelector() const;

private:
    friend class EditorDlgProbe;

    bool Created() const { return m_panel != nullptr && m_entryCombo != nullptr; }
    ElementForm Form();
    void OnChange(const EditorChange& change);
    void RebuildForm();
    void ShowEntry();
    void ClearValues();
    // A row whose element differs from the original says so in its label.
    void MarkChangedRows();
    void RefillModuleSelector();
    void FocusMoved(UINT id);
    void ReleaseRows();

    CWnd& m_window;
    EditorState& m_state;
    std::unique_ptr<CFont> m_font;
    std::unique_ptr<CScrollPanel> m_panel;
    std::unique_ptr<CComboBox> m_entryCombo;
    // One value control and one label per element of the current module.
    ElementForm::ValueCtrls m_valueCtrls;
    ElementForm::LabelCtrls m_labelCtrls;
    Observers<int> m_focusObservers;
    int m_focusedElement = -1;
    // Last, so it goes first: no change reaches a half-destroyed view.
    Subscription m_following;
};
