#include "FormBenchShared.h"

namespace formbench {

namespace {

constexpr Shape kShapes[] = {
        {Kind::Number, 2},   {Kind::Signed, 1}, {Kind::Hex, 2},
        {Kind::HexArray, 4}, {Kind::Text, 8},   {Kind::Dropbox, 1},
};

} // namespace

Shape ShapeOf(int element) {
    return kShapes[static_cast<std::size_t>(element) % std::size(kShapes)];
}

std::uint32_t OffsetOf(int element) {
    std::uint32_t offset = 0;
    for (int i = 0; i < element; ++i)
        offset += ShapeOf(i).size;
    return offset;
}

std::uint32_t EntryLength() {
    return OffsetOf(kElements);
}

std::uint32_t DropboxValue(std::uint32_t item) {
    return item * 3;
}

std::string DropboxName(std::uint32_t item) {
    return "Value " + std::to_string(item);
}

const EntryLabels& SharedEntryLabels() {
    static const EntryLabels labels = [] {
        EntryLabels out;
        for (int k = 0; k < kEntries; ++k)
            out.push_back("Creature " + std::to_string(k) + (k % 7 == 0 ? " of the marsh" : ""));
        return out;
    }();
    return labels;
}

void FillRom(std::uint8_t* rom, std::size_t length) {
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < length; ++i) {
        seed = seed * 1103515245u + 12345u;
        rom[i] = static_cast<std::uint8_t>(seed >> 16);
    }
}

} // namespace formbench
