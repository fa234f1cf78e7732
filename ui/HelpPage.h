#pragma once

#include <string>
#include <string_view>

class CWnd;

// The user guide beside the program: <program's folder>/help/index.html,
// opened as a file URL by the desktop's handler.
class HelpPage {
public:
    // "file://" + the folder of programPath + "/help/index.html". Bytes that
    // would end the path part of a URL or start an escape ('#', '?', '%'),
    // and bytes outside printable ASCII, are percent-encoded so that the
    // handler opens exactly this file.
    static std::string UrlFor(std::string_view programPath);

    // Hands the page of the running program to the desktop; a missing page
    // is the handler's to report.
    static void Open(CWnd& owner);
};
