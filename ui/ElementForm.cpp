#include "ui/ElementForm.h"

#include <algorithm>
#include <span>
#include <string>

#include "platform/windows/CComboBox.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CStatic.h"
#include "res/StringTable.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "ui/CScrollPanel.h"
#include "ui/ElementEdit.h"

namespace {

// Rows are 30 pixels apart; row i's controls hang from its baseline.
constexpr int kFirstBaseline = 65;
constexpr int kRowPitch = 30;
constexpr int kContentMargin = 45;
constexpr int kRowsWithoutScrolling = 12;
constexpr RECT kEntryComboPlace{10, 10, 10 + 433, 10 + 12};

constexpr DWORD kComboStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_HASSTRINGS | CBS_DROPDOWNLIST;
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
constexpr UINT kLabelId = 0xFFFF;

int Baseline(int index) {
    return kFirstBaseline + kRowPitch * index;
}

RECT ValueRect(int index, bool dropbox) {
    const int b = Baseline(index);
    return RECT{dropbox ? 200 : 340, b - 25, 443, b};
}

RECT LabelRect(int index) {
    const int b = Baseline(index);
    return RECT{10, b - 20, 199, b + 5};
}

UINT ValueId(int index) {
    return static_cast<UINT>(IDC_ELEMENT_BASE + index);
}

// An edit box's limit for an element of this many bytes per character;
// an element too long for a limit gets none rather than a wrapped one.
int TextLimit(std::uint64_t chars) {
    constexpr std::uint64_t kLargest = 0x7FFFFFFE;
    return chars == 0 || chars > kLargest ? 0 : static_cast<int>(chars);
}

const ModuleElement& ElementAt(const CTableModule& module, int index) {
    return *module.m_elements[static_cast<std::size_t>(index)];
}

std::vector<std::string> DropboxLabels(const CTableModule& module, int index) {
    const ModuleElement& e = ElementAt(module, index);
    std::vector<std::string> labels;
    labels.reserve(e.values.size());
    for (std::size_t j = 0; j < e.values.size(); ++j)
        labels.push_back(ElementCodec::DropboxItemLabel(
                e.values[j], module.GetValueName(index, static_cast<int>(j)), e.style));
    return labels;
}

} // namespace

ElementForm::ElementForm(CWnd& owner, CScrollPanel& panel, CComboBox& entryCombo, CFont* font,
                         ValueCtrls& valueCtrls, LabelCtrls& labelCtrls)
    : m_owner(owner), m_panel(panel), m_entryCombo(entryCombo), m_font(font), m_valueCtrls(valueCtrls),
      m_labelCtrls(labelCtrls) {}

void ElementForm::Build(const CTableModule& module, bool romOpen) {
    const int n = static_cast<int>(module.m_elements.size());
    // Rows left from an earlier form would keep their ids and shadow the new ones.
    m_valueCtrls.clear();
    m_labelCtrls.clear();
    m_valueCtrls.resize(static_cast<std::size_t>(n));
    m_labelCtrls.resize(static_cast<std::size_t>(n));
    FillEntrySelector(module, romOpen);
    if (n > kRowsWithoutScrolling) m_panel.EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
    m_panel.SetContentHeight(kRowPitch * n + kContentMargin);
    for (int i = 0; i < n; ++i)
        AddRow(module, i);
}

void ElementForm::FillEntrySelector(const CTableModule& module, bool romOpen) {
    m_entryCombo.AddStrings(module.m_entryNames.Text(), module.m_entryNames.Ends());
    m_entryCombo.EnableWindow(romOpen ? TRUE : FALSE);
    m_entryCombo.MoveWindow(&kEntryComboPlace, TRUE);
    m_entryCombo.SetCurSel(0);
}

void ElementForm::AddRow(const CTableModule& module, int index) {
    std::unique_ptr<CWnd> value = CreateValueControl(module, index);
    value->SetFont(m_font, TRUE);
    m_valueCtrls[static_cast<std::size_t>(index)] = std::move(value);
    CreateLabel(module, index);
}

std::unique_ptr<CWnd> ElementForm::CreateValueControl(const CTableModule& module, int index) {
    const ModuleElement& e = ElementAt(module, index);
    if (ElementCodec::KindOf(e.style) == ElementKind::Dropbox) {
        auto combo = std::make_unique<CComboBox>();
        combo->Create(kComboStyle, ValueRect(index, true), &m_panel, ValueId(index));
        combo->AddStrings(DropboxLabels(module, index));
        return combo;
    }
    auto edit = std::make_unique<ElementEdit>();
    edit->CreateEx(WS_EX_CLIENTEDGE, "EDIT", nullptr, kEditStyle, ValueRect(index, false), &m_panel,
                   ValueId(index));
    return edit;
}

void ElementForm::CreateLabel(const CTableModule& module, int index) {
    auto label = std::make_unique<CStatic>();
    label->Create(module.GetElementName(index).c_str(), kLabelStyle, LabelRect(index), &m_panel, kLabelId);
    label->SetFont(m_font, TRUE);
    m_labelCtrls[static_cast<std::size_t>(index)] = std::move(label);
}

