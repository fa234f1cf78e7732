#include "platform/windows/CFileDialog.h"

#include <QFileDialog>
#include <QStringList>

#include "platform/windows/CWnd.h"
#include "platform/windows/NativeWindow.h"
#include "platform/windows/UnscriptedModal.h"
#include "platform/windows/WindowText.h"

namespace {

// "Text|*.a;*.b|Other|*.c|" to Qt's "Text (*.a *.b)" filters. The dialog is
// told to hide the parenthesised patterns, so each label shows as written,
// once. "*.*" matches every name on the platform the filters were written
// for, a name without a dot included; here that is "*".
QStringList NameFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty()) break;
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern.trimmed() == QStringLiteral("*.*")) pattern = QStringLiteral("*");
        out << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

// Every file dialog of a run starts where the last one was left, as the
// system dialogs do for a program.
QString& LastFolder() {
    static QString folder;
    return folder;
}

FileDialogAnswer ShowReal(const FileDialogRequest& request, CWnd* parentWnd) {
    QWidget* parent = parentWnd != nullptr && ::IsWindow(parentWnd->GetSafeHwnd())
                              ? parentWnd->GetSafeHwnd()->Widget()->window()
                              : nullptr;
    QFileDialog dialog(parent);
    // Qt's own dialog on every desktop: a desktop's native one shows the
    // patterns beside every label and ignores the remembered folder.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!LastFolder().isEmpty()) dialog.setDirectory(LastFolder());
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (request.open)
        dialog.setFileMode((request.flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                           : (request.flags & OFN_FILEMUSTEXIST)  ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!request.defaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    LastFolder() = dialog.directory().absolutePath();
    std::vector<std::string> paths;
    for (const QString& file : dialog.selectedFiles())
        paths.push_back(file.toStdString());
    return paths;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd) {
    m_request.open = bOpenFileDialog != FALSE;
    m_request.defaultExt = lpszDefExt != nullptr ? lpszDefExt : "";
    m_request.fileName = lpszFileName != nullptr ? lpszFileName : "";
    m_request.flags = dwFlags;
    m_request.filter = lpszFilter != nullptr ? lpszFilter : "";
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
    FileDialogAnswer answer;
    if (FileDialogHook::Current())
        answer = FileDialogHook::Current()(m_request);
    else if (UnscriptedModal::Report("file dialog (filter \"" + m_request.filter + "\")"))
        answer = std::nullopt;
    else
        answer = ShowReal(m_request, m_pParentWnd);
    m_paths.clear();
    if (answer) {
        // A single-selection dialog yields one file, whatever was answered.
        m_paths = *answer;
        if (!(m_request.flags & OFN_ALLOWMULTISELECT) && m_paths.size() > 1) m_paths.resize(1);
    }
    return m_paths.empty() ? IDCANCEL : IDOK;
}

std::string CFileDialog::GetPathName() const {
    return m_paths.empty() ? std::string() : m_paths.front();
}

std::string CFileDialog::GetFileName() const {
    const std::string path = GetPathName();
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Positions are the 1-based index of the next path, so null means the end.
POSITION CFileDialog::GetStartPosition() const {
    return m_paths.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

std::string CFileDialog::GetNextPathName(POSITION& pos) const {
    const auto index = reinterpret_cast<std::uintptr_t>(pos);
    if (index == 0 || index > m_paths.size()) {
        pos = nullptr;
        return {};
    }
    pos = index < m_paths.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_paths[index - 1];
}
