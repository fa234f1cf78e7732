#pragma once

#include <string>

#include "ui/CEditorDlg.h"

// The editor's dialog as start-up runs it: once it is set up, a ROM named
// on the command line is opened the way Open Rom opens the file the user
// picks, so it meets the modules and its link file exactly as that one.
class StartupEditorDlg : public CEditorDlg {
public:
    explicit StartupEditorDlg(std::string romPath) : m_romPath(std::move(romPath)) {}

    BOOL OnInitDialog() override;

private:
    std::string m_romPath;
};
