#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QStyleOption>
#include <QWidget>

#include "ModalScript.h"
#include "RecordingDialog.h"
#include "TestInput.h"
#include "platform/windows/BitmapImage.h"
#include "platform/windows/CComboBox.h"
#include "platform/windows/CCommandLineInfo.h"
#include "platform/windows/CEdit.h"
#include "platform/windows/CStatic.h"
#include "platform/windows/CWinApp.h"
#include "platform/windows/DialogHook.h"
#include "platform/windows/NativeWindow.h"
#include "platform/windows/UnscriptedModal.h"

namespace {

using D = RecordingDialog;

int MulDivRounded(int v, int n, int d) {
    return (v * n + d / 2) / d;
}

CRect RectInParentClient(CWnd& child, CWnd& parent) {
    CRect rect;
    child.GetWindowRect(rect);
    parent.ScreenToClient(rect);
    return rect;
}

TEST(DialogTest, TemplateGeometryUsesTheFontsBaseUnitsBelowTheMenuBar) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const SIZE base = dialog.GetDialogBaseUnits();
    // 8-point "MS Sans Serif" resolves to Liberation Sans, whose base units
    // match the Windows font's: 6 by 13 pixels, so the 327 x 298 template is
    // 491 x 484 pixels and holds a panel reaching x 481, y 470.
    EXPECT_EQ(base.cx, 6);
    EXPECT_EQ(base.cy, 13);

    CRect mapped(7, 7, 320, 22);
    dialog.MapDialogRect(mapped);
    EXPECT_EQ(mapped, CRect(MulDivRounded(7, base.cx, 4), MulDivRounded(7, base.cy, 8),
                            MulDivRounded(320, base.cx, 4), MulDivRounded(22, base.cy, 8)));

    CRect client;
    dialog.GetClientRect(client);
    EXPECT_EQ(client.Width(), MulDivRounded(327, base.cx, 4));
    EXPECT_EQ(client.Height(), MulDivRounded(298, base.cy, 8));
    EXPECT_EQ(client, CRect(0, 0, 491, 484));
    CRect window;
    dialog.GetWindowRect(window);
    EXPECT_GT(window.Height(), client.Height()) << "the menu bar sits above the client area";

    CWnd* combo = dialog.GetDlgItem(D::kCombo);
    ASSERT_NE(combo, nullptr);
    const CRect comboRect = RectInParentClient(*combo, dialog);
    EXPECT_EQ(comboRect.left, mapped.left);
    EXPECT_EQ(comboRect.top, mapped.top);
    EXPECT_EQ(comboRect.Width(), MulDivRounded(320, base.cx, 4) - mapped.left);

    // Run-time children are placed in pixels in the client area.
    CWnd panel;
    ASSERT_TRUE(panel.CreateEx(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, nullptr, nullptr, 0x50A00000,
                               CRect(12, 40, 481, 470), &dialog, 1001));
    EXPECT_EQ(RectInParentClient(panel, dialog), CRect(12, 40, 481, 470));
    EXPECT_EQ(panel.GetParent(), &dialog);
    EXPECT_EQ(dialog.GetDlgItem(1001), &panel);
}

TEST(DialogTest, TemplateControlsAreTheirClassesObjects) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    auto* combo = dynamic_cast<CComboBox*>(dialog.GetDlgItem(D::kCombo));
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->IsWindowEnabled()) << "WS_DISABLED in the template";
    EXPECT_EQ(combo->GetCurSel(), CB_ERR);
    EXPECT_NE(dynamic_cast<CEdit*>(dialog.GetDlgItem(D::kEdit)), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    EXPECT_EQ(dialog.GetWindowText(), "Quillmoor - No file open");
    EXPECT_EQ(dialog.inits, 1);
}

TEST(DialogTest, EscapeCloseBoxExitAndCommandTwoAllReachOnCancel) {
    RecordingDialog dialog;
    dialog.endOnCancel = false;
    ASSERT_TRUE(dialog.Create());
    CWnd* edit = dialog.GetDlgItem(D::kEdit);
    edit->SetFocus();

    TestInput::KeyClick(*edit, VK_ESCAPE);
    EXPECT_EQ(dialog.cancels, 1);
    TestInput::ClickCloseBox(dialog);
    EXPECT_EQ(dialog.cancels, 2);
    TestInput::ClickMenuItem(dialog, IDCANCEL);
    EXPECT_EQ(dialog.cancels, 3);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_EQ(dialog.cancels, 4);
    EXPECT_TRUE(::IsWindow(dialog.GetSafeHwnd())) << "OnCancel decides; it declined every time";
    EXPECT_FALSE(dialog.IsEnded());

    // A control that merely has id 2 and reports a change is not a cancel.
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, EN_CHANGE), 0);
    EXPECT_EQ(dialog.cancels, 4);
}

