#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CComboBox;
class CFont;
class CScrollPanel;
class CStatic;
class CTableModule;
class CWnd;
struct ModuleElement;

// The generated rows of the main dialog: one label and one value control
// per element of the current module, inside the scroll panel, plus the
// entries in the entry selector. Holds no state of its own: it works on the
// view's windows and row arrays (EditorView), so the handlers stay thin.
class ElementForm {
public:
    using ValueCtrls = std::vector<std::unique_ptr<CWnd>>;
    using LabelCtrls = std::vector<std::unique_ptr<CStatic>>;

    // owner shows the messages; font may be null.
    ElementForm(CWnd& owner, CScrollPanel& panel, CComboBox& entryCombo, CFont* font, ValueCtrls& valueCtrls,
                LabelCtrls& labelCtrls);

    // Rows for every element, the entry labels in the selector (item 0
    // selected), the selector enabled only with a ROM open.
    void Build(const CTableModule& module, bool romOpen);
    // Scrolls back to the top, then, if a module is current, drops its rows
    // and empties the selector. With the dialog's window gone only the rows'
    // objects are released.
    void Destroy(bool hasModule);
    // The element buffers of the current entry into the controls.
    void Show(const CTableModule& module);
    // Reads every control back into its element buffer, in element order,
    // with the biscuit message on the way. False, after the message, at the
    // first element whose control holds no valid value.
    bool ReadBack(CTableModule& module);
    // Whether any control shows something other than what Show put there
    // for the current entry: edits the user has not applied yet.
    bool HoldsEdits(const CTableModule& module) const;

private:
    void FillEntrySelector(const CTableModule& module, bool romOpen);
    void AddRow(const CTableModule& module, int index);
    std::unique_ptr<CWnd> CreateValueControl(const CTableModule& module, int index);
    void CreateLabel(const CTableModule& module, int index);
    void ShowElement(const CTableModule& module, int index);
    std::optional<std::vector<std::uint8_t>> ReadElement(const CTableModule& module, int index);
    CWnd* ValueControl(int index) const;
    bool ElementEdited(const CTableModule& module, int index) const;

    CWnd& m_owner;
    CScrollPanel& m_panel;
    CComboBox& m_entryCombo;
    CFont* m_font;
    ValueCtrls& m_valueCtrls;
    LabelCtrls& m_labelCtrls;
};
