#include "model/controls.h"
#include "screens/record_book.h"

#include <gtest/gtest.h>

namespace {

SReplayHeader Match(std::int64_t date, std::uint8_t winner, std::uint32_t ann, std::uint32_t cpu)
{
    SReplayHeader match;
    match.date = date;
    match.winner = winner;
    match.players[0] = {"Ann", 0, false, CControls::Mouse, 0, true, ann};
    match.players[1] = {"Max", 0, false, CControls::Computer, ComputerHard, true, cpu};
    match.players[2] = {"Guest", 0, false, CControls::Network, 0, true, 999};  // another machine's
    match.players[3] = {"Zed", 0, false, CControls::Keyboard, 0, false, 0};    // held no side
    return match;
}

TEST(CRecordBook, CountsEachOwnPlayerUnderItsNameAndLevel)
{
    CObject root{LList<CObject>(false, 0)};
    auto* book = new CRecordBook("", LList<CObject>(false, 1, &root));
    book->Count(Match(100, 1, 300, 120));
    book->Count(Match(200, 2, 50, 400));
    book->Count(Match(300, 2, 80, 10));
    const auto players = book->Players();
    ASSERT_EQ(players.size(), 2u);
    EXPECT_EQ(players[0].name, "Max (Hard)");
    EXPECT_EQ(players[0].won, 2u);
    EXPECT_EQ(players[0].best, 400u);
    EXPECT_EQ(players[1].name, "Ann");
    EXPECT_EQ(players[1].played, 3u);
    EXPECT_EQ(players[1].won, 1u);
    EXPECT_EQ(players[1].last, 300);
    ASSERT_EQ(book->Best().size(), 6u);
    EXPECT_EQ(book->Best()[0].score, 400u);
    EXPECT_EQ(book->Best()[1].name, "Ann");
    EXPECT_EQ(book->Best()[1].date, 100);
    book->Clear();
    EXPECT_TRUE(book->Players().empty());
    EXPECT_TRUE(book->Best().empty());
}

// The file comes back as written; lines that are not sound are left out, the others stay.
TEST(CRecordBook, ReadsWhatIsSoundOfADamagedFile)
{
    CObject root{LList<CObject>(false, 0)};
    auto* book = new CRecordBook("", LList<CObject>(false, 1, &root));
    for (int i = 0; i < 12; ++i) book->Count(Match(i, 1, static_cast<std::uint32_t>(i), 0));
    const std::string text = book->Text();
    auto* copy = new CRecordBook("", LList<CObject>(false, 1, &root));
    copy->Read(text);
    EXPECT_EQ(copy->Text(), text);
    EXPECT_EQ(copy->Best().size(), CRecordBook::kBestScores);

    copy->Read(text + "player\tEve\t1\t5\t0\t0\n"      // more won than played
                      "player\tBob\tx\t0\t0\t0\n"      // not a number
                      "best\tBob\t99999999999999999999\t0\n"
                      "junk\n\tplayer\n");
    EXPECT_EQ(copy->Text(), text);
    copy->Read("something else\nplayer\tAnn\t1\t1\t1\t1\n");
    EXPECT_TRUE(copy->Players().empty());
}

}  // namespace
