#pragma once

#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "ModuleWriter.h"
#include "TempDir.h"
#include "table/CTableModule.h"

// Writes a module file (and side files) into a scratch folder and loads it
// the way the editor and qlm do.
class LoaderFixture : public testing::Test {
protected:
    using Lines = ModuleWriter::Lines;

    // LoadModuleFile on the written module: the module in `module` on
    // success, null after a failure.
    LoadError Load(const Lines& lines, const ModuleWriter::SideFiles& sideFiles = {},
                   const std::string& name = "mod.qlm");
    // The same for a module file of exactly these bytes.
    LoadError LoadText(const std::string& text);
    // CTableModule::Load into a module the test keeps, to see what a failed
    // load leaves behind.
    LoadError LoadKeeping(CTableModule& into, const Lines& lines, const std::string& name = "mod.qlm");

    LoadError LoadPath(const std::string& path);

    TempDir dir;
    ModuleWriter writer{dir};
    std::unique_ptr<CTableModule> module;
};
