#include "platform/windows/NativeDialog.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include "platform/win32/WinConstants.h"
#include "platform/windows/CWnd.h"
#include "platform/windows/NativeButton.h"
#include "platform/windows/NativeMenu.h"

namespace {

NativeDialog* DialogOf(const QWidget* widget) {
    return dynamic_cast<NativeDialog*>(NativeWindow::FromWidget(widget));
}

// The local files of a drag; empty when it carries anything else (text, a
// remote URL), which the dialog then refuses as a whole.
std::vector<std::string> LocalFiles(const QMimeData* mime) {
    std::vector<std::string> paths;
    if (mime == nullptr || !mime->hasUrls()) return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) return {};
        const QByteArray path = url.toLocalFile().toLocal8Bit();
        paths.emplace_back(path.constData(), static_cast<size_t>(path.size()));
    }
    return paths;
}

class DialogWidget : public QDialog {
public:
    explicit DialogWidget(QWidget* parent) : QDialog(parent) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        NativeDialog* native = DialogOf(this);
        const bool plain = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (native != nullptr && plain && e->key() == Qt::Key_Escape) {
            native->OnEscape();
            return;
        }
        if (native != nullptr && plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
            native->OnEnter();
            return;
        }
        // Not QDialog's: it would close the dialog on its own.
        QWidget::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override {
        // Closing is the program's decision (OnCancel may say no).
        e->ignore();
        if (NativeDialog* native = DialogOf(this)) native->OnCloseBox();
    }
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::ActivationChange)
            if (NativeDialog* native = DialogOf(this)) native->OnActivationChange(isActiveWindow());
        QDialog::changeEvent(e);
    }
    void dragEnterEvent(QDragEnterEvent* e) override { TakeDrag(e); }
    void dragMoveEvent(QDragMoveEvent* e) override { TakeDrag(e); }
    void dropEvent(QDropEvent* e) override {
        NativeDialog* native = DialogOf(this);
        std::vector<std::string> paths = LocalFiles(e->mimeData());
        if (native == nullptr || !native->AcceptsFiles() || paths.empty()) {
            e->ignore();
            return;
        }
        e->acceptProposedAction();
        native->DropFiles(std::move(paths));
    }
    void reject() override {
        if (NativeDialog* native = DialogOf(this)) native->OnEscape();
    }
    void accept() override {
        if (NativeDialog* native = DialogOf(this)) native->OnEnter();
    }

private:
    void TakeDrag(QDropEvent* e) {
        const NativeDialog* native = DialogOf(this);
        if (native != nullptr && native->AcceptsFiles() && !LocalFiles(e->mimeData()).empty())
            e->acceptProposedAction();
        else
            e->ignore();
    }
};

UINT DefaultButtonId(QWidget* client) {
    for (QObject* child : client->children()) {
        auto* button = dynamic_cast<NativeButton*>(NativeWindow::FromWidget(child));
        if (button != nullptr && button->IsDefault()) return button->Id();
    }
    return IDOK;
}

} // namespace

NativeDialog::NativeDialog(CWnd* owner, DWORD style, DWORD exStyle, QWidget* parent, const MenuTemplate* menu)
    : NativeWindow(owner, style, exStyle, 0) {
    auto* dialog = new DialogWidget(parent);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    dialog->setWindowFlags(flags);
    dialog->setSizeGripEnabled(false);
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
    m_client = new QWidget(dialog);
    SetWidget(dialog);
    if (menu != nullptr) m_menu = std::make_unique<NativeMenu>(*menu, this, dialog);
}

NativeDialog::~NativeDialog() {
    // The bar goes with the dialog widget; the menu object must not outlive
    // its handle being valid.
    m_menu.reset();
}

QWidget* NativeDialog::Client() const {
    return m_client.data();
}

QSize NativeDialog::NonClientExtra() const {
    if (m_menu == nullptr || m_menu->Bar() == nullptr) return {0, 0};
    return {0, m_menu->Bar()->sizeHint().height()};
}

void NativeDialog::SetClientSize(const QSize& size) {
    if (Widget() == nullptr) return;
    const int menuHeight = NonClientExtra().height();
    if (m_menu != nullptr && m_menu->Bar() != nullptr)
        m_menu->Bar()->setGeometry(0, 0, size.width(), menuHeight);
    m_client->setGeometry(0, menuHeight, size.width(), size.height());
    Widget()->setFixedSize(size.width(), size.height() + menuHeight);
}

void NativeDialog::Place(const QRect& rect) {
    if (Widget() == nullptr) return;
    Widget()->move(rect.topLeft());
    SetClientSize(QSize(rect.width(), std::max(0, rect.height() - NonClientExtra().height())));
}

void NativeDialog::OnEscape() {
    Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void NativeDialog::OnEnter() {
    const UINT id = m_client.isNull() ? IDOK : DefaultButtonId(m_client);
    Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), 0);
}

void NativeDialog::OnActivationChange(bool active) {
    Send(WM_ACTIVATE, MAKEWPARAM(active ? WA_ACTIVE : WA_INACTIVE, 0), 0);
}

void NativeDialog::OnCloseBox() {
    Send(WM_CLOSE, 0, 0);
}
