#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where a window beside the dialog was and how large, kept between runs by
// whatever the program chooses (the per-user store). The bytes are the
// window layer's own record; the keeper only stores and returns them.
class PlacementMemory {
public:
    virtual ~PlacementMemory() = default;
    // Empty when nothing is remembered for the window.
    virtual std::vector<uint8_t> Recall(const std::string& window) = 0;
    virtual void Remember(const std::string& window, const std::vector<uint8_t>& placement) = 0;
};