TEST(DialogTest, DoModalRunsInitShowsAndDestroysTheWindowAfter) {
    RecordingDialog dialog;
    CWnd* comboSeenInside = nullptr;
    bool visibleInside = false;
    INT_PTR result = 0;
    {
        DialogHook hook([&](const DialogRequest& request) -> INT_PTR {
            EXPECT_EQ(request.dialog, &dialog);
            EXPECT_EQ(dialog.inits, 1);
            visibleInside = dialog.IsWindowVisible() != FALSE;
            comboSeenInside = dialog.GetDlgItem(D::kCombo);
            TestInput::KeyClick(dialog, VK_ESCAPE);
            return 99;
        });
        result = dialog.DoModal();
    }
    EXPECT_EQ(result, IDCANCEL) << "EndDialog's result wins over the hook's";
    EXPECT_TRUE(visibleInside);
    ASSERT_NE(comboSeenInside, nullptr);
    EXPECT_EQ(comboSeenInside->GetSafeHwnd(), nullptr) << "the controls went with the dialog";
    EXPECT_FALSE(::IsWindow(dialog.GetSafeHwnd()));

    DialogHook hook([](const DialogRequest&) -> INT_PTR { return 42; });
    EXPECT_EQ(dialog.DoModal(), 42) << "a dialog can run again; unended, the hook answers";
    EXPECT_EQ(dialog.inits, 2);

    // A dialog made modeless first is not initialised a second time.
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.inits, 3);
}

TEST(DialogTest, UnscriptedModalDialogIsReportedAndNeverBlocks) {
    std::vector<std::string> reports;
    UnscriptedModal::SetReporter([&](const std::string& d) { reports.push_back(d); });
    RecordingDialog dialog;
    const INT_PTR result = dialog.DoModal();
    ModalScript::InstallStrictReporter();
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("Quillmoor - No file open"), std::string::npos);
}

// A window class of the test's own that watches its messages.
class Watcher : public CWnd {
public:
    std::vector<UINT> seen;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (message == WM_USER + 1) return static_cast<LRESULT>(wParam + 1);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(DialogTest, MessagesAndNotificationsPassThroughWindowProc) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    Watcher watcher;
    ASSERT_TRUE(
            watcher.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &dialog, 77));
    EXPECT_EQ(watcher.SendMessage(WM_USER + 1, 41, 0), 42);
    EXPECT_EQ(::SendMessage(watcher.GetSafeHwnd(), WM_USER + 1, 1, 0), 2);

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &watcher, 1010));
    edit.SetWindowText("x");
    ASSERT_FALSE(watcher.seen.empty());
    EXPECT_EQ(watcher.seen.back(), WM_COMMAND) << "the edit's notification reached its parent";
    EXPECT_EQ(edit.GetParent(), &watcher);
    EXPECT_EQ(::GetParent(edit.GetSafeHwnd()), watcher.GetSafeHwnd());

    HWND gone = watcher.GetSafeHwnd();
    watcher.DestroyWindow();
    EXPECT_FALSE(::IsWindow(gone));
    EXPECT_EQ(edit.GetSafeHwnd(), nullptr) << "children go with their parent";
    const std::size_t before = watcher.seen.size();
    EXPECT_EQ(watcher.SendMessage(WM_USER + 1, 1, 0), 0);
    EXPECT_EQ(watcher.seen.size(), before) << "no window, no message";
    edit.SetWindowText("still safe");
    EXPECT_EQ(edit.GetWindowText(), "");
}

TEST(DialogTest, EnableWindowReportsThePreviousState) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CWnd* combo = dialog.GetDlgItem(D::kCombo);
    EXPECT_EQ(combo->EnableWindow(TRUE), TRUE) << "it was disabled";
    EXPECT_TRUE(combo->IsWindowEnabled());
    EXPECT_EQ(combo->EnableWindow(FALSE), FALSE);
    EXPECT_EQ(combo->GetStyle() & WS_DISABLED, WS_DISABLED);
}

TEST(DialogTest, IconsAreSetPerSizeAndReturnThePreviousOne) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    std::vector<std::uint32_t> pixels(32 * 32, 0xFF2050A0u);
    HICON icon = LoadIcon(BitmapImage(32, 32, pixels));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(dialog.SetIcon(icon, TRUE), nullptr);
    EXPECT_EQ(dialog.SetIcon(icon, FALSE), nullptr);
    EXPECT_EQ(dialog.SetIcon(icon, TRUE), icon);
    EXPECT_EQ(dialog.GetIcon(FALSE), icon);
    EXPECT_EQ(GetIconImage(icon).Pixel(5, 5), 0xFF2050A0u);
    EXPECT_EQ(LoadIcon(BitmapImage(32, 32, {1, 2, 3})), nullptr) << "pixels that do not fit the size";
}

