#include "play/main_game.h"

#include "gfx/background.h"
#include "play/ball.h"
#include "play/brick.h"
#include "play/countdown.h"
#include "play/heading.h"
#include "play/match_seats.h"
#include "play/paddle.h"
#include "play/player.h"
#include "input/input.h"
#include "model/controls.h"
#include "model/data.h"
#include "model/sounds.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace {

constexpr unsigned int kServeX = 62, kServeY = 62;
constexpr int kWallFrom = 100, kWallTo = 412;
constexpr unsigned int kWallSize = 8;

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

// The paddle at each pad slot's side, or null once its player is out; one walk over the
// match's children, as this runs every frame.
using SlotPaddles = std::array<CPaddle*, kReplaySlots>;

bool NoteSlotPaddle(void* data, CObject* child)
{
    auto* paddle = dynamic_cast<CPaddle*>(child);
    if (!paddle) return true;
    auto& paddles = *static_cast<SlotPaddles*>(data);
    for (unsigned int slot = 0; slot < kReplaySlots; ++slot)
        if (!paddles[slot] && paddle->side == ePadSides[slot]) paddles[slot] = paddle;
    return true;
}

SlotPaddles PaddlesBySlot(CMainGame& game)
{
    SlotPaddles paddles{};
    game.IterateChildren(NoteSlotPaddle, &paddles);
    return paddles;
}

SSlotInput InputOf(CPaddle* paddle)
{
    SSlotInput input;
    CInput* device = paddle ? paddle->GetChild<CInput>() : nullptr;
    if (!device) return input;
    input.pos = static_cast<std::uint16_t>(std::min(device->GetPos(), 0xFFFFu));
    for (unsigned int i = 0; i < 3; ++i)
        if (device->GetButton(i)) input.buttons = static_cast<std::uint8_t>(input.buttons | 1u << i);
    return input;
}

// The players of a recording, each with controls of its own that make no device: the
// recording steers their paddles.
SLineup RecordedLineup(const SReplayHeader& header, CObject* match)
{
    SLineup lineup;
    for (unsigned int i = 0; i < kPlayers; ++i) {
        const SReplayPlayer& recorded = header.players[i];
        SPlayerOptions& player = lineup.players[i];
        player.number = i + 1;
        player.name = str(recorded.name.c_str());
        player.color = recorded.color;
        player.padType = recorded.rounded ? PadRounded : PadRectangular;
        player.input = new CControls(LList<CObject>(false, 1, match));
    }
    for (unsigned int slot = 0; slot < kPadSlots; ++slot) lineup.padPlayers[slot] = header.sides[slot];
    return lineup;
}

}  // namespace

std::uint32_t MatchChecksum(CMainGame& game)
{
    std::uint32_t h = 2166136261u;
    if (auto* ball = game.FindChild<CBall>()) {
        h = MixRect(h, ball->rect);
        h = MixDouble(MixDouble(h, ball->velocity.dVx()), ball->velocity.dVy());
    }
    if (auto* bricks = game.FindChild<CBricks>()) h = Mix(h, bricks->count);
    for (unsigned int n = 1; auto* paddle = game.FindChild<CPaddle>(n); ++n)
        h = MixRect(h, paddle->rect);
    for (unsigned int n = 1; auto* player = game.FindChild<CPlayer>(n); ++n)
        h = Mix(Mix(h, player->options.number), player->score);
    return h;
}

CMainGame::CMainGame(const LList<CObject>& parents) : CGame(parents)
{
    capturesCursor = true;
    type.Load(kType);
    CData& data = RequireData(this, "::CMainGame");
    const CMatchSeats* seats = FindMatchSeats(this);
    const SLineup* seated = seats ? seats->Lineup() : nullptr;
    lineup = seated ? *seated : data.Lineup();
    random = CMatchRandom(seated ? seats->MatchSeed() : static_cast<std::uint32_t>(std::rand()));
    recording.header.online = seated != nullptr;
    recording.header.seed = seated ? seats->MatchSeed() : 0;
    Build(data);
}

// Watching, the pointer stays free.
CMainGame::CMainGame(const LList<CObject>& parents, const SReplay& replay) : CGame(parents), playing(&replay)
{
    type.Load(kType);
    CData& data = RequireData(this, "::CMainGame");
    lineup = RecordedLineup(replay.header, this);
    Build(data);
}

void CMainGame::Reseat()
{
    auto* ball = GetChild<CBall>();
    delete countdown;
    delete GetChild<CPlayers>();
    const LList<CObject> here(false, 1, this);
    new CPlayers(ball, here);
    countdown = new CCountdown(ball, here);
}

void CMainGame::Build(CData& data)
{
    const LList<CObject> here(false, 1, this);
    new CBackground(here, data.client);
    auto* ball = new CBall(kServeX, kServeY, here);
    new CBricks(ball, here, Rect(kWallFrom, kWallFrom, kWallTo, kWallTo), kWallSize, kWallSize);
    new CPlayers(ball, here);
    countdown = new CCountdown(ball, here);  // last: over everything else
}

bool CMainGame::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

str CMainGame::WinnerText()
{
    str name("Nobody");
    for (const SPlayerOptions& record : lineup.players)
        if (winner != 0 && record.number == winner) name = record.name;
    return name + str(" Wins!");
}

