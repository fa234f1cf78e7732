#include "app/StartupEditorDlg.h"

#include <filesystem>
#include <system_error>

BOOL StartupEditorDlg::OnInitDialog() {
    const BOOL result = CEditorDlg::OnInitDialog();
    if (m_romPath.empty()) return result;
    // A relative path means the folder the program was started in; the
    // title, the recent list and the link file want the file named in full.
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(m_romPath, error);
    const std::string path = error ? m_romPath : full.lexically_normal().string();
    OpenRomPath(path);
    // Open Rom put the focus where it belongs; the dialog must not move it
    // to its first control.
    return IsRomOpen() ? FALSE : result;
}
