#include "screens/replay_screen.h"

#include "screens/game_over.h"
#include "screens/menu.h"
#include "screens/replay_shelf.h"
#include "screens/replays.h"
#include "ui/text.h"

namespace {

// Between the top meter and the top paddle.
const Rect kBarBox(40, 7, 472, 24);

}  // namespace

CReplayScreen::CReplayScreen(std::shared_ptr<const SReplay> r, const LList<CObject>& parents)
    : CMainGame(parents, *r), replay(std::move(r))
{
    type.Load(kType);
    bar = AddLine(this, str(""), kBarBox);
    ShowState();
}

bool CReplayScreen::HasType(const str& t) const { return t == kType || CMainGame::HasType(t); }

void CReplayScreen::ShowState()
{
    const char* state = paused ? "Replay: paused" : fast ? "Replay: 4x" : "Replay";
    bar->text = str(state) + str("   P pause   S step   F 4x   Backspace leave");
}

// Fast, the match runs four frames for every one painted.
void CReplayScreen::Animate()
{
    const unsigned int frames = paused ? (stepPending ? 1 : 0) : (fast ? kFastFrames : 1);
    stepPending = false;
    for (unsigned int i = 0; i < frames && !gameOver; ++i) CMainGame::Animate();
}

void CReplayScreen::KeyDown(unsigned int key, bool down)
{
    CMainGame::KeyDown(key, down);
    if (!down) return;
    switch (key) {
    case 'P':
        paused = !paused;
        Paused(paused);
        break;
    case 'S': stepPending = paused; break;
    case 'F': fast = !fast; break;
    case VK_BACK:
        leaving = true;
        gameOver = true;
        break;
    default: return;
    }
    ShowState();
}

bool CReplayScreen::ScoresAsRecorded() const
{
    for (unsigned int i = 0; i < kReplaySlots; ++i) {
        const SReplayPlayer& recorded = replay->header.players[i];
        if (played[i] != recorded.played || (played[i] && finalScores[i] != recorded.score)) return false;
    }
    return winner == replay->header.winner;
}

CGame* CReplayScreen::NextGame()
{
    if (leaving) return new CReplays(Successor());
    Finish();
    if (mismatch || !ScoresAsRecorded()) return new CReplays(Successor(), str(kMismatch));
    if (auto* shelf = FindReplayShelf(this)) shelf->Ended(replay->header);
    return new CGameOver(WinnerText(), Successor(), ScoreLines(), DecisionLine(), false);
}
