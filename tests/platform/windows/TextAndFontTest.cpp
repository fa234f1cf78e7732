#include <gtest/gtest.h>

#include <QLabel>

#include "RecordingDialog.h"
#include "platform/windows/CFont.h"
#include "platform/windows/CStatic.h"
#include "platform/windows/NativeWindow.h"
#include "platform/windows/WindowText.h"

namespace {

TEST(WindowTextTest, StrictUtf8DecidesHowBytesDisplay) {
    EXPECT_TRUE(WindowText::IsValidUtf8("plain"));
    EXPECT_TRUE(WindowText::IsValidUtf8("caf\xC3\xA9 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(WindowText::IsValidUtf8("caf\xE9"));
    EXPECT_FALSE(WindowText::IsValidUtf8("\xC0\xAF")) << "overlong";
    EXPECT_FALSE(WindowText::IsValidUtf8("\xED\xA0\x80")) << "surrogate";
    EXPECT_FALSE(WindowText::IsValidUtf8("\xF4\x90\x80\x80")) << "past U+10FFFF";
    EXPECT_FALSE(WindowText::IsValidUtf8("\xE2\x82")) << "cut short";
    EXPECT_EQ(WindowText::ForDisplay("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(WindowText::ForDisplay("caf\xE9"), QStringLiteral("caf\u00E9"));
}

TEST(WindowTextTest, TitlesAndLabelsDisplayTheBytesAndReturnThemUnchanged) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.SetWindowText("Quillmoor - r\xF6m.gba");
    EXPECT_EQ(dialog.GetWindowText(), "Quillmoor - r\xF6m.gba");
    EXPECT_EQ(dialog.GetSafeHwnd()->Widget()->windowTitle(), QStringLiteral("Quillmoor - r\u00F6m.gba"));

    CStatic label;
    ASSERT_TRUE(label.Create("<b>HP</b>", WS_CHILD | WS_VISIBLE, CRect(10, 45, 199, 70), &dialog));
    auto* qlabel = qobject_cast<QLabel*>(label.GetSafeHwnd()->Widget());
    ASSERT_NE(qlabel, nullptr);
    EXPECT_EQ(qlabel->textFormat(), Qt::PlainText) << "names are never read as markup";
    EXPECT_EQ(qlabel->text(), QStringLiteral("<b>HP</b>"));
    EXPECT_EQ(label.GetWindowText(), "<b>HP</b>");
    EXPECT_EQ(label.GetDlgCtrlID(), 0xFFFF);
}

TEST(FontTest, WindowsFacesResolveToInstalledEquivalentsAtWindowsPixelSizes) {
    CFont serif;
    ASSERT_TRUE(serif.CreatePointFont(100, "Times New Roman"));
    EXPECT_EQ(serif.GetResolvedFamily(), "Liberation Serif");
    EXPECT_EQ(serif.GetPixelHeight(), 13);
    EXPECT_FALSE(serif.CreatePointFont(100, "Times New Roman")) << "a font object holds one font";
    CFont sans;
    ASSERT_TRUE(sans.CreatePointFont(80, "MS Sans Serif"));
    EXPECT_EQ(sans.GetResolvedFamily(), "Liberation Sans");
    EXPECT_EQ(sans.GetPixelHeight(), 11);
    EXPECT_EQ(CFont::FromHandle(sans.GetSafeHandle()), &sans);
}

TEST(FontTest, WindowsKeepTheirFontWhenTheFontObjectGoes) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CWnd* edit = dialog.GetDlgItem(RecordingDialog::kEdit);
    auto font = std::make_unique<CFont>();
    ASSERT_TRUE(font->CreatePointFont(100, "Times New Roman"));
    edit->SetFont(font.get());
    EXPECT_EQ(edit->SendMessage(WM_GETFONT), reinterpret_cast<LRESULT>(font->GetSafeHandle()));
    font.reset();
    EXPECT_EQ(edit->SendMessage(WM_GETFONT), 0) << "a stale handle is never handed out";
    EXPECT_EQ(edit->GetSafeHwnd()->Widget()->font().pixelSize(), 13);
}

} // namespace
