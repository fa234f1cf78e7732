#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "table/CTableModule.h"

// Writes a module file (and side files) into a private folder and loads it
// the way the module list does: open, construct, Load, close.
class LoaderFixture : public testing::Test {
protected:
    static std::string Join(const std::vector<std::string>& lines, const char* eol = "\n");
    // Header lines of a module named "Test" with the given geometry.
    static std::vector<std::string> Header(std::string count = "4", std::string length = "8",
                                           std::string names = "NULL", std::string chars = "none.tbl");

    int Load(const std::string& text, const std::string& name = "mod.qlm");

    TempDir m_dir;
    std::unique_ptr<CTableModule> m_module;
};
