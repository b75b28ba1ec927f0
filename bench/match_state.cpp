// What a rollback costs: a four-player match restored to a saved state and run 8 frames
// on without painting, as a late input makes a machine do; the target is under 1 ms.
// Also the worst case, when a player out and broken bricks come back with the state.

#include "play/brick.h"
#include "play/match_state.h"
#include "play/player.h"
#include "support/field.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kRerun = 8;

class SavedMatch {
public:
    explicit SavedMatch(int framesIn)
    {
        std::srand(5);
        field.Computers(ComputerHard);
        field.Match(true);
        field.SkipCountdown();
        for (int i = 0; i < framesIn; ++i) field.Frame();
        saved = SaveMatch(Match());
    }

    CMainGame& Match() { return *dynamic_cast<CMainGame*>(field.Screen()); }

    void Rerun()
    {
        SaveMatch(Match());
        RestoreMatch(Match(), saved);
        for (int i = 0; i < kRerun; ++i) {
            field.engine->Animate();
            field.engine->UpdateInput();
        }
    }

    Field field;
    SMatchState saved;
};

void BM_SaveRestoreAndRerun8Frames(benchmark::State& state)
{
    SavedMatch match(200);
    for (auto _ : state) match.Rerun();
}
BENCHMARK(BM_SaveRestoreAndRerun8Frames)->Unit(benchmark::kMicrosecond);

// The state restored has every brick whole and every player in, the match has lost some:
// the wall is laid again and the players are seated again.
void BM_RestoreWhatWentAndRerun8Frames(benchmark::State& state)
{
    SavedMatch match(0);
    for (auto _ : state) {
        state.PauseTiming();
        auto* wall = match.Match().GetChild<CBricks>();
        for (int i = 0; i < 3; ++i) wall->Remove(wall->GetChild<CBrick>());
        delete match.Match().GetChild<CPlayers>()->GetChild<CPlayer>(2);
        state.ResumeTiming();
        match.Rerun();
    }
}
BENCHMARK(BM_RestoreWhatWentAndRerun8Frames)->Unit(benchmark::kMicrosecond);

}  // namespace
