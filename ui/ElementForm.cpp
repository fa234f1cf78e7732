#include "ui/ElementForm.h"

#include <algorithm>
#include <span>
#include <string>

#include "platform/windows/CComboBox.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CStatic.h"
#include "res/resource.h"
#include "table/CTableModule.h"
#include "table/ElementCodec.h"
#include "ui/CElementEdit.h"
#include "ui/CScrollPanel.h"

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

constexpr char kNoSelection[] = "One of the dropdown boxes does not have a valid selection.";
constexpr char kBadHexArray[] = "One of your hex arrays is improperly formatted.";
constexpr char kBiscuits[] = "LET'S MAKE BISCUITS!";
constexpr char kBiscuitsCaption[] = "Biscuits";

int Baseline(int nIndex) {
    return kFirstBaseline + kRowPitch * nIndex;
}

RECT ValueRect(int nIndex, bool bDropbox) {
    const int b = Baseline(nIndex);
    return RECT{bDropbox ? 200 : 340, b - 25, 443, b};
}

RECT LabelRect(int nIndex) {
    const int b = Baseline(nIndex);
    return RECT{10, b - 20, 199, b + 5};
}

UINT ValueId(int nIndex) {
    return static_cast<UINT>(IDC_ELEMENT_BASE + nIndex);
}

// An edit box's limit for an element of this many bytes per character;
// an element too long for a limit gets none rather than a wrapped one.
int TextLimit(std::uint64_t nChars) {
    constexpr std::uint64_t kLargest = 0x7FFFFFFE;
    return nChars == 0 || nChars > kLargest ? 0 : static_cast<int>(nChars);
}

const ModuleElement& ElementAt(const CTableModule& module, int nIndex) {
    return *module.m_elements[static_cast<std::size_t>(nIndex)];
}

std::vector<std::string> DropboxLabels(const CTableModule& module, int nIndex) {
    const ModuleElement& e = ElementAt(module, nIndex);
    std::vector<std::string> labels;
    labels.reserve(e.values.size());
    for (std::size_t j = 0; j < e.values.size(); ++j)
        labels.push_back(ElementCodec::DropboxItemLabel(
                e.values[j], module.GetValueName(nIndex, static_cast<int>(j)), e.style));
    return labels;
}

} // namespace

ElementForm::ElementForm(CWnd& owner, CScrollPanel& panel, CComboBox& entryCombo, CFont* font,
                         ValueCtrls& valueCtrls, LabelCtrls& labelCtrls)
    : m_owner(owner), m_panel(panel), m_entryCombo(entryCombo), m_pFont(font), m_valueCtrls(valueCtrls),
      m_labelCtrls(labelCtrls) {}

void ElementForm::Build(const CTableModule& module, bool bRomOpen) {
    const int n = static_cast<int>(module.m_elements.size());
    // Rows left from an earlier form would keep their ids and shadow the new ones.
    m_valueCtrls.clear();
    m_labelCtrls.clear();
    m_valueCtrls.resize(static_cast<std::size_t>(n));
    m_labelCtrls.resize(static_cast<std::size_t>(n));
    FillEntrySelector(module, bRomOpen);
    if (n > kRowsWithoutScrolling) m_panel.EnableScrollBar(SB_VERT, ESB_ENABLE_BOTH);
    m_panel.SetContentHeight(kRowPitch * n + kContentMargin);
    for (int i = 0; i < n; ++i)
        AddRow(module, i);
}

void ElementForm::FillEntrySelector(const CTableModule& module, bool bRomOpen) {
    m_entryCombo.AddStrings(module.m_entryNames.Views());
    m_entryCombo.EnableWindow(bRomOpen ? TRUE : FALSE);
    m_entryCombo.MoveWindow(&kEntryComboPlace, TRUE);
    m_entryCombo.SetCurSel(0);
}

void ElementForm::AddRow(const CTableModule& module, int nIndex) {
    std::unique_ptr<CWnd> value = CreateValueControl(module, nIndex);
    value->SetFont(m_pFont, TRUE);
    m_valueCtrls[static_cast<std::size_t>(nIndex)] = std::move(value);
    CreateLabel(module, nIndex);
}

std::unique_ptr<CWnd> ElementForm::CreateValueControl(const CTableModule& module, int nIndex) {
    const ModuleElement& e = ElementAt(module, nIndex);
    if (ElementCodec::KindOf(e.style) == ElementKind::Dropbox) {
        auto combo = std::make_unique<CComboBox>();
        combo->Create(kComboStyle, ValueRect(nIndex, true), &m_panel, ValueId(nIndex));
        combo->AddStrings(DropboxLabels(module, nIndex));
        return combo;
    }
    auto edit = std::make_unique<CElementEdit>();
    edit->CreateEx(WS_EX_CLIENTEDGE, "EDIT", nullptr, kEditStyle, ValueRect(nIndex, false), &m_panel,
                   ValueId(nIndex));
    return edit;
}

