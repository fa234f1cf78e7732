// What reaches a dialog from outside its controls: its activation, its
// timers and files dropped on it, each as the Win32 message.

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

#include "RecordingDialog.h"
#include "TestInput.h"
#include "platform/windows/DroppedFiles.h"

namespace {

class EventDialog : public RecordingDialog {
public:
    std::vector<UINT> activations;
    std::vector<UINT_PTR> timers;
    std::vector<std::vector<std::string>> drops;
    // DragQueryFile's copy into a buffer of 4 bytes, of the first file.
    std::string shortCopy;

protected:
    void OnActivate(UINT nState, CWnd*, BOOL) override { activations.push_back(nState); }
    void OnTimer(UINT_PTR nIDEvent) override {
        timers.push_back(nIDEvent);
        // Killed from its own second tick.
        if (timers.size() == 2) KillTimer(nIDEvent);
    }
    void OnDropFiles(HDROP drop) override {
        std::vector<std::string> paths;
        for (UINT i = 0; i < DragQueryFile(drop, 0xFFFFFFFFu, nullptr, 0); ++i) {
            std::string path(DragQueryFile(drop, i, nullptr, 0), '\0');
            DragQueryFile(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
            paths.push_back(path);
        }
        char buffer[4] = "xyz";
        shortCopy = std::string(buffer, DragQueryFile(drop, 0, buffer, sizeof buffer));
        drops.push_back(paths);
    }
};

// Lets events run for about `ms` milliseconds.
void RunEventsFor(int ms) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        TestInput::ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TEST(WindowEventsTest, LeavingAndComingBackAreWmActivate) {
    EventDialog dialog;
    ASSERT_TRUE(dialog.Create());
    TestInput::Activate(dialog);
    ASSERT_FALSE(dialog.activations.empty());
    EXPECT_EQ(dialog.activations.back(), UINT{WA_ACTIVE});
    TestInput::LeaveProgram();
    EXPECT_EQ(dialog.activations.back(), UINT{WA_INACTIVE});
    const size_t before = dialog.activations.size();
    TestInput::Activate(dialog);
    EXPECT_EQ(dialog.activations.size(), before + 1);
    EXPECT_EQ(dialog.activations.back(), UINT{WA_ACTIVE});
}

TEST(WindowEventsTest, ATimerTicksUntilKilledEvenFromItsOwnTick) {
    EventDialog dialog;
    EXPECT_EQ(dialog.SetTimer(7, 10), 0u) << "no window, no timer";
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.SetTimer(7, 10), 7u);
    for (int i = 0; i < 400 && dialog.timers.size() < 2; ++i)
        RunEventsFor(5);
    RunEventsFor(100);
    EXPECT_EQ(dialog.timers, (std::vector<UINT_PTR>{7, 7}));
    EXPECT_FALSE(dialog.KillTimer(7)) << "already stopped";
}

TEST(WindowEventsTest, DroppedFilesReachOnlyAWindowThatAcceptsThemEvenOverItsEditBox) {
    EventDialog dialog;
    ASSERT_TRUE(dialog.Create());
    const std::vector<std::string> paths = {"/tmp/a b.rom", "/tmp/c.qlm"};
    EXPECT_FALSE(TestInput::DropFiles(dialog, paths));
    EXPECT_TRUE(dialog.drops.empty());

    dialog.DragAcceptFiles();
    EXPECT_TRUE(TestInput::DropFiles(dialog, paths));
    CWnd& edit = *dialog.GetDlgItem(RecordingDialog::kEdit);
    const std::string text = edit.GetWindowText();
    EXPECT_TRUE(TestInput::DropFiles(edit, {"/tmp/d.rom"}));
    EXPECT_EQ(edit.GetWindowText(), text) << "the path is no text typed into the box";
    EXPECT_EQ(dialog.drops, (std::vector<std::vector<std::string>>{paths, {"/tmp/d.rom"}}));
    EXPECT_EQ(dialog.shortCopy, "/tm");
}

} // namespace
