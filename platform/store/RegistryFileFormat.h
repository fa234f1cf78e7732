#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class RegistryKey;

// The text form of the store. One line per key, giving its full path, and one
// line per value after its key:
//
//   quillmoor-registry 1
//   key "HKEY_CLASSES_ROOT" ".qlm"
//   value "" 1 5175696c6c6d6f6f72204d6f64756c6500
//
// Names are quoted with every byte outside printable ASCII, the quote and the
// backslash written as \xHH, so any byte survives; data is hexadecimal ("-"
// when empty), so the stored size is exact.
class RegistryFileFormat {
public:
    // Most names a key line may hold, the root's included. A deeper store is
    // damaged: it is never read, nor written over. Far more than any
    // association needs, and what Windows allows its own registry.
    static constexpr std::size_t maxDepth = 512;

    static std::string Write(const RegistryKey& top);
    // Fills top (expected empty) from text; on a malformed line returns false
    // and says which line and why.
    static bool Read(std::string_view text, RegistryKey& top, std::string& why);

    static std::string Quote(std::string_view name);
};