str CMainGame::DecisionLine() const { return str(winner != 0 ? DecisionText(decision) : ""); }

// A recording restarts the countdown where the match it recorded did.
void CMainGame::Resumed()
{
    if (playing) return;
    countdown->Restart();
    pendingEvents |= ReplayCountdown;
}

bool CMainGame::Tilt()
{
    auto* ball = FindChild<CBall>();
    if (playing || !ball) return false;
    TiltTurn(ball->velocity);
    pendingEvents |= ReplayTilt;
    return true;
}

void CMainGame::Animate()
{
    if (playing) {
        if (PlayedOut() || mismatch) return;
        PlayEvents();
    } else {
        KeepInputs();
    }
    inputFrame = frame;
    CGame::Animate();
    KeepChecksum();
    ++frame;
    if (!playing || mismatch) return;
    // The match ends in the recording's last frame, or goes on no further: a match stopped
    // from elsewhere (online) ends with the scores as they stand.
    if (gameOver && !PlayedOut()) {
        Mismatch();
    } else if (PlayedOut() && !gameOver) {
        winner = playing->header.winner;
        gameOver = true;
    }
}

void CMainGame::KeepInputs()
{
    // A match put back to a frame the recording has not reached keeps no more of it.
    if (recording.frames.size() != frame || frame >= kMaxReplayFrames) return;
    SReplayFrame& kept = recording.frames.emplace_back();
    kept.events = pendingEvents;
    pendingEvents = 0;
    const SlotPaddles paddles = PaddlesBySlot(*this);
    for (unsigned int slot = 0; slot < kReplaySlots; ++slot) kept.slots[slot] = InputOf(paddles[slot]);
}

void CMainGame::PlayEvents()
{
    const std::uint8_t events = playing->frames[frame].events;
    if (auto* ball = events & ReplayTilt ? FindChild<CBall>() : nullptr) TiltTurn(ball->velocity);
    if (events & ReplayCountdown) countdown->Restart();
}

void CMainGame::KeepChecksum()
{
    if ((frame + 1) % kReplayChecksumEvery != 0) return;
    const std::uint32_t sum = MatchChecksum(*this);
    if (!playing) {
        if (recording.frames.size() == frame + 1) recording.checksums.push_back(sum);
        return;
    }
    const std::size_t index = (frame + 1) / kReplayChecksumEvery - 1;
    if (index >= playing->checksums.size() || playing->checksums[index] != sum) Mismatch();
}

void CMainGame::Mismatch()
{
    mismatch = true;
    gameOver = true;
}

int CMainGame::Draw()
{
    if (!playing) {
        const int number = random.Draw();
        if (recording.frames.size() == frame + 1 && recording.draws.size() == drawn)
            recording.draws.push_back(static_cast<std::uint16_t>(number));
        ++drawn;
        return number;
    }
    if (drawn < playing->draws.size()) return playing->draws[drawn++] % CMatchRandom::kRange;
    Mismatch();
    return 0;
}

void CMainGame::Rewind(const SRecordMark& mark)
{
    frame = mark.frames;
    pendingEvents = mark.events;
    drawn = mark.draws;
    recording.frames.resize(std::min(recording.frames.size(), mark.frames));
    recording.draws.resize(std::min(recording.draws.size(), mark.draws));
    recording.checksums.resize(std::min<std::size_t>(recording.checksums.size(), mark.frames / kReplayChecksumEvery));
}

SSlotInput CMainGame::RecordedInput(unsigned int slot) const
{
    if (!playing || inputFrame >= playing->frames.size() || slot >= kReplaySlots) return SSlotInput{};
    return playing->frames[inputFrame].slots[slot];
}

const SReplay& CMainGame::Recording()
{
    SReplayHeader& header = recording.header;
    header.winner = static_cast<std::uint8_t>(winner);
    for (unsigned int i = 0; i < kPlayers; ++i) {
        const SPlayerOptions& player = lineup.players[i];
        SReplayPlayer& kept = header.players[i];
        kept.name = static_cast<const char*>(player.name);
        kept.color = player.color;
        kept.rounded = player.padType == PadRounded;
        kept.kind = static_cast<std::uint8_t>(player.input ? player.input->kind : 0);
        kept.level = static_cast<std::uint8_t>(player.input ? player.input->level : 0);
        kept.played = played[i];
        kept.score = finalScores[i];
    }
    for (unsigned int slot = 0; slot < kPadSlots; ++slot) header.sides[slot] = static_cast<std::uint8_t>(lineup.padPlayers[slot]);
    return recording;
}

void CMainGame::Paused(bool paused) { countdown->ShowPaused(paused); }

const char* DecisionText(EDecision decision)
{
    switch (decision) {
    case LastStanding: return "last player standing";
    case MostPoints: return "most points when the last brick broke";
    case SuddenDeathDecided: return "sudden death";
    default: return "";
    }
}

void CMainGame::RecordOut(const CPlayer& player)
{
    Record(player);
    const unsigned int number = player.options.number;
    if (number >= 1 && number <= CData::kPlayers) out[number - 1] = true;
}

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
    for (unsigned int i : order)
        lines.push_back(lineup.players[i].name + str(": ") + str(finalScores[i]) + str(out[i] ? " (out)" : ""));
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
