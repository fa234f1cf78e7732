#pragma once

#include <string>
#include <string_view>

// A private folder under the system's temp folder, removed with everything
// in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending with '/'.
    const std::string& Path() const { return m_path; }
    // Writes bytes to a file of the folder (sub-folders are made) and returns
    // its full path.
    std::string Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;

private:
    std::string m_path;
};
