#include "app/CEditorApp.h"

#include "platform/AcceleratorTable.h"
#include "platform/CCommandLineInfo.h"
#include "res/EditorResources.h"
#include "ui/CEditorDlg.h"

CEditorApp::CEditorApp() : CWinApp(nullptr) {}

CEditorApp::~CEditorApp() = default;

BOOL CEditorApp::InitInstance()
{
    Enable3dControls();
    m_hAccel = LoadAccelerators(EditorResources::EditorAccelerators());
    // Declared before the dialog so the path it hands over outlives it.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    CEditorDlg dlg;
    dlg.m_lpszStartupModule = cmdInfo.m_strFileName.c_str();
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // Keys arriving while the dialog object goes must not reach it.
    m_pMainWnd = nullptr;
    return FALSE;
}

BOOL CEditorApp::ProcessMessageFilter(int code, MSG* lpMsg)
{
    if (m_hAccel != nullptr && m_pMainWnd != nullptr && lpMsg != nullptr &&
        IsForMainWindow(lpMsg->hwnd) &&
        TranslateAccelerator(m_pMainWnd->GetSafeHwnd(), m_hAccel, lpMsg) != 0)
        return TRUE;
    return CWinApp::ProcessMessageFilter(code, lpMsg);
}

bool CEditorApp::IsForMainWindow(HWND hwnd) const
{
    // A key typed into a message box, a file dialog or the about box stays
    // there: Enter on a box's button must press it, not run Apply Changes
    // again behind the box while the first run is still waiting for it.
    const HWND main = m_pMainWnd->GetSafeHwnd();
    for (CWnd* pWnd = CWnd::FromHandle(hwnd); pWnd != nullptr;)
    {
        if (pWnd->GetSafeHwnd() == main)
            return true;
        if ((pWnd->GetStyle() & WS_CHILD) == 0)
            return false;
        pWnd = pWnd->GetParent();
    }
    return false;
}
