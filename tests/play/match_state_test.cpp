// A match saved, run on, restored and run again over the same frames ends in the same
// state and the same picture, whatever came and went in between.

#include "platform/gdi/surface.h"
#include "play/brick.h"
#include "play/match_state.h"
#include "play/sudden_death.h"
#include "support/field.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

class MatchStateTest : public ::testing::Test {
protected:
    // Two computer players and two still mouse players, who go out on their own.
    CMainGame& Start()
    {
        std::srand(11);
        field.Computers(ComputerHard);
        field.data->players[1].input->SetMouse(0);
        field.data->players[3].input->SetMouse(0);
        CMainGame& match = field.Match(true);
        field.engine->MouseDown(0, false);
        return match;
    }

    CMainGame* Match() { return dynamic_cast<CMainGame*>(field.Screen()); }

    std::vector<std::uint32_t> Picture()
    {
        const gdi::Surface& s = *gdi::SurfaceOf(field.engine->memDC);
        return std::vector<std::uint32_t>(s.Data(), s.Data() + s.Width() * s.Height());
    }

    struct Run {
        std::vector<SMatchState> states;
        std::vector<std::uint32_t> picture;
    };

    // `frames` frames from the state saved, or fewer if the match ends.
    Run RunFrames(int frames)
    {
        Run run;
        for (int i = 0; i < frames && Match(); ++i) {
            field.Frame();
            if (Match()) run.states.push_back(SaveMatch(*Match()));
        }
        if (Match()) run.picture = Picture();
        return run;
    }

    Field field;
};

TEST_F(MatchStateTest, RunningTheSameFramesAgainAfterARestoreEndsTheSameWay)
{
    Start();
    int bricksGone = 0, playersGone = 0, segments = 0;
    // Until bricks have broken and a player has gone out, in segments of 120 frames.
    while (Match() && (bricksGone == 0 || playersGone == 0) && segments < 10) {
        const SMatchState saved = SaveMatch(*Match());
        const auto sounds = field.session.Sounds().size();
        const Run first = RunFrames(120);
        if (!Match() || first.states.size() < 120) break;  // the match is over
        const SMatchState later = SaveMatch(*Match());
        RestoreMatch(*Match(), saved);
        EXPECT_EQ(SaveMatch(*Match()), saved);
        const auto heard = field.session.Sounds().size();
        const Run again = RunFrames(120);
        ASSERT_EQ(again.states.size(), first.states.size());
        for (std::size_t f = 0; f < first.states.size(); ++f)
            ASSERT_EQ(again.states[f], first.states[f]) << "segment " << segments << ", frame " << f;
        EXPECT_EQ(again.picture, first.picture) << "segment " << segments;
        EXPECT_EQ(Checksum(again.states.back()), Checksum(later));
        EXPECT_EQ(heard - sounds, field.session.Sounds().size() - heard) << "the run again sounds as the first";
        bricksGone = 64 - static_cast<int>(later.bricksLeft);
        playersGone = 4 - static_cast<int>(later.playersIn);
        ++segments;
    }
    EXPECT_GT(bricksGone, 0);
    EXPECT_GT(playersGone, 0);
}

// Sudden death, its own numbers and the bricks before it come and go with the state.
TEST_F(MatchStateTest, SuddenDeathComesAndGoesWithTheState)
{
    CMainGame& match = Start();
    field.SkipCountdown();
    for (int i = 0; i < 50; ++i) field.Frame();
    const SMatchState before = SaveMatch(match);
    auto* wall = match.GetChild<CBricks>();
    while (auto* brick = wall->GetChild<CBrick>()) delete brick;
    wall->count = 0;
    auto* sudden = new CSuddenDeath(&field.Ball(), LList<CObject>(false, 1, wall));
    // Until sudden death's own numbers have moved from where they start.
    const auto moved = [&] { return sudden->dAngleSpeed != CSuddenDeath::kStep || sudden->dAccell != CSuddenDeath::kStep; };
    for (int i = 0; i < 30 || (!moved() && i < 300); ++i) field.Frame();
    ASSERT_TRUE(moved());
    const SMatchState during = SaveMatch(match);
    const Run first = RunFrames(30);

    RestoreMatch(match, before);
    EXPECT_EQ(SaveMatch(match), before);
    wall = match.GetChild<CBricks>();  // a player out comes back with a match built anew
    EXPECT_EQ(wall->GetChild<CSuddenDeath>(), nullptr);
    EXPECT_EQ(wall->count, before.bricksLeft);
    EXPECT_GT(wall->count, 0u);

    RestoreMatch(match, during);
    EXPECT_EQ(SaveMatch(match), during);
    const Run again = RunFrames(30);
    EXPECT_EQ(again.states, first.states);
    EXPECT_EQ(again.picture, first.picture);
}

// The same seed, the same match; the match's numbers are its own, not the runtime's.
TEST_F(MatchStateTest, AMatchDrawsItsOwnNumbers)
{
    CMainGame& match = Start();
    const CMatchRandom seeded = match.random;
    for (int i = 0; i < 400; ++i) field.Frame();
    EXPECT_NE(match.random, seeded) << "the computer players draw from the match";
    std::srand(11);
    EXPECT_EQ(CMatchRandom(static_cast<std::uint32_t>(std::rand())), seeded);
}

}  // namespace
