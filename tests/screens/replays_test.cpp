#include "screens/replays.h"
#include "support/field.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A list of twelve recordings, one page of eight shown from `first`.
class ReplayList : public ::testing::Test {
protected:
    void SetUp() override
    {
        shelf = FindReplayShelf(field.engine);
        ASSERT_NE(shelf, nullptr);
        std::filesystem::remove_all(shelf->Folder());
        for (std::int64_t date = 1; date <= 12; ++date) {
            SReplay match;
            match.header.date = date * 86400;
            match.frames.resize(10);
            ASSERT_FALSE(shelf->Save(match).empty());
        }
    }
    void TearDown() override { std::filesystem::remove_all(shelf->Folder()); }

    CReplays& List(std::size_t first)
    {
        return *new CReplays(LList<CObject>(false, 1, field.engine), str(""), first);
    }
    // Where the list goes after the wheel turned, or `first` when it stays.
    std::size_t AfterWheel(std::size_t first, int notches)
    {
        CReplays& list = List(first);
        list.MouseWheel(notches);
        const std::size_t to = list.gameOver ? list.first : first;
        EXPECT_TRUE(!list.gameOver || list.choice == CReplays::Scroll);
        delete &list;
        return to;
    }

    Field field;
    CReplayShelf* shelf = nullptr;
};

TEST_F(ReplayList, TheWheelScrollsARowANotchAndStopsAtEitherEnd)
{
    EXPECT_EQ(AfterWheel(0, -1), 1u);  // towards the player: older recordings
    EXPECT_EQ(AfterWheel(3, 1), 2u);
    EXPECT_EQ(AfterWheel(0, 1), 0u);
    EXPECT_EQ(AfterWheel(2, -9), 4u);  // the last page stays full
    EXPECT_EQ(AfterWheel(4, -1), 4u);
    EXPECT_EQ(AfterWheel(3, 30), 0u);
}

}  // namespace
