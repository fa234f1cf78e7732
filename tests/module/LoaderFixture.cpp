#include "LoaderFixture.h"

#include "module/LoadModuleFile.h"
#include "platform/files/CFile.h"

LoadError LoaderFixture::Load(const Lines& lines, const ModuleWriter::SideFiles& sideFiles,
                              const std::string& name) {
    return LoadPath(writer.Write(name, lines, sideFiles));
}

LoadError LoaderFixture::LoadText(const std::string& text) {
    return LoadPath(dir.Write("mod.qlm", text));
}

LoadError LoaderFixture::LoadPath(const std::string& path) {
    ModuleFileResult loaded = LoadModuleFile(path);
    if (!loaded) {
        module.reset();
        EXPECT_FALSE(loaded.Error().NotOpened()) << loaded.Error().reason;
        return loaded.Error().error;
    }
    module = std::move(loaded).Value();
    return LoadError::None;
}

LoadError LoaderFixture::LoadKeeping(CTableModule& into, const Lines& lines, const std::string& name) {
    CFile file;
    EXPECT_TRUE(file.Open(writer.Write(name, lines), CFile::modeRead));
    return into.Load(file);
}
