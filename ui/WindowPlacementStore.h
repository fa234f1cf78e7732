#pragma once

#include "platform/windows/PlacementMemory.h"

// Where the windows beside the dialog were, remembered per user in the
// registry store. A store that cannot be read or written costs only the
// placement: the window opens beside the dialog.
class WindowPlacementStore : public PlacementMemory {
public:
    std::vector<uint8_t> Recall(const std::string& window) override;
    void Remember(const std::string& window, const std::vector<uint8_t>& placement) override;
};
