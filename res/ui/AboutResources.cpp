#include "res/ui/AboutResources.h"

#include <cstddef>

#include "platform/win32/WinConstants.h"
#include "platform/windows/BitmapImage.h"
#include "res/resource.h"

// The bytes of res/about.bmp, generated at build time (res/tools/EmbedFile.cmake).
extern const unsigned char kAboutImageBmp[];
extern const std::size_t kAboutImageBmpSize;

namespace {

// A static without an id of its own, as resource compilers write it.
constexpr UINT kNoControlId = 0xFFFF;

DialogItemTemplate OkButton() {
    DialogItemTemplate ok;
    ok.className = "BUTTON";
    ok.text = "OK";
    ok.id = IDOK;
    ok.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
    ok.x = 74;
    ok.y = 190;
    ok.cx = 50;
    ok.cy = 14;
    return ok;
}

DialogItemTemplate Picture() {
    DialogItemTemplate picture;
    picture.className = "STATIC";
    picture.id = kNoControlId;
    picture.style = WS_CHILD | WS_VISIBLE | SS_BITMAP;
    picture.exStyle = WS_EX_CLIENTEDGE;
    picture.x = 0;
    picture.y = 0;
    picture.cx = 203;
    picture.cy = 187;
    picture.image = &AboutResources::AboutImage();
    return picture;
}

DialogTemplate BuildAboutDialog() {
    DialogTemplate dlg;
    dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    dlg.x = 0;
    dlg.y = 0;
    dlg.cx = 200;
    dlg.cy = 209;
    dlg.caption = "About Quillmoor";
    dlg.pointSize = 8;
    dlg.typeface = "MS Sans Serif";
    dlg.items.push_back(OkButton());
    dlg.items.push_back(Picture());
    return dlg;
}

} // namespace

const DialogTemplate& AboutResources::AboutDialog() {
    static const DialogTemplate dlg = BuildAboutDialog();
    return dlg;
}

const BitmapImage& AboutResources::AboutImage() {
    static const BitmapImage image = BitmapImage::FromEncoded(kAboutImageBmp, kAboutImageBmpSize);
    return image;
}
