#pragma once

#include <string>
#include <string_view>

// A scratch folder for a benchmark's input files, removed with its files
// when the object goes.
class CBenchFolder {
public:
    CBenchFolder();
    ~CBenchFolder();
    CBenchFolder(const CBenchFolder&) = delete;
    CBenchFolder& operator=(const CBenchFolder&) = delete;

    // Writes (or replaces) a file in the folder and returns its path.
    std::string Write(std::string_view name, std::string_view content) const;
    std::string PathOf(std::string_view name) const;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};
