#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/quill-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    chmod(pattern.c_str(), 0755);
    m_path = std::filesystem::canonical(pattern).string() + "/";
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Write(std::string_view name, std::string_view bytes) const {
    const std::filesystem::path path = m_path + std::string(name);
    std::filesystem::create_directories(path.parent_path());
    WriteFile(path.string(), bytes);
    return path.string();
}

std::string TempDir::Read(std::string_view name) const {
    return ReadFile(m_path + std::string(name));
}

void TempDir::WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string TempDir::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDir::Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}
