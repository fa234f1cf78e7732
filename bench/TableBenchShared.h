#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CTableModule;

// The table both sides of the table benchmarks show: a million entries of
// 64 elements of every kind (formbench's shapes), the same bytes on both
// sides. No toolkit here.
namespace tablebench {

constexpr int kEntries = 1000000;
constexpr int kElements = 64;

std::unique_ptr<CTableModule> MakeTableModule();
std::uint32_t EntryLength();
std::vector<std::uint8_t> MakeImage();
// What the filter looks for: longer than any text cell, and no other cell
// has a "~", so no cell holds it and every cell is searched.
inline constexpr char kNeedle[] = "~zq~zq~zq";

} // namespace tablebench
