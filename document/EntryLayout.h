#pragma once

#include <cstdint>
#include <vector>

class CTableModule;

// One entry of a module as a byte map: the entry cut wherever an element
// begins or ends, each piece with the elements that cover it. The pieces
// run from 0 to the entry length without gap; a piece no element covers has
// no elements.
class EntryLayout {
public:
    struct Span {
        uint64_t begin = 0;
        // One past the last byte.
        uint64_t end = 0;
        // Indices of the covering elements, in file order.
        std::vector<int> elements;
    };

    static std::vector<Span> Of(const CTableModule& module);
};
