#include "screens/game_over.h"

#include "screens/data.h"
#include "screens/intro.h"
#include "screens/menu.h"

CGameOver::CGameOver(const str& text, const LList<CObject>& parents) : CGame(parents)
{
    type.Load("CGameOver");
    RequireData(this, "::CGameOver()");
    AddBackground(this);
    AddBanner(this, text);
    AddButton(this, DoContinue, AsContext(0), 218, 396, str("Continue"), kGreen);
}

bool CGameOver::HasType(str t) const { return t == "CGameOver" || CGame::HasType(t); }

CGame* CGameOver::NextGame() { return new CIntro(Successor()); }

bool CGameOver::DoContinue(void*, CObject* screen)
{
    return FinishScreen<CGameOver>(screen, [](CGameOver&) {});
}
