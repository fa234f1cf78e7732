#include "platform/files/MappedFile.h"

#include <cerrno>
#include <sys/mman.h>

#include "platform/files/CFile.h"
#include "platform/files/MappingFault.h"

MappedFile::~MappedFile() {
    Release();
}

void MappedFile::Release() {
    MappingFault::ForgetMapping(m_map);
    if (m_map != nullptr) munmap(m_map, m_size);
    m_map = nullptr;
    m_size = 0;
}

int MappedFile::Map(const std::string& path) {
    Release();
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return file.LastErrno();
    const uint64_t size = file.GetLength();
    if (file.LastErrno() != 0) return file.LastErrno();
    // procfs and sysfs report 0 and cannot always be mapped: read instead.
    if (size == 0 || size > SIZE_MAX / 2) return m_copy.Read(path);
    // Every page is wanted, in order: mapped in one call, not faulted in
    // one by one.
    void* map = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE,
                     file.Descriptor(), 0);
    if (map == MAP_FAILED) return m_copy.Read(path);
    m_map = map;
    m_size = static_cast<size_t>(size);
    return 0;
}

std::span<const uint8_t> MappedFile::Bytes() const {
    if (m_map != nullptr) return {static_cast<const uint8_t*>(m_map), m_size};
    const std::string_view text = m_copy.Text();
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

void MappedFile::OnCutShort(std::string_view message) const {
    if (m_map != nullptr) MappingFault::NoteMapping(Bytes(), message);
}
