#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/WinConstants.h"
#include "platform/win32/WinTypes.h"
#include "platform/windows/ModalHook.h"

class CWnd;

// What a file dialog was asked to show.
struct FileDialogRequest {
    bool open = true;
    std::string defaultExt;
    std::string fileName;
    DWORD flags = 0;
    // MFC form: "Description|*.ext|Other|*.a;*.b|".
    std::string filter;
};

// The chosen full paths in order; std::nullopt when the user cancels.
using FileDialogAnswer = std::optional<std::vector<std::string>>;
using FileDialogHook = ModalHook<FileDialogRequest, FileDialogAnswer>;

// Opaque iteration position for GetNextPathName; null at the end.
struct FileDialogPosition;
using POSITION = FileDialogPosition*;

// MFC's file dialog. With OFN_FILEMUSTEXIST only existing files can be
// chosen; with OFN_ALLOWMULTISELECT several, walked with GetStartPosition and
// GetNextPathName.
class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                DWORD dwFlags = 0, LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    ~CFileDialog();
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when at least one file was chosen, IDCANCEL otherwise.
    INT_PTR DoModal();

    // The first chosen file's full path, and its name without folder.
    std::string GetPathName() const;
    std::string GetFileName() const;

    POSITION GetStartPosition() const;
    std::string GetNextPathName(POSITION& pos) const;

    const FileDialogRequest& Request() const { return m_request; }

private:
    FileDialogRequest m_request;
    CWnd* m_pParentWnd = nullptr;
    std::vector<std::string> m_paths;
};
