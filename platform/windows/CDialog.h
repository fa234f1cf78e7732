#pragma once

#include <memory>
#include <vector>

#include "platform/windows/CWnd.h"

struct DialogTemplate;

// A dialog built from a template. DoModal creates the window and the
// template's controls, runs OnInitDialog, shows it and runs until EndDialog;
// the window (with its children) is destroyed before DoModal returns.
//
// Command IDCANCEL (2) - from a menu item, a button, the Escape key or the
// close box - reaches the virtual OnCancel; command IDOK (1), also from the
// Enter key when no accelerator took it, reaches OnOK. Both end the dialog
// unless overridden.
class CDialog : public CWnd {
public:
    explicit CDialog(const DialogTemplate* pTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Creates the window from the template without a modal loop and runs
    // OnInitDialog; the window is shown when the template has WS_VISIBLE.
    // For embedding and tests. FALSE when it already exists.
    BOOL Create(CWnd* pParentWnd = nullptr);
    // Records the result and ends the modal loop; the window goes when
    // DoModal returns (a dialog made with Create hides at once).
    void EndDialog(int nResult);
    // Shows the window application-modal and active: the step DoModal takes
    // before its loop, for a dialog whose loop runs elsewhere (a test's).
    void ShowModalWindow();
    // Whether EndDialog was called since the window was created, and with
    // which result.
    BOOL IsEnded() const { return m_bEnded; }
    int GetEndResult() const { return m_nResult; }

    virtual BOOL OnInitDialog();

    // Dialog units to pixels with this dialog's font: x * baseX / 4,
    // y * baseY / 8 (rounded like MulDiv).
    void MapDialogRect(LPRECT lpRect) const;
    // The template font's average character width and height in pixels.
    SIZE GetDialogBaseUnits() const;

    const DialogTemplate* GetTemplate() const { return m_pTemplate; }

protected:
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    BOOL CreateFromTemplate();
    void CreateControls();

    const DialogTemplate* m_pTemplate;
    CWnd* m_pParentWnd;
    // Window objects of the template's controls; GetDlgItem finds them.
    std::vector<std::unique_ptr<CWnd>> m_templateControls;
    BOOL m_bEnded = FALSE;
    int m_nResult = 0;
    bool m_bModalLoop = false;
};
