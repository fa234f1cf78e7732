#pragma once

#include <string>

#include "ui/CEditorDlg.h"

// The editor's dialog as start-up runs it: once it is set up, a ROM named
// on the command line is opened through Open Rom itself, its file dialog
// answered with that path, so the ROM meets the modules and its link file
// exactly as one the user picks.
class StartupEditorDlg : public CEditorDlg {
public:
    explicit StartupEditorDlg(std::string romPath) : m_romPath(std::move(romPath)) {}

    BOOL OnInitDialog() override;

private:
    std::string m_romPath;
};
