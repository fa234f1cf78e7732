#pragma once

#include <cstddef>
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

// A large image of a fixed byte pattern at path, written in 1 MiB pieces so
// that making it does not raise the process's peak memory. False when it
// could not be written whole.
bool WritePatternImage(const std::string& path, std::size_t size);
