#include "ui/game.h"

#include "model/data.h"

CGame::CGame(const LList<CObject>& parents) : CGraphicHolder(parents, Rect())
{
    type.Load(kType);
    rect = RequireData(this, "::CGame()").client;
}

bool CGame::HasType(const str& t) const { return t == kType || CGraphicHolder::HasType(t); }
bool CGame::GameOver() { return gameOver; }
CGame* CGame::NextGame() { return nullptr; }