void ElementForm::CreateLabel(const CTableModule& module, int nIndex) {
    auto label = std::make_unique<CStatic>();
    label->Create(module.GetElementName(nIndex).c_str(), kLabelStyle, LabelRect(nIndex), &m_panel, kLabelId);
    label->SetFont(m_pFont, TRUE);
    m_labelCtrls[static_cast<std::size_t>(nIndex)] = std::move(label);
}

void ElementForm::Destroy(bool bHasModule) {
    const bool bWindow = ::IsWindow(m_owner.GetSafeHwnd()) != FALSE;
    // Back to the top first, so the next form's rows land where they belong.
    if (bWindow) m_panel.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    if (!bHasModule) return;
    m_valueCtrls.clear();
    m_labelCtrls.clear();
    if (!bWindow) return;
    m_entryCombo.ResetContent();
    m_owner.InvalidateRect(nullptr, TRUE);
    m_panel.EnableScrollBar(SB_VERT, ESB_DISABLE_BOTH);
}

void ElementForm::Show(const CTableModule& module) {
    const int n = static_cast<int>(module.m_elements.size());
    for (int i = 0; i < n; ++i)
        ShowElement(module, i);
}

void ElementForm::ShowElement(const CTableModule& module, int nIndex) {
    CWnd* pCtrl = ValueControl(nIndex);
    const ModuleElement& e = ElementAt(module, nIndex);
    std::vector<std::uint8_t> bytes(e.size);
    if (pCtrl == nullptr || module.GetElementData(nIndex, bytes.data()) != static_cast<int>(e.size)) return;
    const ElementKind kind = ElementCodec::KindOf(e.style);
    if (kind == ElementKind::Dropbox) {
        if (auto* pCombo = dynamic_cast<CComboBox*>(pCtrl))
            pCombo->SetCurSel(ElementCodec::ShowDropbox(bytes, e.values));
        return;
    }
    auto* pEdit = dynamic_cast<CElementEdit*>(pCtrl);
    if (pEdit == nullptr) return;
    if (kind == ElementKind::HexArray) {
        pEdit->SetWindowText(ElementCodec::ShowHexArray(bytes));
        pEdit->LimitText(TextLimit(3 * static_cast<std::uint64_t>(e.size) - 1));
    } else if (kind == ElementKind::Text) {
        pEdit->ShowBytes(ElementCodec::ShowText(bytes, module.m_charOf), bytes);
        pEdit->LimitText(TextLimit(e.size));
    } else {
        pEdit->SetWindowText(ElementCodec::ShowNumber(bytes, e.style));
    }
}

bool ElementForm::ReadBack(CTableModule& module) {
    const int n = static_cast<int>(module.m_elements.size());
    for (int i = 0; i < n; ++i) {
        const std::optional<std::vector<std::uint8_t>> bytes = ReadElement(module, i);
        if (!bytes) return false;
        if (ElementAt(module, i).style & STYLE_BISCUIT)
            m_owner.MessageBox(kBiscuits, kBiscuitsCaption, MB_OK);
        module.SetElementData(i, bytes->data());
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> ElementForm::ReadElement(const CTableModule& module, int nIndex) {
    const ModuleElement& e = ElementAt(module, nIndex);
    CWnd* pCtrl = ValueControl(nIndex);
    const ElementKind kind = ElementCodec::KindOf(e.style);
    if (kind == ElementKind::Dropbox) {
        auto* pCombo = dynamic_cast<CComboBox*>(pCtrl);
        auto bytes =
                ElementCodec::ReadDropbox(pCombo != nullptr ? pCombo->GetCurSel() : CB_ERR, e.values, e.size);
        if (!bytes) m_owner.MessageBox(kNoSelection);
        return bytes;
    }
    auto* pEdit = dynamic_cast<CElementEdit*>(pCtrl);
    const std::string text = pEdit != nullptr ? pEdit->GetWindowText() : std::string();
    if (kind == ElementKind::HexArray) {
        auto bytes = ElementCodec::ReadHexArray(text, e.size);
        if (!bytes) m_owner.MessageBox(kBadHexArray);
        return bytes;
    }
    if (kind == ElementKind::Text) {
        const std::vector<std::uint8_t>* pKept = pEdit != nullptr ? pEdit->UntouchedBytes() : nullptr;
        if (pKept != nullptr && pKept->size() == e.size) return *pKept;
        return ElementCodec::ReadText(text, e.size, module.m_codeOf);
    }
    return ElementCodec::ReadNumber(text, e.size);
}

CWnd* ElementForm::ValueControl(int nIndex) const {
    // The arrays hold the same objects the panel would find by id, without
    // a walk over the panel's children for every element.
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_valueCtrls.size()) return nullptr;
    return m_valueCtrls[static_cast<std::size_t>(nIndex)].get();
}
