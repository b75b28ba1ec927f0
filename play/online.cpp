#include "play/online.h"

#include "core/exceptions.h"
#include "input/input_maker.h"
#include "play/ball.h"
#include "play/brick.h"
#include "play/main_game.h"
#include "play/paddle.h"
#include "play/player.h"
#include "screens/data.h"

#include <cstdlib>
#include <cstring>

namespace {

std::uint32_t Mix(std::uint32_t h, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) h = (h ^ (v >> (8 * i) & 0xff)) * 16777619u;
    return h;
}

std::uint32_t MixDouble(std::uint32_t h, double d)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return Mix(Mix(h, static_cast<std::uint32_t>(bits)), static_cast<std::uint32_t>(bits >> 32));
}

std::uint32_t MixRect(std::uint32_t h, const Rect& r)
{
    for (LONG v : {r.left, r.top, r.right, r.bottom}) h = Mix(h, static_cast<std::uint32_t>(v));
    return h;
}

}  // namespace

std::uint32_t MatchChecksum(CMainGame& game)
{
    std::uint32_t h = 2166136261u;
    if (auto* ball = dynamic_cast<CBall*>(game.FindChild(str("CBall"), false, 1))) {
        h = MixRect(h, ball->rect);
        h = MixDouble(MixDouble(h, ball->velocity.dVx()), ball->velocity.dVy());
    }
    if (auto* bricks = dynamic_cast<CBricks*>(game.FindChild(str("CBricks"), false, 1))) h = Mix(h, bricks->count);
    for (unsigned int n = 1; auto* paddle = dynamic_cast<CPaddle*>(game.FindChild(str("CPaddle"), false, n)); ++n)
        h = MixRect(h, paddle->rect);
    for (unsigned int n = 1; auto* player = dynamic_cast<CPlayer*>(game.FindChild(str("CPlayer"), false, n)); ++n)
        h = Mix(Mix(h, player->options.number), player->score);
    return h;
}

COnline::COnline(std::unique_ptr<net::Transport> l, net::Lockstep s, const LList<CObject>& parents)
    : CGlobal(parents), link(std::move(l)), session(std::move(s))
{
    type.Load("COnline");
}

bool COnline::HasType(str t) const { return t == "COnline" || CGlobal::HasType(t); }

COnline* FindOnline(CObject* from) { return dynamic_cast<COnline*>(from->GetGlobal(str("COnline"), true, 1)); }

void COnline::Pump(std::uint32_t tickMs)
{
    // The tick count wraps after 49 days; the session's clock does not.
    clock += static_cast<std::uint32_t>(tickMs - lastTick);
    lastTick = tickMs;
    session.Update(clock);
    if (!matchRunning || reported || session.Failure().empty()) return;
    reported = true;
    throw XException(str(session.Failure().c_str()), str("Online match"));
}

bool COnline::FrameDue(CGame* game) const
{
    if (!matchRunning || !dynamic_cast<CMainGame*>(game)) return true;
    return session.Ready(frame);
}

void COnline::FrameDone(CGame* game)
{
    auto* match = dynamic_cast<CMainGame*>(game);
    if (!matchRunning) return;
    if (!match) {
        // The match is over here, and so on every machine at the same frame. The link
        // stays, so that what this machine still owes the others reaches them.
        matchRunning = false;
        return;
    }
    session.Checksum(frame, MatchChecksum(*match));
    ++frame;
}

void COnline::Seat(CData& data)
{
    const auto& seats = session.Seats();
    for (unsigned int i = 0; i < CData::kPlayers; ++i) {
        SPlayerOptions& player = data.players[i];
        data.padPlayers[i] = i < seats.size() ? player.number : 0;
        if (i >= seats.size()) continue;
        player.name = str(seats[i].name.c_str());
        if (!seats[i].local && player.input) player.input->SetNet(i);
        if (player.input) player.input->seat = i;
    }
    std::srand(session.Seed());
    frame = 0;
    matchRunning = true;
}
