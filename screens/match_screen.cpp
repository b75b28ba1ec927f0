#include "screens/match_screen.h"

#include "screens/game_over.h"

CMatchScreen::CMatchScreen(const LList<CObject>& parents) : CMainGame(parents) { type.Load(kType); }

bool CMatchScreen::HasType(str t) const { return t == kType || CMainGame::HasType(t); }

CGame* CMatchScreen::NextGame()
{
    Finish();
    return new CGameOver(WinnerText(), Successor(), ScoreLines(), winner != 0 ? str(DecisionText(decision)) : str(""));
}
