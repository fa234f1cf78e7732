#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CTableModule;

// What one filter text looks for in a module's rows: a row is kept when
// its label or any element's shown text holds the text, the case of ASCII
// letters ignored. Elements whose texts cannot hold it (a number cannot
// hold a letter past "f", nor more characters than it ever shows) are
// never formatted. It only reads the module and the bytes it is given, so
// worker threads may share it.
class FilterNeedle {
public:
    FilterNeedle(const CTableModule& module, std::string_view text);

    // The entry's bytes start at the entry's first byte.
    bool Holds(const CTableModule& module, int entry, std::span<const uint8_t> bytes) const;
    // Whether every row this needle keeps, the other keeps too, so this
    // one need only search the other's rows.
    bool Narrows(const FilterNeedle& wider) const;
    bool Empty() const { return m_lowered.empty(); }

private:
    bool CouldShow(const CTableModule& module, int element) const;
    bool InText(std::string_view text) const;

    std::string m_lowered;
    std::vector<int> m_searched;
};
