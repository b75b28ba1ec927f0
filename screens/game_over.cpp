#include "screens/game_over.h"

#include "screens/data.h"
#include "screens/intro.h"
#include "screens/menu.h"

namespace {

// The score lines stand between the banner and "Continue".
constexpr LONG kScoresTop = 300;
constexpr LONG kScoreLine = 22;

}  // namespace

CGameOver::CGameOver(const str& text, const LList<CObject>& parents, const std::vector<str>& scores)
    : CGame(parents)
{
    type.Load("CGameOver");
    RequireData(this, "::CGameOver()");
    AddBackground(this);
    AddBanner(this, text);
    AddButton(this, DoContinue, AsContext(0), 218, 396, str("Continue"), kGreen);
    LONG top = kScoresTop;
    for (const str& line : scores) {
        AddLine(this, line, Rect(0, top, rect.right, top + kScoreLine));
        top += kScoreLine;
    }
}

bool CGameOver::HasType(str t) const { return t == "CGameOver" || CGame::HasType(t); }

CGame* CGameOver::NextGame() { return new CIntro(Successor()); }

bool CGameOver::DoContinue(void*, CObject* screen)
{
    return FinishScreen<CGameOver>(screen, [](CGameOver&) {});
}
