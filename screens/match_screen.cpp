#include "screens/match_screen.h"

#include "screens/game_over.h"
#include "screens/replay_shelf.h"

CMatchScreen::CMatchScreen(const LList<CObject>& parents) : CMainGame(parents) { type.Load(kType); }

bool CMatchScreen::HasType(str t) const { return t == kType || CMainGame::HasType(t); }

CGame* CMatchScreen::NextGame()
{
    Finish();
    if (auto* shelf = FindReplayShelf(this)) {
        shelf->Save(Recording());
        shelf->Ended(Recording().header);
    }
    return new CGameOver(WinnerText(), Successor(), ScoreLines());
}
