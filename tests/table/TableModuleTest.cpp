#include <gtest/gtest.h>
#include <numeric>
#include <vector>

#include "table/CTableModule.h"

namespace {

using Bytes = std::vector<uint8_t>;

ModuleElement Element(uint32_t offset, uint32_t size) {
    ModuleElement e;
    e.name = "e" + std::to_string(offset);
    e.offset = offset;
    e.size = size;
    return e;
}

// Base 16, entries of 8 bytes, 4 entries: the table ends at byte 48.
std::unique_ptr<CTableModule> SmallTable() {
    auto m = std::make_unique<CTableModule>();
    m->m_nBaseOffset = 16;
    m->m_nEntryLength = 8;
    m->m_nEntryCount = 4;
    return m;
}

Bytes Rom(size_t length) {
    Bytes rom(length);
    std::iota(rom.begin(), rom.end(), uint8_t{0});
    return rom;
}

} // namespace

TEST(TableModuleTest, ConstructedEmptyWithIdentityTables) {
    CTableModule m;
    EXPECT_EQ(m.m_nEntryCount, 0);
    EXPECT_EQ(m.m_nElements, 0);
    EXPECT_EQ(m.m_nCurEntry, 0);
    EXPECT_TRUE(m.m_entryNames.empty());
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(m.m_charOf[static_cast<size_t>(i)], i);
        EXPECT_EQ(m.m_codeOf[static_cast<size_t>(i)], i);
    }
}

TEST(TableModuleTest, SelectEntryTestsTheWholeTableAgainstTheImage) {
    auto m = SmallTable();
    m->AddElement(Element(3, 2));
    Bytes rom = Rom(48);
    ASSERT_TRUE(m->SelectEntry(2, rom.data(), 48));
    EXPECT_EQ(m->m_nCurEntry, 2);
    EXPECT_EQ(m->m_elements[0]->data, (Bytes{35, 36}));
    // The same table in a 47-byte image fails for every entry, entry 0 too,
    // and keeps what the last success left.
    EXPECT_FALSE(m->SelectEntry(0, rom.data(), 47));
    EXPECT_EQ(m->m_nCurEntry, 2);
    EXPECT_EQ(m->m_elements[0]->data, (Bytes{35, 36}));
    // Entries that do not exist are refused rather than read.
    EXPECT_FALSE(m->SelectEntry(4, rom.data(), 48));
    EXPECT_FALSE(m->SelectEntry(-1, rom.data(), 48));
    EXPECT_EQ(m->m_nCurEntry, 2);
}

TEST(TableModuleTest, ExtentNeverWrapsAround) {
    uint8_t tiny[4] = {};
    CTableModule m;
    m.m_nEntryCount = 2;
    m.m_nEntryLength = 0x80000000u; // 2 x 2^31 would wrap to 0 in 32 bits
    EXPECT_FALSE(m.SelectEntry(0, tiny, 0xFFFFFFFFu));
    m.m_nEntryCount = 1;
    m.m_nEntryLength = 2;
    m.m_nBaseOffset = 0xFFFFFFFFu; // base + 2 wraps to 1
    EXPECT_FALSE(m.SelectEntry(0, tiny, 4));
    EXPECT_FALSE(m.FitsIn(0xFFFFFFFFu));
    m.m_nBaseOffset = 0xFFFFFFFDu;
    EXPECT_TRUE(m.FitsIn(0xFFFFFFFFu));
}

TEST(TableModuleTest, StoreEntryWritesOnlyTheCurrentEntrysElements) {
    auto m = SmallTable();
    m->AddElement(Element(0, 2));
    m->AddElement(Element(1, 2)); // overlaps byte 1 of the first
    m->AddElement(Element(5, 1));
    Bytes rom = Rom(48);
    ASSERT_TRUE(m->SelectEntry(1, rom.data(), 48));
    uint8_t a[] = {0xA0, 0xA1}, b[] = {0xB1, 0xB2}, c[] = {0xC5};
    EXPECT_EQ(m->SetElementData(0, a), 2);
    EXPECT_EQ(m->SetElementData(1, b), 2);
    EXPECT_EQ(m->SetElementData(2, c), 1);
    m->StoreEntry(rom.data());

    Bytes expected = Rom(48);
    expected[24] = 0xA0;
    expected[25] = 0xB1; // the later element wins the shared byte
    expected[26] = 0xB2;
    expected[29] = 0xC5;
    EXPECT_EQ(rom, expected);

    uint8_t out[2] = {};
    EXPECT_EQ(m->GetElementData(1, out), 2);
    EXPECT_EQ(out[0], 0xB1);
    EXPECT_EQ(m->GetElementData(3, out), 0);
    EXPECT_EQ(m->SetElementData(-1, out), 0);
}

TEST(TableModuleTest, CheckedStoreRefusesImagesAndBuffersItCannotTrust) {
    auto m = SmallTable();
    m->AddElement(Element(0, 4));
    Bytes rom = Rom(48);
    // No entry selected yet: the buffer is empty and nothing is written.
    EXPECT_FALSE(m->StoreEntry(rom.data(), 48));
    EXPECT_EQ(rom, Rom(48));
    ASSERT_TRUE(m->SelectEntry(3, rom.data(), 48));
    uint8_t v[] = {9, 9, 9, 9};
    m->SetElementData(0, v);
    EXPECT_FALSE(m->StoreEntry(rom.data(), 47));
    EXPECT_EQ(rom, Rom(48));
    EXPECT_TRUE(m->StoreEntry(rom.data(), 48));
    EXPECT_EQ(Bytes(rom.begin() + 40, rom.begin() + 44), (Bytes{9, 9, 9, 9}));
}

TEST(TableModuleTest, ModuleWithoutElementsOnlyMovesTheCurrentEntry) {
    auto m = SmallTable();
    Bytes rom = Rom(48);
    ASSERT_TRUE(m->SelectEntry(3, rom.data(), 48));
    EXPECT_EQ(m->m_nCurEntry, 3);
    m->StoreEntry(rom.data());
    EXPECT_EQ(rom, Rom(48));
}

TEST(TableModuleTest, AddElementTakesTheValueListAndLeavesDataEmpty) {
    CTableModule m;
    ModuleElement e = Element(0, 1);
    e.style = STYLE_DROPBOX;
    e.values = {7, 9};
    e.valueNames = {"Seven", "Nine"};
    e.valueCount = 2;
    e.data = {1};
    m.AddElement(e);
    m.AddElement(Element(1, 1));
    ASSERT_EQ(m.m_nElements, 2);
    const ModuleElement& stored = *m.m_elements[0];
    EXPECT_EQ(stored.values, (std::vector<uint32_t>{7, 9}));
    EXPECT_TRUE(stored.data.empty());
    EXPECT_EQ(stored.style, STYLE_DROPBOX);
    EXPECT_EQ(m.GetValueName(0, 1), "Nine");
    EXPECT_EQ(m.GetValueName(0, 2), "");
    EXPECT_EQ(m.GetValueName(1, 0), "");
    EXPECT_EQ(m.GetElementName(1), "e1");
    EXPECT_EQ(m.GetElementName(2), "");
    EXPECT_TRUE(m.m_elements[1]->values.empty());
}
