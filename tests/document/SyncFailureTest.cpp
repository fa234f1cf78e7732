// A sync that fails, as a disk reporting a write error only when asked to
// flush: this program's fdatasync stands in for the C library's and fails
// the call a test chooses. A program of its own, so no other test meets it.
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "ModuleMaker.h"
#include "TempDir.h"
#include "document/ImportedEntries.h"
#include "document/RollbackFile.h"
#include "document/RomDocument.h"
#include "table/CTableModule.h"

namespace {

int g_failingCall = 0;
int g_calls = 0;

} // namespace

extern "C" int fdatasync(int fd) {
    if (g_failingCall != 0 && ++g_calls == g_failingCall) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(syscall(SYS_fdatasync, fd));
}

namespace {

TEST(SyncFailure, ASaveWhoseSyncFailsLeavesTheRomAsItWasAndSaysSo) {
    TempDir dir;
    const std::string rom = dir / "game.rom";
    const std::string old(4096, '\x42');
    const auto module = MakeModule(0, 256, 16, NumberElements(1));
    ImportedEntries entries(16);
    const std::vector<uint8_t> changed(16, 0x99);
    for (int entry = 0; entry < 256; entry += 4)
        entries.Add(entry, changed);
    struct Case {
        // The first sync is the rollback file's, the second the ROM's.
        int call;
        std::string failing;
    };
    for (const Case& c : {Case{1, RollbackFile::PathFor(rom)}, Case{2, rom}}) {
        TempDir::WriteFile(rom, old);
        RomDocument document;
        ASSERT_TRUE(document.Open(rom, "game.rom"));
        ASSERT_TRUE(document.ApplyEntries(*module, entries, 0));
        g_calls = 0;
        g_failingCall = c.call;
        RomDocument::SaveResult saved = document.Save(RomDocument::SaveMode::KeepChangedFile);
        g_failingCall = 0;
        ASSERT_FALSE(saved) << c.call;
        EXPECT_EQ(saved.Error(),
                  "Cannot write " + c.failing + ": Input/output error. " + rom + " was left unchanged.");
        EXPECT_EQ(TempDir::ReadFile(rom), old);
        EXPECT_FALSE(RollbackFile::Present(rom));
        EXPECT_TRUE(document.IsModified());

        saved = document.Save(RomDocument::SaveMode::KeepChangedFile);
        ASSERT_TRUE(saved) << saved.Error();
        EXPECT_EQ(saved.Value(), RomDocument::SaveOutcome::Saved);
        EXPECT_EQ(TempDir::ReadFile(rom)[0], '\x99');
    }
}

} // namespace
