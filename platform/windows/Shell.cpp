#include "platform/windows/Shell.h"

#include <climits>
#include <cstring>
#include <unistd.h>

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include "platform/windows/UnscriptedModal.h"

namespace {
// Win32's codes: success is anything above 32.
constexpr INT_PTR kShellSuccess = 42;
constexpr INT_PTR kShellFileNotFound = 2;
constexpr INT_PTR kShellNoAssociation = 31;

QUrl UrlFor(const ShellExecuteRequest& request) {
    const QString file = QString::fromStdString(request.file);
    if (file.contains(QStringLiteral("://"))) return QUrl(file);
    QString path = file;
    if (QDir::isRelativePath(path) && !request.directory.empty())
        path = QDir(QString::fromStdString(request.directory)).filePath(path);
    return QUrl::fromLocalFile(path);
}
} // namespace

INT_PTR ShellExecute(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                     int nShowCmd) {
    ShellExecuteRequest request;
    request.owner = hwnd;
    request.operation = lpOperation != nullptr ? lpOperation : "";
    request.file = lpFile != nullptr ? lpFile : "";
    request.parameters = lpParameters != nullptr ? lpParameters : "";
    request.directory = lpDirectory != nullptr ? lpDirectory : "";
    request.showCmd = nShowCmd;
    if (ShellExecuteHook::Current())
        return ShellExecuteHook::Current()(request) ? kShellSuccess : kShellFileNotFound;
    if (UnscriptedModal::Report("open \"" + request.file + "\"")) return kShellFileNotFound;
    if (!request.operation.empty() && request.operation != "open") return kShellNoAssociation;
    return QDesktopServices::openUrl(UrlFor(request)) ? kShellSuccess : kShellNoAssociation;
}

DWORD GetModuleFileName(HINSTANCE, LPSTR lpFilename, DWORD nSize) {
    if (lpFilename == nullptr || nSize == 0) return 0;
    const std::string path = GetModuleFileName();
    if (path.empty()) return 0;
    const std::size_t n = std::min<std::size_t>(path.size(), nSize - 1);
    std::memcpy(lpFilename, path.data(), n);
    lpFilename[n] = '\0';
    return static_cast<DWORD>(n);
}

std::string GetModuleFileName() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}
