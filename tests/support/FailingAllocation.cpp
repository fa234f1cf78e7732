#include "FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Allocations still to serve before the one that fails; -1 while disarmed.
std::atomic<long long> g_countdown{-1};
std::atomic<bool> g_fired{false};

bool ShouldFail() {
    long long left = g_countdown.load();
    while (left >= 0) {
        if (g_countdown.compare_exchange_weak(left, left - 1)) {
            if (left != 0) return false;
            g_fired = true;
            return true;
        }
    }
    return false;
}

void* Allocate(std::size_t size) {
    if (ShouldFail()) throw std::bad_alloc();
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    throw std::bad_alloc();
}

} // namespace

FailingAllocation::FailingAllocation(size_t index) {
    g_fired = false;
    g_countdown = static_cast<long long>(index);
}

FailingAllocation::~FailingAllocation() {
    g_countdown = -1;
}

bool FailingAllocation::Fired() const {
    return g_fired;
}

// Every form the program may use, so that no block allocated by one
// allocator is released by another.
void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
