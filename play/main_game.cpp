#include "play/main_game.h"

#include "gfx/background.h"
#include "play/ball.h"
#include "screens/data.h"

#if __has_include("screens/game_over.h")
#include "screens/game_over.h"
#define QUORVEL_HAS_GAME_OVER 1
#endif

CMainGame::CMainGame(const LList<CObject>& parents) : CGame(parents)
{
    capturesCursor = true;
    type.Load("CMainGame");
    CData& data = RequireData(this, "::CMainGame");
    const LList<CObject> here(false, 1, this);
    new CBackground(here, data.client);
    new CBall(62, 62, here);
}

bool CMainGame::HasType(str t) const { return t == "CMainGame" || CGame::HasType(t); }

str CMainGame::WinnerText()
{
    CData& data = RequireData(this, "::NextGame");
    str name("Nobody");
    for (const SPlayerOptions& record : data.players)
        if (winner != 0 && record.number == winner) name = record.name;
    return name + str(" Wins!");
}

CGame* CMainGame::NextGame()
{
    const str text = WinnerText();
#ifdef QUORVEL_HAS_GAME_OVER
    return new CGameOver(text, Successor());
#else
    return nullptr;
#endif
}
