#include "screens/game_over.h"

#include "online/online.h"
#include "model/data.h"
#include "screens/intro.h"
#include "screens/join_game.h"
#include "screens/match_screen.h"
#include "screens/menu.h"
#include "screens/options.h"

#include <cstdlib>

namespace {

// The rule under the banner, then the score lines, then the two buttons side by side.
constexpr LONG kReasonTop = 290;
constexpr LONG kScoresTop = 318;
constexpr LONG kScoreLine = 22;
constexpr unsigned int kPlayAgainX = kBackX - 50, kContinueX = kBackX + 50;

}  // namespace

CGameOver::CGameOver(const str& text, const LList<CObject>& parents, const std::vector<str>& scores,
                     const str& reason, bool playAgain)
    : CGame(parents)
{
    type.Load(kType);
    RequireData(this, "::CGameOver()");
    AddBackground(this);
    AddBanner(this, text);
    if (reason != "") AddLine(this, reason, Rect(0, kReasonTop, rect.right, kReasonTop + kScoreLine));
    if (playAgain && OffersPlayAgain()) AddButton(this, DoPlayAgain, nullptr, kPlayAgainX, kBackY, str("Play again"), kGreen);
    AddButton(this, DoContinue, nullptr, kContinueX, kBackY, str("Continue"), kGreen);
    LONG top = kScoresTop;
    for (const str& line : scores) {
        AddLine(this, line, Rect(0, top, rect.right, top + kScoreLine));
        top += kScoreLine;
    }
}

bool CGameOver::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

// After a match with other machines the host goes back to its options, still hosting,
// and a joined machine to its wait for the next start; otherwise, or when the game with
// the others has failed, back to the intro.
CGame* CGameOver::NextGame()
{
    if (again) return PlayAgain();
    COnline* online = FindOnline(this);
    if (!online || online->Session().GetState() == net::Lockstep::State::Ended) return new CIntro(Successor());
    if (online->Session().IsHost()) return new COptions(Successor());
    return new CJoinGame(Successor());
}

// Alone, or in a game with other machines that still goes on.
bool CGameOver::OffersPlayAgain()
{
    COnline* online = FindOnline(this);
    return !online || online->Session().GetState() != net::Lockstep::State::Ended;
}

// The host starts the next match on every machine still there, with a new seed; when it
// cannot (everyone else has left), it goes back to its options, still hosting. A joined
// machine plays the host's next match: at once if it has started, otherwise it waits.
CGame* CGameOver::PlayAgain()
{
    CData& data = RequireData(this, "::PlayAgain");
    if (COnline* online = FindHosting(this)) {
        online->Reopen();
        online->Offer(data);
        const auto seed = static_cast<std::uint32_t>(std::rand()) ^ static_cast<std::uint32_t>(GetTickCount());
        if (!online->StartMatch(data, seed)) return new COptions(Successor());
    } else if (COnline* joined = FindOnline(this)) {
        if (!joined->StartPending()) return new CJoinGame(Successor());
        joined->Seat(data);
    }
    return new CMatchScreen(Successor());
}

bool CGameOver::DoContinue(void*, CObject* screen)
{
    return FinishScreen<CGameOver>(screen, [](CGameOver&) {});
}

bool CGameOver::DoPlayAgain(void*, CObject* screen)
{
    return FinishScreen<CGameOver>(screen, [](CGameOver& over) { over.again = true; });
}