// The entry selector has the focus when the editor opens, and shows it
// before any key is pressed, as in a Win32 dialog.
TEST(DialogTest, TheControlFocusedAtStartDrawsItsFocusCue) {
    RecordingDialog dialog;
    dialog.onInit = [](RecordingDialog& d) {
        d.GetDlgItem(D::kCombo)->EnableWindow(TRUE);
    };
    ASSERT_TRUE(dialog.Create());
    TestInput::ProcessEvents();
    QWidget* combo = dialog.GetDlgItem(D::kCombo)->GetSafeHwnd()->Widget();
    ASSERT_TRUE(combo->hasFocus());
    QStyleOption option;
    option.initFrom(combo);
    EXPECT_TRUE(option.state & QStyle::State_HasFocus);
    EXPECT_TRUE(option.state & QStyle::State_KeyboardFocusChange);
    // The style really draws the cue from that state.
    const QImage cued = combo->grab().toImage();
    combo->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
    EXPECT_NE(combo->grab().toImage(), cued);
}

// Reload Modules destroys the form's labels and value controls and makes new
// ones. A screen reader must find every new label by its text, and nothing
// may stay of the old controls: a new one born at a gone one's address would
// otherwise inherit its dead entry and drop out of the tree.
TEST(DialogTest, ControlsMadeAfterOthersWentAreInTheAccessibilityTree) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    struct Row {
        CStatic label;
        CEdit value;
    };
    const auto makeRows = [&dialog](std::vector<std::unique_ptr<Row>>& rows, std::vector<const char*> names) {
        for (const char* name : names) {
            const int top = 60 + 30 * static_cast<int>(rows.size());
            auto row = std::make_unique<Row>();
            row->label.Create(name, WS_CHILD | WS_VISIBLE, CRect(10, top, 190, top + 25), &dialog);
            row->value.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(200, top, 300, top + 25), &dialog,
                              static_cast<UINT>(2000 + rows.size()));
            rows.push_back(std::move(row));
        }
    };
    const auto accessible = [](CWnd& control) {
        return QAccessible::queryAccessibleInterface(control.GetSafeHwnd()->Widget());
    };

    std::vector<std::unique_ptr<Row>> rows;
    makeRows(rows, {"Name", "Level"});
    std::vector<QAccessible::Id> gone;
    for (const auto& row : rows)
        for (CWnd* control : {static_cast<CWnd*>(&row->label), static_cast<CWnd*>(&row->value)})
            gone.push_back(QAccessible::uniqueId(accessible(*control)));
    rows.clear();
    for (const QAccessible::Id id : gone)
        EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr) << "a gone control is still in the tree";

    makeRows(rows, {"Hit points", "Speed"});
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(dialog.GetSafeHwnd()->Client());
    ASSERT_NE(form, nullptr);
    std::vector<std::string> labels;
    for (int i = 0; i < form->childCount(); ++i)
        if (QAccessibleInterface* child = form->child(i);
            child != nullptr && child->isValid() && child->role() == QAccessible::StaticText)
            labels.push_back(child->text(QAccessible::Name).toStdString());
    EXPECT_EQ(labels, (std::vector<std::string>{"Hit points", "Speed"}));
}

class ArgsApp : public CWinApp {
public:
    std::string fileName;
    BOOL InitInstance() override {
        CCommandLineInfo info;
        ParseCommandLine(info);
        fileName = info.m_strFileName;
        return FALSE;
    }
    int ExitInstance() override { return 7; }
};

TEST(AppTest, AfxWinMainHandsTheFirstNonFlagArgumentOver) {
    ArgsApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(app.m_strAppName, "quill_windows_tests") << "the executable's base name";
    char prog[] = "quillmoor";
    char flag[] = "-nologo";
    char path[] = "/tmp/with space/x.qlm";
    char second[] = "y.qlm";
    char* argv[] = {prog, flag, path, second, nullptr};
    EXPECT_EQ(AfxWinMain(4, argv), 7) << "InitInstance said no: ExitInstance ends it";
    EXPECT_EQ(app.fileName, "/tmp/with space/x.qlm");

    app.SetCommandLine({});
    app.InitInstance();
    EXPECT_EQ(app.fileName, "");
    app.SetCommandLine({"-a", "-", "z"});
    app.InitInstance();
    EXPECT_EQ(app.fileName, "-") << "a lone dash is not a flag";
    // The toolkit's options left in argv (a display name off X11) take their values along.
    app.SetCommandLine({"-style", "fusion", "-display", ":1", "-reverse", "x.qlm"});
    app.InitInstance();
    EXPECT_EQ(app.fileName, "x.qlm");
    app.SetCommandLine({"--", "-odd.qlm"});
    app.InitInstance();
    EXPECT_EQ(app.fileName, "-odd.qlm") << "after \"--\" a file name may start with a dash";
}

} // namespace
