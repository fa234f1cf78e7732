// The one selection and the one change stream: what each call announces,
// how a value reaches the image, and subscriptions that outlive their
// source or their subscriber.
#include "ui/model/EditorState.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "ModuleMaker.h"
#include "table/CTableModule.h"

namespace {

using Kind = EditorChange::Kind;

class EditorStateTest : public ::testing::Test {
protected:
    // Four entries of 4 bytes from 0: "Low" byte 0, "Word" bytes 0-1 (which
    // covers Low), "High" byte 2. Byte i of the image is i.
    void SetUp() override {
        m_state.modules.push_back(
                MakeModule(0, 4, 4, {{"Low", 0, 1, 0, {}}, {"Word", 0, 2, 0, {}}, {"High", 2, 1, 0, {}}}));
        std::vector<uint8_t> image(16);
        for (size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<uint8_t>(i);
        m_state.document.Adopt(image, "game.rom");
    }
    std::vector<Kind> Heard() const {
        std::vector<Kind> kinds;
        for (const EditorChange& c : m_heard)
            kinds.push_back(c.kind);
        return kinds;
    }

    EditorState m_state;
    std::vector<EditorChange> m_heard;
    Subscription m_listening = m_state.Subscribe([this](const EditorChange& c) { m_heard.push_back(c); });
};

TEST_F(EditorStateTest, SelectingAnnouncesTheModuleThenItsEntryWithTheBytesInItsBuffers) {
    ASSERT_TRUE(m_state.SelectModule(0, 2));
    EXPECT_EQ(Heard(), (std::vector<Kind>{Kind::Module, Kind::Entry}));
    EXPECT_EQ(m_state.CurrentEntry(), 2);
    EXPECT_EQ(m_state.CurrentModule()->m_elements[2]->data[0], 10);

    m_heard.clear();
    EXPECT_TRUE(m_state.SelectEntry(3));
    EXPECT_FALSE(m_state.SelectEntry(4));
    EXPECT_EQ(Heard(), (std::vector<Kind>{Kind::Entry}));
    EXPECT_EQ(m_state.CurrentEntry(), 3);
}

TEST_F(EditorStateTest, AModuleTheImageCannotHoldShowsNoEntries) {
    m_state.modules.push_back(MakeModule(8, 4, 4, NumberElements(1)));
    EXPECT_FALSE(m_state.SelectModule(1));
    EXPECT_FALSE(m_state.Fits());
    EXPECT_FALSE(m_state.ShowsEntries());
    EXPECT_FALSE(m_state.SelectEntry(0));
    EXPECT_EQ(Heard(), (std::vector<Kind>{Kind::Module}));
    // The verdict stays with no module current, and goes with the ROM.
    m_state.SelectModule(-1);
    EXPECT_FALSE(m_state.Fits());
    m_state.CloseRom();
    EXPECT_TRUE(m_state.Fits());
}

TEST_F(EditorStateTest, AValueACoveringElementWouldOverwriteIsRefusedAndChangesNothing) {
    ASSERT_TRUE(m_state.SelectModule(0, 1));
    m_heard.clear();
    const uint8_t low = 0x77;
    const RomDocument::Applied refused = m_state.ApplyValue(1, 0, {&low, 1});
    EXPECT_TRUE(refused.Refused());
    EXPECT_EQ(refused.covering, 1);
    EXPECT_EQ(m_state.document.Data()[4], 4);
    EXPECT_FALSE(m_state.document.CanUndo());
    EXPECT_FALSE(m_state.document.IsModified());

    const uint8_t high = 0x99;
    EXPECT_EQ(m_state.ApplyValue(2, 2, {&high, 1}).kind, RomDocument::Applied::Kind::Stored);
    EXPECT_EQ(m_state.document.Data()[10], 0x99);
    // The edited entry became current and was read back from the image.
    EXPECT_EQ(m_state.CurrentEntry(), 2);
    EXPECT_EQ(m_state.CurrentModule()->m_elements[2]->data[0], 0x99);
    EXPECT_EQ(Heard(),
              (std::vector<Kind>{Kind::Entry, Kind::Entry, Kind::Bytes, Kind::Modified, Kind::Entry}));
    EXPECT_EQ(m_state.ApplyValue(2, 2, {&high, 1}).kind, RomDocument::Applied::Kind::Unchanged);
}

TEST_F(EditorStateTest, UndoMakesTheStepsEntryCurrentAgain) {
    ASSERT_TRUE(m_state.SelectModule(0, 0));
    const uint8_t high = 0x55;
    m_state.ApplyValue(3, 2, {&high, 1});
    ASSERT_TRUE(m_state.SelectEntry(1));
    m_heard.clear();
    m_state.Undo();
    EXPECT_EQ(m_state.CurrentEntry(), 3);
    EXPECT_EQ(m_state.CurrentModule()->m_elements[2]->data[0], 14);
    EXPECT_FALSE(m_state.document.IsModified());
    EXPECT_EQ(Heard(), (std::vector<Kind>{Kind::Bytes, Kind::Modified, Kind::Entry}));
}

TEST(Subscriptions, EitherSideMayGoFirstAndACancelledOneIsNeverCalledAgain) {
    int calls = 0;
    auto source = std::make_unique<Observers<int>>();
    Subscription outlives = source->Subscribe([&](int) { ++calls; });
    {
        const Subscription gone = source->Subscribe([&](int) { calls += 100; });
    }
    // One subscriber cancels another in the middle of a round.
    Subscription later;
    const Subscription canceller = source->Subscribe([&](int) { later.Cancel(); });
    later = source->Subscribe([&](int) { calls += 1000; });
    source->Notify(0);
    EXPECT_EQ(calls, 1);
    source.reset();
    outlives.Cancel();
    EXPECT_EQ(calls, 1);
}

} // namespace
