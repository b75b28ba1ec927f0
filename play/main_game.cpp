#include "play/main_game.h"

#include "gfx/background.h"
#include "play/ball.h"
#include "play/brick.h"
#include "play/countdown.h"
#include "play/match_seats.h"
#include "play/player.h"
#include "model/data.h"
#include "model/sounds.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr unsigned int kServeX = 62, kServeY = 62;
constexpr int kWallFrom = 100, kWallTo = 412;
constexpr unsigned int kWallSize = 8;

}  // namespace

CMainGame::CMainGame(const LList<CObject>& parents) : CGame(parents)
{
    capturesCursor = true;
    type.Load(kType);
    CData& data = RequireData(this, "::CMainGame");
    const CMatchSeats* seats = FindMatchSeats(this);
    const SLineup* seated = seats ? seats->Lineup() : nullptr;
    lineup = seated ? *seated : data.Lineup();
    random = CMatchRandom(seated ? seats->MatchSeed() : static_cast<std::uint32_t>(std::rand()));
    Build();
}

void CMainGame::Rebuild()
{
    while (!children.Empty()) delete children.head->item;
    Build();
}

void CMainGame::Build()
{
    CData& data = RequireData(this, "::CMainGame");
    const LList<CObject> here(false, 1, this);
    new CBackground(here, data.client);
    auto* ball = new CBall(kServeX, kServeY, here);
    new CBricks(ball, here, Rect(kWallFrom, kWallFrom, kWallTo, kWallTo), kWallSize, kWallSize);
    new CPlayers(ball, here);
    countdown = new CCountdown(ball, here);  // last: over everything else
}

bool CMainGame::HasType(str t) const { return t == kType || CGame::HasType(t); }

str CMainGame::WinnerText()
{
    str name("Nobody");
    for (const SPlayerOptions& record : lineup.players)
        if (winner != 0 && record.number == winner) name = record.name;
    return name + str(" Wins!");
}

void CMainGame::Resumed() { countdown->Restart(); }

void CMainGame::Paused(bool paused) { countdown->ShowPaused(paused); }

void CMainGame::Record(const CPlayer& player)
{
    const unsigned int number = player.options.number;
    if (number < 1 || number > CData::kPlayers) return;
    played[number - 1] = true;
    finalScores[number - 1] = player.score;
}

std::vector<str> CMainGame::ScoreLines()
{
    std::vector<unsigned int> order;
    for (unsigned int i = 0; i < CData::kPlayers; ++i)
        if (played[i]) order.push_back(i);
    const auto ahead = [&](unsigned int a, unsigned int b) {
        const bool aWon = a + 1 == winner, bWon = b + 1 == winner;
        if (aWon != bWon) return aWon;
        return finalScores[a] > finalScores[b];
    };
    std::stable_sort(order.begin(), order.end(), ahead);
    std::vector<str> lines;
    for (unsigned int i : order) lines.push_back(lineup.players[i].name + str(": ") + str(finalScores[i]));
    return lines;
}

SLineup MatchLineup(CObject* inMatch, const char* context)
{
    if (auto* match = inMatch->GetParent<CMainGame>()) return match->lineup;
    return RequireData(inMatch, context).Lineup();
}

// The players still in the match keep the scores they have now.
void CMainGame::Finish()
{
    for (unsigned int n = 1; auto* player = FindChild<CPlayer>(n); ++n)
        Record(*player);
    if (winner != 0) PlayEffect(this, SoundWinner);
}
