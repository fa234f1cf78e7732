#include "LoaderFixture.h"

#include "platform/files/CFile.h"

std::string LoaderFixture::Join(const std::vector<std::string>& lines, const char* eol) {
    std::string text;
    for (const auto& line : lines)
        text += line + eol;
    return text;
}

std::vector<std::string> LoaderFixture::Header(std::string count, std::string length, std::string names,
                                               std::string chars) {
    return {"1", "Test", "0x10", count, length, names, chars};
}

int LoaderFixture::Load(const std::string& text, const std::string& name) {
    std::string path = m_dir.Write(name, text);
    CFile file;
    EXPECT_TRUE(file.Open(path, CFile::modeRead));
    m_module = std::make_unique<CTableModule>();
    int result = m_module->Load(file);
    EXPECT_TRUE(file.Close());
    return result;
}
