#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "DialogHarness.h"
#include "TestInput.h"
#include "app/CEditorApp.h"
#include "platform/windows/AcceleratorTable.h"
#include "platform/windows/BitmapImage.h"
#include "platform/windows/DialogHook.h"
#include "platform/windows/Shell.h"
#include "res/resource.h"
#include "res/ui/AboutResources.h"
#include "res/ui/EditorResources.h"
#include "ui/CEditorDlg.h"
#include "ui/HelpPage.h"

namespace {

TEST(HelpPageTest, UrlIsTheGuideInTheProgramsFolder) {
    EXPECT_EQ(HelpPage::UrlFor("/opt/Quill Tools/lib/quillmoor/quillmoor"),
              "file:///opt/Quill Tools/lib/quillmoor/help/index.html");
    EXPECT_EQ(HelpPage::UrlFor("/quillmoor"), "file:///help/index.html");
    // Characters that would end the path or start an escape, and bytes that
    // are not printable ASCII, are written as escapes.
    EXPECT_EQ(HelpPage::UrlFor("/srv/a#b/c?d/100%/caf\xE9\x01/quillmoor"),
              "file:///srv/a%23b/c%3Fd/100%25/caf%E9%01/help/index.html");
}

TEST(HelpPageTest, TheBuiltProgramFindsItsGuide) {
    // The URL of the real program, taken apart again, names the guide that
    // the build copies beside it.
    const std::string url = HelpPage::UrlFor(QUILL_PROGRAM_PATH);
    const std::string prefix = "file://";
    ASSERT_EQ(url.compare(0, prefix.size(), prefix), 0) << url;
    ASSERT_EQ(url.find('%'), std::string::npos) << "build folder with escaped characters: " << url;
    EXPECT_TRUE(std::filesystem::is_regular_file(url.substr(prefix.size()))) << url;
}

using EditorCommandsTest = DialogHarness;

TEST_F(EditorCommandsTest, HelpFromKeyAndMenuOpensTheGuideBesideTheProgram) {
    Start();
    m_modals.AnswerShellExecute(true);
    m_modals.AnswerShellExecute(false); // a missing page is not reported
    TestInput::KeyClick(m_dlg, VK_F1);
    TestInput::ClickMenuItem(m_dlg, ID_HELP_HELP);

    const std::string folder = std::filesystem::path(GetModuleFileName()).parent_path().string();
    ASSERT_EQ(m_modals.ShellRequests().size(), 2u);
    for (const ShellExecuteRequest& request : m_modals.ShellRequests()) {
        EXPECT_EQ(request.file, "file://" + folder + "/help/index.html");
        EXPECT_EQ(request.operation, "");
        EXPECT_EQ(request.parameters, "");
        EXPECT_EQ(request.directory, "");
        EXPECT_EQ(request.showCmd, SW_HIDE);
        EXPECT_EQ(request.owner, m_dlg.GetSafeHwnd());
    }
    EXPECT_TRUE(m_modals.MessageBoxes().empty());
}

// The ways a user closes the about box, and the result each gives.
struct CloseWay {
    const char* name;
    std::function<void(CDialog&)> close;
    INT_PTR result;
};

void PrintTo(const CloseWay& way, std::ostream* os) {
    *os << way.name;
}

class AboutCloseTest : public EditorCommandsTest, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(AboutCloseTest, AboutShowsThePictureAndCloses) {
    Start();
    bool visible = false;
    bool ended = false;
    int result = 0;
    BitmapImage shown;
    DialogHook hook([&](const DialogRequest& request) -> INT_PTR {
        CDialog& about = *request.dialog;
        visible = about.GetWindowText() == "About Quillmoor" && about.IsWindowVisible();
        if (CWnd* picture = about.GetDlgItem(0xFFFF)) shown = TestInput::Grab(*picture);
        GetParam().close(about);
        ended = about.IsEnded() != FALSE;
        result = about.GetEndResult();
        return -1;
    });
    TestInput::ClickMenuItem(m_dlg, ID_HELP_ABOUT);

    EXPECT_TRUE(visible);
    EXPECT_TRUE(ended);
    EXPECT_EQ(result, GetParam().result);
    // The picture shows the about image, pixel for pixel where it lies.
    const BitmapImage& image = AboutResources::AboutImage();
    ASSERT_EQ(image.Width(), 300);
    ASSERT_EQ(image.Height(), 300);
    ASSERT_GE(shown.Width(), 300);
    ASSERT_GE(shown.Height(), 300);
    for (int xy : {0, 75, 150, 299})
        EXPECT_EQ(shown.Pixel(xy, xy), image.Pixel(xy, xy)) << xy;
    // The editor stays open.
    EXPECT_FALSE(m_dlg.IsEnded());
    EXPECT_TRUE(m_dlg.IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(
        Ways, AboutCloseTest,
        ::testing::Values(CloseWay{"OkButton", [](CDialog& d) { TestInput::Click(*d.GetDlgItem(IDOK)); },
                                   IDOK},
                          CloseWay{"Enter", [](CDialog& d) { TestInput::KeyClick(d, VK_RETURN); }, IDOK},
                          CloseWay{"Escape", [](CDialog& d) { TestInput::KeyClick(d, VK_ESCAPE); }, IDCANCEL},
                          CloseWay{"CloseBox", [](CDialog& d) { TestInput::ClickCloseBox(d); }, IDCANCEL}),
        [](const ::testing::TestParamInfo<CloseWay>& test) { return std::string(test.param.name); });

} // namespace
