#include "CPeakMemory.h"

#include <fstream>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// A "VmHWM:   1234 kB" line of /proc/self/status, in MiB; 0 when absent.
double StatusMiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, key.size(), key) == 0 && line.size() > key.size() && line[key.size()] == ':')
            return std::stod(line.substr(key.size() + 1)) / 1024.0;
    return 0;
}

} // namespace

CPeakMemory::CPeakMemory() {
#if defined(__GLIBC__)
    // Hand the allocator's free pages back first: reused, they would not
    // show as growth.
    malloc_trim(0);
#endif
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    m_reset = static_cast<bool>(clear);
    m_startMiB = StatusMiB("VmRSS");
}

double CPeakMemory::PeakMiB() const {
    return StatusMiB("VmHWM");
}

double CPeakMemory::GrowthMiB() const {
    return PeakMiB() - m_startMiB;
}
