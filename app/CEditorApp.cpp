#include "app/CEditorApp.h"

#include "app/EditorCommandLine.h"
#include "app/StartupEditorDlg.h"
#include "platform/windows/AcceleratorTable.h"
#include "res/StringTable.h"
#include "res/ui/EditorResources.h"

CEditorApp::CEditorApp() : CWinApp(kAppTitle) {}

CEditorApp::~CEditorApp() = default;

BOOL CEditorApp::InitInstance() {
    Enable3dControls();
    m_hAccel = LoadAccelerators(EditorResources::EditorAccelerators());
    // Declared before the dialog so the path it hands over outlives it.
    EditorCommandLine commandLine;
    ParseCommandLine(commandLine);
    StartupEditorDlg dialog(commandLine.m_strRomFile);
    dialog.m_lpszStartupModule = commandLine.m_strFileName.c_str();
    m_pMainWnd = &dialog;
    dialog.DoModal();
    // Keys arriving while the dialog object goes must not reach it.
    m_pMainWnd = nullptr;
    return FALSE;
}

BOOL CEditorApp::ProcessMessageFilter(int code, MSG* msg) {
    // The layer only offers keys typed into the main dialog itself, never
    // those of a box shown over it.
    if (m_hAccel != nullptr && m_pMainWnd != nullptr &&
        TranslateAccelerator(m_pMainWnd->GetSafeHwnd(), m_hAccel, msg) != 0)
        return TRUE;
    return CWinApp::ProcessMessageFilter(code, msg);
}
