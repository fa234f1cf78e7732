#include "CBenchFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

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

bool WritePatternImage(const std::string& path, std::size_t size) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    std::vector<unsigned char> chunk(std::size_t{1} << 20);
    bool ok = true;
    for (std::size_t done = 0; ok && done < size; done += chunk.size()) {
        for (std::size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<unsigned char>((done + i) * 151 >> 2);
        ok = std::fwrite(chunk.data(), 1, chunk.size(), out) == chunk.size();
    }
    return std::fclose(out) == 0 && ok;
}
