#pragma once

#include <cstdint>
#include <span>

class CTableModule;

// The one way a value reaches an entry's bytes, for the form, the table
// window, imports and qlm alike. Storing writes every element in element
// order, so where elements overlap the later one's bytes are what stays; a
// value that a later element would write over is refused rather than
// stored and silently lost.
class EntryStore {
public:
    struct Outcome {
        enum class Kind {
            Stored,
            // The bytes already held what was asked; nothing was written.
            Unchanged,
            // A later element covers a byte the value changes; nothing was written.
            Covered,
        };
        Kind kind = Kind::Unchanged;
        // The element whose bytes would have won, for Covered; else -1.
        int covering = -1;

        bool Refused() const { return kind == Kind::Covered; }
    };

    // One element's new bytes (its size) into `entry` (the module's entry
    // length), as storing the whole entry would leave them.
    static Outcome StoreValue(const CTableModule& module, int element, std::span<const uint8_t> value,
                              std::span<uint8_t> entry);
    // The same for a caller that worked out once, with Coverable, that no
    // later element covers a byte of this one (`coverable` false): a million
    // values stored without looking at the other elements each time.
    static Outcome StoreValue(const CTableModule& module, int element, std::span<const uint8_t> value,
                              std::span<uint8_t> entry, bool coverable);
    // Whether a later element that fits an entry of `entryLength` bytes
    // covers any byte of `element`.
    static bool Coverable(const CTableModule& module, int element, size_t entryLength);
    // Every element buffer of the module into `entry`, in element order (the
    // form's Apply). Never refused: the later element winning is the rule.
    static Outcome StoreElements(const CTableModule& module, std::span<uint8_t> entry);
    // The later element that covers the first byte of `element` whose stored
    // value differs from `value`, or -1 when the value stands as given.
    static int CoveringElement(const CTableModule& module, int element, std::span<const uint8_t> value,
                               std::span<const uint8_t> entry);
};
