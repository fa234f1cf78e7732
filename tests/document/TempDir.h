#pragma once

#include <string>
#include <string_view>

// A fresh folder for one test, removed with everything in it afterwards. Its
// path is resolved, so it compares equal to the paths CFile reports.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Ends with '/'.
    const std::string& Path() const { return m_strPath; }
    std::string operator/(std::string_view name) const { return m_strPath + std::string(name); }

    static void WriteFile(const std::string& path, std::string_view bytes);
    // The whole file; empty when it cannot be read.
    static std::string ReadFile(const std::string& path);
    static bool Exists(const std::string& path);

private:
    std::string m_strPath;
};
