#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CTableModule;

// One element of a module put together in a test.
struct ElementDef {
    std::string name;
    std::uint32_t offset = 0;
    std::uint32_t size = 1;
    std::uint8_t style = 0;
    std::vector<std::pair<std::uint32_t, std::string>> values;
};

// A module as the loader would leave it, without a file: entries named
// "Entry 0", "Entry 1", ...
std::unique_ptr<CTableModule> MakeModule(std::uint32_t base, std::int32_t entryCount,
                                         std::uint32_t entryLength, const std::vector<ElementDef>& elements);
// n plain one-byte unsigned elements, one after the other.
std::vector<ElementDef> NumberElements(int n);
