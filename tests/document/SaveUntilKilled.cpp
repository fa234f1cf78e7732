// A save for a test to kill: opens ROM through RomDocument, changes every
// other entry of 16 bytes (each byte XOR 0xFF, so many scattered ranges),
// writes one byte to standard output just before Save and saves.
// Usage: quill_save_until_killed ROM
#include <cstdint>
#include <cstdio>
#include <unistd.h>
#include <vector>

#include "ModuleMaker.h"
#include "document/ImportedEntries.h"
#include "document/RomDocument.h"
#include "table/CTableModule.h"

int main(int argc, char** argv) {
    constexpr uint32_t kEntryLength = 16;
    if (argc != 2) return 2;
    RomDocument document;
    if (!document.Open(argv[1], "rom")) return 3;
    const auto count = static_cast<int32_t>(document.Length() / kEntryLength);
    const auto module = MakeModule(0, count, kEntryLength, NumberElements(1));
    ImportedEntries entries(kEntryLength);
    entries.Reserve(static_cast<size_t>(count / 2));
    std::vector<uint8_t> bytes(kEntryLength);
    for (int entry = 0; entry < count; entry += 2) {
        const uint8_t* at = document.Data() + size_t{kEntryLength} * static_cast<size_t>(entry);
        for (uint32_t i = 0; i < kEntryLength; ++i)
            bytes[i] = static_cast<uint8_t>(at[i] ^ 0xFF);
        entries.Add(entry, bytes);
    }
    if (!document.ApplyEntries(*module, entries, 0)) return 4;
    if (write(STDOUT_FILENO, "s", 1) != 1) return 5;
    const RomDocument::SaveResult saved = document.Save(RomDocument::SaveMode::KeepChangedFile);
    return saved && saved.Value() == RomDocument::SaveOutcome::Saved ? 0 : 1;
}
