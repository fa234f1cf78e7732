#include "CBenchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

CBenchFolder::CBenchFolder() {
    char pattern[] = "/tmp/quill-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) throw std::runtime_error("cannot create a scratch folder under /tmp");
    m_path = pattern;
}

CBenchFolder::~CBenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string CBenchFolder::PathOf(std::string_view name) const {
    return m_path + "/" + std::string(name);
}

std::string CBenchFolder::Write(std::string_view name, std::string_view content) const {
    const std::string path = PathOf(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
    return path;
}
