#pragma once

#include "platform/windows/DialogTemplate.h"

class BitmapImage;

// The about box: a plain dialog with the about picture and an OK button,
// built once and kept for the program's life like a compiled-in resource.
class AboutResources {
public:
    static const DialogTemplate& AboutDialog();
    // The 300 x 300 picture, decoded from the bytes of res/about.bmp.
    static const BitmapImage& AboutImage();
};