void ElementForm::Destroy(bool hasModule) {
    const bool hasWindow = ::IsWindow(m_owner.GetSafeHwnd()) != FALSE;
    // Back to the top first, so the next form's rows land where they belong.
    if (hasWindow) m_panel.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    if (!hasModule) return;
    m_valueCtrls.clear();
    m_labelCtrls.clear();
    if (!hasWindow) return;
    m_entryCombo.ResetContent();
    m_owner.InvalidateRect(nullptr, TRUE);
    m_panel.EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
}

void ElementForm::Show(const CTableModule& module) {
    const int n = static_cast<int>(module.m_elements.size());
    for (int i = 0; i < n; ++i)
        ShowElement(module, i);
}

void ElementForm::ShowElement(const CTableModule& module, int index) {
    CWnd* control = ValueControl(index);
    const ModuleElement& e = ElementAt(module, index);
    std::vector<std::uint8_t> bytes(e.size);
    if (control == nullptr || module.GetElementData(index, bytes.data()) != static_cast<int>(e.size)) return;
    const ElementKind kind = ElementCodec::KindOf(e.style);
    if (kind == ElementKind::Dropbox) {
        auto* combo = dynamic_cast<CComboBox*>(control);
        if (combo == nullptr) return;
        const int item = ElementCodec::ShowDropbox(bytes, e.values);
        combo->SetCurSel(item);
        // An empty box would hide what the bytes hold; the tip says it.
        if (item < 0)
            combo->SetToolTip(NoItemText(e.name, ElementCodec::ShowNumber(bytes, STYLE_HEX)));
        else if (!combo->GetToolTip().empty())
            combo->SetToolTip("");
        return;
    }
    auto* edit = dynamic_cast<ElementEdit*>(control);
    if (edit == nullptr) return;
    if (kind == ElementKind::HexArray) {
        edit->SetWindowText(ElementCodec::ShowHexArray(bytes));
        edit->LimitText(TextLimit(3 * static_cast<std::uint64_t>(e.size) - 1));
    } else if (kind == ElementKind::Text) {
        edit->ShowBytes(ElementCodec::ShowText(bytes, module.m_charOf), bytes);
        edit->LimitText(TextLimit(e.size));
    } else {
        edit->SetWindowText(ElementCodec::ShowNumber(bytes, e.style));
    }
}

bool ElementForm::ReadBack(CTableModule& module) {
    const int n = static_cast<int>(module.m_elements.size());
    for (int i = 0; i < n; ++i) {
        const std::optional<std::vector<std::uint8_t>> bytes = ReadElement(module, i);
        if (!bytes) return false;
        if (ElementAt(module, i).style & STYLE_BISCUIT)
            m_owner.MessageBox(kBiscuitText, kBiscuitCaption, MB_OK);
        module.SetElementData(i, bytes->data());
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> ElementForm::ReadElement(const CTableModule& module, int index) {
    const ModuleElement& e = ElementAt(module, index);
    CWnd* control = ValueControl(index);
    const ElementKind kind = ElementCodec::KindOf(e.style);
    if (kind == ElementKind::Dropbox) {
        auto* combo = dynamic_cast<CComboBox*>(control);
        auto bytes =
                ElementCodec::ReadDropbox(combo != nullptr ? combo->GetCurSel() : CB_ERR, e.values, e.size);
        if (!bytes) m_owner.MessageBox(kNoSelectionText);
        return bytes;
    }
    auto* edit = dynamic_cast<ElementEdit*>(control);
    const std::string text = edit != nullptr ? edit->GetWindowText() : std::string();
    if (kind == ElementKind::HexArray) {
        auto bytes = ElementCodec::ReadHexArray(text, e.size);
        if (!bytes) m_owner.MessageBox(kBadHexArrayText);
        return bytes;
    }
    if (kind == ElementKind::Text) {
        const std::vector<std::uint8_t>* kept = edit != nullptr ? edit->UntouchedBytes() : nullptr;
        if (kept != nullptr && kept->size() == e.size) return *kept;
        return ElementCodec::ReadText(text, e.size, module.m_codeOf);
    }
    return ElementCodec::ReadNumber(text, e.size);
}

bool ElementForm::HoldsEdits(const CTableModule& module) const {
    const int n = static_cast<int>(module.m_elements.size());
    for (int i = 0; i < n; ++i) {
        if (ElementEdited(module, i)) return true;
    }
    return false;
}

bool ElementForm::ElementEdited(const CTableModule& module, int index) const {
    CWnd* control = ValueControl(index);
    const ModuleElement& e = ElementAt(module, index);
    std::vector<std::uint8_t> bytes(e.size);
    // Without an entry the rows show nothing that could be applied.
    if (control == nullptr || module.GetElementData(index, bytes.data()) != static_cast<int>(e.size))
        return false;
    if (auto* combo = dynamic_cast<CComboBox*>(control))
        return combo->GetCurSel() != ElementCodec::ShowDropbox(bytes, e.values);
    if (auto* edit = dynamic_cast<ElementEdit*>(control);
        edit != nullptr && edit->UntouchedBytes() != nullptr)
        return false;
    return control->GetWindowText() != ElementCodec::ShowInEdit(bytes, e.style, module.m_charOf);
}

CWnd* ElementForm::ValueControl(int index) const {
    // The arrays hold the same objects the panel would find by id, without
    // a walk over the panel's children for every element.
    if (index < 0 || static_cast<std::size_t>(index) >= m_valueCtrls.size()) return nullptr;
    return m_valueCtrls[static_cast<std::size_t>(index)].get();
}
