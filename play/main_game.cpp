#include "play/main_game.h"

#include "gfx/background.h"
#include "play/ball.h"
#include "play/brick.h"
#include "play/countdown.h"
#include "play/player.h"
#include "screens/data.h"

#include "screens/game_over.h"

namespace {

constexpr unsigned int kServeX = 62, kServeY = 62;
constexpr int kWallFrom = 100, kWallTo = 412;
constexpr unsigned int kWallSize = 8;

}  // namespace

CMainGame::CMainGame(const LList<CObject>& parents) : CGame(parents)
{
    capturesCursor = true;
    type.Load("CMainGame");
    CData& data = RequireData(this, "::CMainGame");
    const LList<CObject> here(false, 1, this);
    new CBackground(here, data.client);
    auto* ball = new CBall(kServeX, kServeY, here);
    new CBricks(ball, here, Rect(kWallFrom, kWallFrom, kWallTo, kWallTo), kWallSize, kWallSize);
    new CPlayers(ball, here);
    countdown = new CCountdown(ball, here);  // last: over everything else
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

void CMainGame::Resumed() { countdown->Restart(); }

void CMainGame::Paused(bool paused) { countdown->ShowPaused(paused); }

CGame* CMainGame::NextGame()
{
    return new CGameOver(WinnerText(), Successor());
}
