#include "platform/windows/CDialog.h"

#include <cmath>
#include <unordered_map>

#include <QEventLoop>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/windows/CComboBox.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/CStatic.h"
#include "platform/windows/DialogHook.h"
#include "platform/windows/DialogTemplate.h"
#include "platform/windows/NativeDialog.h"
#include "platform/windows/NativeFont.h"
#include "platform/windows/UnscriptedModal.h"

namespace {

// Modal loops by dialog, so EndDialog can leave the loop its DoModal runs.
std::unordered_map<const CDialog*, QEventLoop*>& ModalLoops() {
    static std::unordered_map<const CDialog*, QEventLoop*> loops;
    return loops;
}

QFont TemplateFont(const DialogTemplate& tmpl) {
    NativeFont::InstallSubstitutions();
    QFont font(QString::fromUtf8(tmpl.typeface.c_str()));
    font.setPixelSize(std::max(1, NativeFont::PixelsForTenths(tmpl.pointSize * 10)));
    return font;
}

// Windows' rule: the average width of the 52 letters, rounded, and the
// font's full cell height, whose ascent and descent GDI each rounds up (Qt
// rounds them to the nearest, which makes an 8-point dialog a pixel short
// per line and cuts off what its layout placed at the bottom).
SIZE BaseUnitsOf(const QFont& font) {
    const QFontMetricsF fm(font);
    const qreal letters =
            fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int width = static_cast<int>(std::lround(letters));
    const int height = static_cast<int>(std::ceil(fm.ascent()) + std::ceil(fm.descent()));
    return SIZE{(width / 26 + 1) / 2, height};
}

// MulDiv: rounded to the nearest, halves away from zero.
int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

std::unique_ptr<CWnd> MakeControlObject(const std::string& className) {
    QString name = QString::fromStdString(className).toUpper();
    if (name == QLatin1String("COMBOBOX")) return std::make_unique<CComboBox>();
    if (name == QLatin1String("EDIT")) return std::make_unique<CEdit>();
    if (name == QLatin1String("STATIC")) return std::make_unique<CStatic>();
    return std::make_unique<CWnd>();
}

// The first control that takes the focus from the keyboard, depth first,
// so controls inside a control parent (the scroll panel) count too.
QWidget* FirstTabStop(QWidget* parent) {
    for (QObject* child : parent->children()) {
        if (!child->isWidgetType()) continue;
        auto* w = static_cast<QWidget*>(child);
        if (w->isHidden() || !w->isEnabled()) continue;
        if (w->focusPolicy() & Qt::TabFocus) return w;
        if (QWidget* inner = FirstTabStop(w)) return inner;
    }
    return nullptr;
}

// Without a window manager (a bare X server) nothing activates a new
// window, and an inactive window gets no keys. A Win32 dialog that opens
// with the focus on a control shows that control's focus cue at once; the
// toolkit's styles draw it only once the window has seen keyboard
// navigation, so the window starts as if it had.
void ShowAndActivate(QWidget* widget) {
    widget->show();
    widget->raise();
    widget->activateWindow();
    if (widget->focusWidget() != nullptr) widget->setAttribute(Qt::WA_KeyboardFocusChange);
}

} // namespace

CDialog::CDialog(const DialogTemplate* pTemplate, CWnd* pParentWnd)
    : m_pTemplate(pTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    ModalLoops().erase(this);
    DestroyWindow();
}

BOOL CDialog::CreateFromTemplate() {
    if (m_pTemplate == nullptr || ::IsWindow(m_hWnd)) return FALSE;
    QWidget* parent = nullptr;
    if (m_pParentWnd != nullptr && ::IsWindow(m_pParentWnd->GetSafeHwnd()))
        parent = m_pParentWnd->GetSafeHwnd()->Widget();
    auto native = std::make_unique<NativeDialog>(this, m_pTemplate->style, m_pTemplate->exStyle, parent,
                                                 m_pTemplate->menu);
    NativeDialog* dialog = native.get();
    AdoptNative(std::move(native));
    dialog->Widget()->setFont(TemplateFont(*m_pTemplate));
    m_bEnded = FALSE;
    m_nResult = 0;
    SetWindowText(m_pTemplate->caption);

    RECT client{0, 0, m_pTemplate->cx, m_pTemplate->cy};
    MapDialogRect(&client);
    dialog->SetClientSize(QSize(client.right, client.bottom));
    QWidget* widget = dialog->Widget();
    if ((m_pTemplate->x == 0 && m_pTemplate->y == 0) || (m_pTemplate->style & DS_CENTER)) {
        const QRect area = parent != nullptr ? parent->window()->geometry()
                           : QGuiApplication::primaryScreen() != nullptr
                                   ? QGuiApplication::primaryScreen()->availableGeometry()
                                   : QRect(0, 0, 1024, 768);
        widget->move(area.center() - QPoint(widget->width() / 2, widget->height() / 2));
    } else {
        RECT pos{m_pTemplate->x, m_pTemplate->y, 0, 0};
        MapDialogRect(&pos);
        widget->move(pos.left, pos.top);
    }
    CreateControls();
    widget->setEnabled((m_pTemplate->style & WS_DISABLED) == 0);
    return TRUE;
}

