#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "table/EntryLabels.h"

// What the editor's form benchmarks (FormBenchmark.cpp) and their bare
// toolkit yardsticks (BareToolkitYardsticks.cpp) share, so that both sides
// show the same table from the same bytes. Only the yardsticks' file includes
// toolkit headers; the editor's side reaches the event loop through the two
// Flush functions.
namespace formbench {

constexpr int kEntries = 100000;
constexpr int kElements = 200;
constexpr std::uint32_t kDropboxValues = 16;

enum class Kind {
    Number,
    Signed,
    Hex,
    HexArray,
    Text,
    Dropbox
};

struct Shape {
    Kind kind;
    std::uint32_t size;
};

// Every kind of row in turn, so every kind is built and shown.
Shape ShapeOf(int element);
std::uint32_t OffsetOf(int element);
std::uint32_t EntryLength();
// The value the dropbox item `item` stands for, and its name.
std::uint32_t DropboxValue(std::uint32_t item);
std::string DropboxName(std::uint32_t item);

// The 100,000 entry labels both selectors get.
const EntryLabels& SharedEntryLabels();
// The same pseudo-random bytes on both sides.
void FillRom(std::uint8_t* rom, std::size_t length);

// Delivers every pending event, painting included, and returns.
void FlushEvents();
// Runs the event loop until a widget has painted and nothing is pending,
// as the editor's loop does after a handler returns. Returns the number of
// paint events; 0 when nothing painted within a second.
int FlushUntilPainted();

} // namespace formbench
