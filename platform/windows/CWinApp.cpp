#include "platform/windows/CWinApp.h"

#include <memory>

#include <QApplication>

#include "platform/windows/AppKeyFilter.h"
#include "platform/windows/CCommandLineInfo.h"
#include "platform/windows/Shell.h"
#include "platform/windows/ToolkitOptions.h"

namespace {
CWinApp*& CurrentApp() {
    static CWinApp* app = nullptr;
    return app;
}
} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName) : m_strAppName(lpszAppName != nullptr ? lpszAppName : AfxGetAppName()) {
    CurrentApp() = this;
    AppKeyFilter::Install();
}

CWinApp::~CWinApp() {
    if (CurrentApp() == this) CurrentApp() = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

BOOL CWinApp::ProcessMessageFilter(int, MSG*) {
    return FALSE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < m_args.size(); ++i) {
        const std::string& arg = m_args[i];
        // The toolkit's options are its own, even those it left in place.
        const std::size_t toolkitSpan = optionsEnded ? 0 : ToolkitOptions::Span(m_args, i);
        if (toolkitSpan > 0) {
            i += toolkitSpan - 1;
            continue;
        }
        if (arg == "--" && !optionsEnded) {
            optionsEnded = true;
            continue;
        }
        const bool last = i + 1 == m_args.size();
        // "-" alone conventionally names standard input, and after "--" a
        // file name may start with '-': neither is a flag.
        const bool flag = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        rCmdInfo.ParseParam(flag ? arg.c_str() + 1 : arg.c_str(), flag, last);
    }
}

void CWinApp::SetCommandLine(std::vector<std::string> args) {
    m_args = std::move(args);
}

CWinApp* AfxGetApp() {
    return CurrentApp();
}

std::string AfxGetAppName() {
    const std::string path = GetModuleFileName();
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int AfxWinMain(int argc, char** argv) {
    std::unique_ptr<QApplication> owned;
    static int s_argc = 0;
    if (QApplication::instance() == nullptr) {
        // QApplication keeps a reference to argc for its whole life.
        s_argc = argc;
        owned = std::make_unique<QApplication>(s_argc, argv);
    }
    AppKeyFilter::Install();
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return 1;
    QCoreApplication::setApplicationName(QString::fromStdString(app->m_strAppName));
    std::vector<std::string> args;
    // The toolkit has taken its own options out of argv and counted them off.
    if (owned) argc = s_argc;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i] != nullptr ? argv[i] : "");
    app->SetCommandLine(std::move(args));
    if (app->InitInstance()) QApplication::exec();
    return app->ExitInstance();
}
