#pragma once

#include <string>
#include <string_view>

// A fresh folder for one test under $TMPDIR (or /tmp), removed with everything
// in it when the object goes. Its path is resolved, so it compares equal to
// the paths the loader and CFile report, and it is readable by others so a
// test step running as another user can reach it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Ends with '/'.
    const std::string& Path() const { return m_path; }
    std::string operator/(std::string_view name) const { return m_path + std::string(name); }

    // Writes bytes to a file of the folder (sub-folders are made) and returns
    // its full path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;

    static void WriteFile(const std::string& path, std::string_view bytes);
    // The whole file; empty when it cannot be read.
    static std::string ReadFile(const std::string& path);
    static bool Exists(const std::string& path);

private:
    std::string m_path;
};
