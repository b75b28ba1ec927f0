#include "screens/game_over.h"

#include "online/online.h"
#include "model/data.h"
#include "screens/intro.h"
#include "screens/join_game.h"
#include "screens/menu.h"
#include "screens/options.h"

namespace {

// The score lines stand between the banner and "Continue".
constexpr LONG kScoresTop = 300;
constexpr LONG kScoreLine = 22;

}  // namespace

CGameOver::CGameOver(const str& text, const LList<CObject>& parents, const std::vector<str>& scores)
    : CGame(parents)
{
    type.Load(kType);
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

bool CGameOver::HasType(str t) const { return t == kType || CGame::HasType(t); }

// After a match with other machines the host goes back to its options, still hosting,
// and a joined machine to its wait for the next start; otherwise, or when the game with
// the others has failed, back to the intro.
CGame* CGameOver::NextGame()
{
    COnline* online = FindOnline(this);
    if (!online || online->Session().GetState() == net::Lockstep::State::Ended) return new CIntro(Successor());
    if (online->Session().IsHost()) return new COptions(Successor());
    return new CJoinGame(Successor());
}

bool CGameOver::DoContinue(void*, CObject* screen)
{
    return FinishScreen<CGameOver>(screen, [](CGameOver&) {});
}
