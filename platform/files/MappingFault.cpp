#include "platform/files/MappingFault.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace {

constexpr size_t kSlots = 8;

struct MappingSlot {
    std::atomic<const uint8_t*> start{nullptr};
    size_t size = 0;
    char message[PATH_MAX + 256] = {};
};

struct TemporarySlot {
    std::atomic<bool> used{false};
    char path[PATH_MAX] = {};
};

std::array<MappingSlot, kSlots> g_mappings;
std::array<TemporarySlot, kSlots> g_temporaries;

void WriteText(const char* text) {
    for (size_t left = std::strlen(text); left > 0;) {
        const ssize_t n = ::write(STDERR_FILENO, text, left);
        if (n <= 0) return;
        text += n;
        left -= static_cast<size_t>(n);
    }
}

void OnBusError(int signal, siginfo_t* info, void*) {
    const auto* at = static_cast<const uint8_t*>(info->si_addr);
    for (const MappingSlot& slot : g_mappings) {
        const uint8_t* start = slot.start.load();
        if (start == nullptr || at < start || at >= start + slot.size) continue;
        WriteText(slot.message);
        WriteText("\n");
        for (const TemporarySlot& temporary : g_temporaries)
            if (temporary.used.load()) ::unlink(temporary.path);
        ::_exit(1);
    }
    // A fault of anything else is not ours to explain.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void InstallOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, nullptr);
    });
}

// Copies `text` into `into`, cut to fit, always ended.
template <size_t N>
void CopyInto(char (&into)[N], std::string_view text) {
    const size_t count = std::min(text.size(), N - 1);
    std::memcpy(into, text.data(), count);
    into[count] = '\0';
}

} // namespace

void MappingFault::NoteMapping(std::span<const uint8_t> bytes, std::string_view message) {
    if (bytes.empty()) return;
    InstallOnce();
    for (MappingSlot& slot : g_mappings) {
        if (slot.start.load() != nullptr) continue;
        slot.size = bytes.size();
        CopyInto(slot.message, message);
        slot.start.store(bytes.data());
        return;
    }
}

void MappingFault::ForgetMapping(const void* start) {
    for (MappingSlot& slot : g_mappings)
        if (slot.start.load() == start) slot.start.store(nullptr);
}

void MappingFault::NoteTemporary(const std::string& path) {
    if (path.size() >= PATH_MAX) return;
    for (TemporarySlot& slot : g_temporaries) {
        if (slot.used.load()) continue;
        CopyInto(slot.path, path);
        slot.used.store(true);
        return;
    }
}

void MappingFault::ForgetTemporary(const std::string& path) {
    for (TemporarySlot& slot : g_temporaries)
        if (slot.used.load() && path == slot.path) slot.used.store(false);
}
