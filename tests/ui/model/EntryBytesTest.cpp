// What the bytes window shows, read from its provider: rows, offsets, hex
// and characters, the tint and outline of every byte where two elements
// overlap, and the raw value of a dropbox that matches no item.

#include "ui/model/EntryBytes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ModuleMaker.h"
#include "table/CTableModule.h"
#include "table/ElementStyle.h"
#include "ui/model/EditorState.h"

namespace {

class EntryBytesTest : public ::testing::Test {
protected:
    // Entries of 20 bytes from offset 2: "Wide" covers bytes 0-3, "Mid"
    // 2-5 (overlapping Wide at 2 and 3), "Kind" byte 8, a dropbox naming
    // only 1 and 2. Nothing covers 6, 7 and 9 on. The image's byte i is i.
    void SetUp() override {
        m_state.modules.push_back(MakeModule(2, 3, 20,
                                             {{"Wide", 0, 4, 0, {}},
                                              {"Mid", 2, 4, STYLE_HEX, {}},
                                              {"Kind", 8, 1, STYLE_DROPBOX, {{1, "One"}, {2, "Two"}}}}));
        m_state.modules[0]->m_charOf[0x21] = 'Z';
        std::vector<std::uint8_t> image(64);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(i);
        m_state.document.Adopt(image, "game.rom");
        ASSERT_TRUE(m_state.SelectModule(0, 1));
    }

    EditorState m_state;
};

TEST_F(EntryBytesTest, OverlapTakesTheLaterElementsTintAndNamesBoth) {
    const EntryBytes bytes = EntryBytes::Of(m_state, 1);
    EXPECT_EQ(bytes.Heading(), "Test module, Entry 1 (20 bytes at 0x16)");
    ASSERT_EQ(bytes.Rows().size(), 2u);
    const EntryBytes::Row& first = bytes.Rows()[0];
    EXPECT_EQ(first.romOffset, 22u);
    EXPECT_EQ(first.entryOffset, 0u);
    EXPECT_EQ(first.Hex(), "16 17 18 19 1A 1B 1C 1D 1E 1F 20 21 22 23 24 25");
    EXPECT_EQ(first.Chars(), ".......... Z\"#$%");
    const EntryBytes::Row& last = bytes.Rows()[1];
    EXPECT_EQ(last.romOffset, 38u);
    EXPECT_EQ(last.entryOffset, 16u);
    EXPECT_EQ(last.Chars(), "&'()");

    struct Expected {
        std::size_t at;
        int tint;
        std::vector<int> elements;
        bool outlined;
        const char* names;
    };
    for (const Expected& row : std::vector<Expected>{{0, 0, {0}, false, "Wide"},
                                                     {2, 1, {0, 1}, true, "Wide, Mid"},
                                                     {5, 1, {1}, true, "Mid"},
                                                     {6, -1, {}, false, ""},
                                                     {8, 2, {2}, false, "Kind"},
                                                     {9, -1, {}, false, ""}}) {
        const EntryBytes::Cell& cell = first.cells[row.at];
        EXPECT_EQ(cell.tint, row.tint) << "byte " << row.at;
        EXPECT_EQ(cell.elements, row.elements) << "byte " << row.at;
        EXPECT_EQ(cell.outlined, row.outlined) << "byte " << row.at;
        EXPECT_EQ(bytes.CoveringNames(cell), row.names) << "byte " << row.at;
    }
    ASSERT_EQ(bytes.Legend().size(), 3u);
    EXPECT_EQ(bytes.Legend()[1].name, "Mid");
    EXPECT_TRUE(bytes.Legend()[1].outlined);
    EXPECT_FALSE(bytes.Legend()[0].outlined);
    // Byte 8 of entry 1 is 30, which Kind does not list.
    EXPECT_EQ(bytes.Notes(), (std::vector<std::string>{"Kind: 0x1E (no item)"}));
}

TEST_F(EntryBytesTest, NothingShowsWithoutAModuleAnOpenRomOrATableThatFits) {
    m_state.SelectModule(-1);
    EXPECT_EQ(EntryBytes::Of(m_state, -1).Heading(), "No module loaded.");
    // A module whose table the image cannot hold.
    m_state.modules.push_back(MakeModule(60, 3, 20, {{"Wide", 0, 4, 0, {}}}));
    EXPECT_FALSE(m_state.SelectModule(1));
    EXPECT_TRUE(EntryBytes::Of(m_state, -1).Rows().empty());
    EXPECT_TRUE(m_state.SelectModule(0, 1));
    m_state.CloseRom();
    const EntryBytes closed = EntryBytes::Of(m_state, 0);
    EXPECT_EQ(closed.Heading(), "Test module: no entry shown.");
    EXPECT_TRUE(closed.Rows().empty());
    EXPECT_TRUE(closed.Legend().empty());
    EXPECT_TRUE(closed.Notes().empty());
}

} // namespace
