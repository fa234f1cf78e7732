#include "FileSizeLimit.h"

#include <csignal>
#include <stdexcept>

FileSizeLimit::FileSizeLimit(uint64_t bytes) {
    if (getrlimit(RLIMIT_FSIZE, &m_saved) != 0) throw std::runtime_error("getrlimit failed");
    rlimit limited = m_saved;
    limited.rlim_cur = static_cast<rlim_t>(bytes);
    m_previous = std::signal(SIGXFSZ, SIG_IGN);
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0) {
        std::signal(SIGXFSZ, m_previous);
        throw std::runtime_error("setrlimit failed");
    }
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_previous);
}