void CDialog::CreateControls() {
    m_templateControls.clear();
    for (const DialogItemTemplate& item : m_pTemplate->items) {
        std::unique_ptr<CWnd> control = MakeControlObject(item.className);
        RECT rect{item.x, item.y, item.x + item.cx, item.y + item.cy};
        MapDialogRect(&rect);
        if (!control->CreateEx(item.exStyle, item.className.c_str(), item.text.c_str(), item.style, rect,
                               this, item.id))
            continue;
        if (item.image != nullptr)
            if (auto* picture = dynamic_cast<CStatic*>(control.get())) picture->SetBitmap(*item.image);
        m_templateControls.push_back(std::move(control));
    }
}

BOOL CDialog::Create(CWnd* pParentWnd) {
    if (pParentWnd != nullptr) m_pParentWnd = pParentWnd;
    if (!CreateFromTemplate()) return FALSE;
    SendMessage(WM_INITDIALOG, 0, 0);
    if (IsWindow(m_hWnd) && (m_pTemplate->style & WS_VISIBLE) && !m_bEnded) ShowAndActivate(m_hWnd->Widget());
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    if (::IsWindow(m_hWnd)) {
        // Already made with Create: it was initialised then.
        m_bEnded = FALSE;
    } else {
        if (!CreateFromTemplate()) return -1;
        SendMessage(WM_INITDIALOG, 0, 0);
    }
    if (!::IsWindow(m_hWnd)) return m_bEnded ? m_nResult : -1;
    INT_PTR result = m_nResult;
    if (!m_bEnded) {
        ShowModalWindow();
        if (DialogHook::Current()) {
            const INT_PTR answer = DialogHook::Current()(DialogRequest{this});
            result = m_bEnded ? m_nResult : answer;
        } else if (UnscriptedModal::Report("modal dialog \"" + GetWindowText() + "\"")) {
            result = IDCANCEL;
        } else {
            QEventLoop loop;
            ModalLoops()[this] = &loop;
            m_bModalLoop = true;
            loop.exec(QEventLoop::DialogExec);
            m_bModalLoop = false;
            ModalLoops().erase(this);
            result = m_nResult;
        }
    }
    DestroyWindow();
    return result;
}

void CDialog::ShowModalWindow() {
    if (!::IsWindow(m_hWnd)) return;
    QWidget* widget = m_hWnd->Widget();
    // Qt takes a window's modality only as it is shown.
    if (widget->isVisible() && widget->windowModality() != Qt::ApplicationModal) widget->hide();
    widget->setWindowModality(Qt::ApplicationModal);
    ShowAndActivate(widget);
}

void CDialog::EndDialog(int nResult) {
    m_bEnded = TRUE;
    m_nResult = nResult;
    const auto it = ModalLoops().find(this);
    if (it != ModalLoops().end()) {
        it->second->exit(0);
        return;
    }
    if (::IsWindow(m_hWnd) && !DialogHook::Current()) m_hWnd->Widget()->hide();
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    // Menus send code 0, accelerators 1, buttons BN_CLICKED (0); a control
    // that merely has id 1 or 2 and notifies something else is not a command.
    const WORD code = HIWORD(wParam);
    if (code > 1) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

void CDialog::OnClose() {
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG) return CWnd::DefWindowProc(message, wParam, lParam);
    const BOOL setFocus = OnInitDialog();
    if (setFocus && ::IsWindow(m_hWnd)) {
        if (QWidget* first = FirstTabStop(m_hWnd->Client())) first->setFocus(Qt::TabFocusReason);
    }
    return setFocus;
}

void CDialog::MapDialogRect(LPRECT lpRect) const {
    if (lpRect == nullptr) return;
    const SIZE base = GetDialogBaseUnits();
    lpRect->left = MulDiv(lpRect->left, base.cx, 4);
    lpRect->right = MulDiv(lpRect->right, base.cx, 4);
    lpRect->top = MulDiv(lpRect->top, base.cy, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, base.cy, 8);
}

SIZE CDialog::GetDialogBaseUnits() const {
    if (::IsWindow(m_hWnd)) return BaseUnitsOf(m_hWnd->Widget()->font());
    if (m_pTemplate != nullptr) return BaseUnitsOf(TemplateFont(*m_pTemplate));
    return SIZE{0, 0};
}
