#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/win32/WinTypes.h"
#include "ui/ElementForm.h"

class CComboBox;
class CFont;
class CScrollPanel;
class CTableModule;
class CWnd;

// The windows the editor makes at run time inside its dialog: the scroll
// panel, the entry selector in it and the element form's rows. The command
// classes reach the form only through this, never through the dialog.
class EditorView {
public:
    // What just happened to the form; windows that show the same module and
    // entry (they live beside the dialog) follow it through an observer.
    enum class FormChange {
        Built,      // a module became current
        Destroyed,  // the current module stops being current
        EntryShown, // an entry was picked, applied, undone or redone
        Cleared,    // the ROM closed; the rows stay empty
    };
    using FormObserver = std::function<void(FormChange)>;

    explicit EditorView(CWnd& window);
    ~EditorView();
    EditorView(const EditorView&) = delete;
    EditorView& operator=(const EditorView&) = delete;

    // The panel and the selector, once the dialog's window exists.
    void Create();

    // Every call does nothing until Create has run.
    void BuildForm(const CTableModule& module, bool romOpen);
    void DestroyForm(bool hasModule);
    void ShowEntry(const CTableModule& module);
    bool ReadBack(CTableModule& module);
    // Edits typed into the form and not applied yet.
    bool HoldsEdits(const CTableModule& module);
    // The rows stay; what they show goes.
    void ClearValues(const CTableModule& module);
    // Selects an entry in the selector without the notification a user's
    // choice sends.
    void SelectEntry(int entry);
    // The rows' objects alone, for a dialog whose windows are gone.
    void ReleaseRows();

    // Observers run in the order added, after the form has changed.
    void AddObserver(FormObserver observer) { m_observers.push_back(std::move(observer)); }
    // The element whose control has the focus, or -1 (none yet, or the
    // entry selector); focus observers hear each change of it. Leaving the
    // dialog for another window keeps it, as the dialog keeps its focus.
    using FocusObserver = std::function<void(int element)>;
    void AddFocusObserver(FocusObserver observer) { m_focusObservers.push_back(std::move(observer)); }
    int FocusedElement() const { return m_focusedElement; }

    CWnd& Window() { return m_window; }
    CScrollPanel* Panel() const { return m_panel.get(); }
    CComboBox* EntryCombo() const { return m_entryCombo.get(); }
    CFont* Font() const { return m_font.get(); }
    ElementForm::ValueCtrls& ValueCtrls() { return m_valueCtrls; }
    ElementForm::LabelCtrls& LabelCtrls() { return m_labelCtrls; }

private:
    bool Created() const { return m_panel != nullptr && m_entryCombo != nullptr; }
    ElementForm Form();
    void Notify(FormChange change);
    void FocusMoved(UINT id);

    CWnd& m_window;
    std::unique_ptr<CFont> m_font;
    std::unique_ptr<CScrollPanel> m_panel;
    std::unique_ptr<CComboBox> m_entryCombo;
    // One value control and one label per element of the current module.
    ElementForm::ValueCtrls m_valueCtrls;
    ElementForm::LabelCtrls m_labelCtrls;
    std::vector<FormObserver> m_observers;
    std::vector<FocusObserver> m_focusObservers;
    int m_focusedElement = -1;
};
