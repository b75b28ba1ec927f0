// A match on the real engine whose other machine's inputs arrive late: this machine runs
// its own inputs at once, predicts the other's, and goes back and runs frames again when
// the real ones differ. The frames it confirms are the same as when every input arrives
// in time, and it never falls behind the frame clock.

#include "net/memory_link.h"
#include "online/online.h"
#include "play/paddle.h"
#include "play/player.h"
#include "support/field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr std::uint32_t kSeed = 20261207;
constexpr std::uint32_t kFrames = 500;

// The guest's player: a paddle that sweeps its side and grabs now and then.
net::SeatInput GuestInput(std::uint32_t frame)
{
    net::SeatInput input;
    input.pos = static_cast<std::uint16_t>(256 + 200 * std::sin(frame / 17.0));
    input.buttons = (frame / 40) % 3 == 0 ? 1 : 0;
    return input;
}

// Where the host's pointer is moved before a tick, given the frame due: without one, a
// Hard computer plays the host's seat (a frame's input then does not depend on how many
// frames a tick runs, which the pace varies).
using Steer = std::function<unsigned int(std::uint32_t frame)>;

// The middle of player 1's paddle (the host's own) along its side, or -1.
long OwnPaddle(Field& field)
{
    for (unsigned int n = 1; CPaddle* paddle = field.Find<CPaddle>("CPaddle", n); ++n)
        if (paddle->player && paddle->player->options.number == 1)
            return paddle->orientation == Horizontal ? (paddle->rect.left + paddle->rect.right) / 2
                                                     : (paddle->rect.top + paddle->rect.bottom) / 2;
    return -1;
}

struct Played {
    std::vector<std::uint32_t> confirmed;  // the state's checksum after every confirmed frame
    std::vector<long> own;                 // the host's own paddle after every frame, as shown
    std::vector<std::uint32_t> tickFrames;  // the frame due at every tick
    unsigned int rollbacks = 0, longest = 0;
    unsigned int dropOutsTakenBack = 0, bricksTakenBack = 0;
    std::size_t soundsWhileGoingBack = 0;
    std::uint32_t ticks = 0, frames = 0;
    std::string failure;
};

// The host on the real engine and a guest that is only a session, the guest's datagrams
// taking `delayMs` each way, `lossPercent` of them lost and sent again.
Played Play(unsigned int delayMs, unsigned int lossPercent, const Steer& steer = nullptr)
{
    Played played;
    net::MemoryNetwork network(lossPercent, delayMs, 3);
    auto hostLink = network.Open();
    auto guestLink = network.Open();
    guestLink->Connect(hostLink->Id());
    net::Transport& hostTransport = *hostLink;
    Field field;
    if (steer)
        field.Mice();
    else
        field.Computers(ComputerHard);
    auto* online = new COnline(std::move(hostLink), net::Lockstep::Host(hostTransport, {"Host"}),
                               LList<CObject>(false, 1, field.engine));
    net::Lockstep guest = net::Lockstep::Join(*guestLink, {"Guest"});
    // The host's clock is the window system's tick count, as in the program.
    for (int i = 0; i < 100 && online->Session().Seats().size() < 2; ++i) {
        network.Advance(20);
        field.session.Advance(20);
        online->Pump(GetTickCount());
        guest.Update(network.Now());
    }
    EXPECT_TRUE(online->Session().Start(kSeed));
    online->Seat(*field.data);
    field.Match(true);
    std::uint32_t guestFrame = 0;
    // To frame kFrames, or to the end of the match.
    while (online->InMatch() && online->ConfirmedFrames() < kFrames && played.ticks < 4 * kFrames) {
        ++played.ticks;
        network.Advance(20);
        field.session.Advance(20);
        guest.Update(network.Now());
        if (guest.GetState() == net::Lockstep::State::Playing) {
            guest.SetLocal(guestFrame, 1, GuestInput(guestFrame));
            guest.Ran(guestFrame);
            guest.SendNow();
            ++guestFrame;
        }
        const std::uint32_t confirmedBefore = online->ConfirmedFrames();
        played.tickFrames.push_back(online->frame);
        if (steer) {
            const unsigned int x = steer(online->frame);
            // The pointer itself moves (a mouse input made anew starts where it is), and
            // the engine hears of it.
            field.session.MoveTo(static_cast<int>(x), static_cast<int>(x));
            field.engine->MouseMove(x, x);
        }
        try {
            // What arrived is taken in before the frame: going back makes no sound.
            const std::size_t heard = field.session.Sounds().size();
            const unsigned int wentBack = online->rollbacks;
            online->Pump(GetTickCount(), field.Screen());
            if (online->rollbacks != wentBack) played.soundsWhileGoingBack += field.session.Sounds().size() - heard;
            field.engine->Tick();
        } catch (const XException& e) {
            played.failure = static_cast<const char*>(e.text);
            break;
        }
        field.engine->Paint();
        while (played.own.size() < online->frame) played.own.push_back(OwnPaddle(field));
        for (std::uint32_t f = confirmedBefore; f < online->ConfirmedFrames(); ++f)
            if (const SMatchState* state = online->ConfirmedState(f)) played.confirmed.push_back(Checksum(*state));
    }
    played.frames = online->frame;
    played.rollbacks = online->rollbacks;
    played.longest = online->longestRollback;
    played.dropOutsTakenBack = online->dropOutsTakenBack;
    played.bricksTakenBack = online->bricksTakenBack;
    return played;
}

TEST(Rollback, LateInputsAreCorrectedAndTheConfirmedFramesAreTheSameAsWithoutDelay)
{
    const Played onTime = Play(0, 0);
    EXPECT_EQ(onTime.failure, "");
    ASSERT_GE(onTime.confirmed.size(), 200u);
    for (auto [delayMs, lossPercent] : {std::pair{60u, 0u}, std::pair{150u, 5u}}) {
        SCOPED_TRACE(std::to_string(delayMs) + " ms each way, " + std::to_string(lossPercent) + " % lost");
        const Played late = Play(delayMs, lossPercent);
        EXPECT_EQ(late.failure, "");
        // A tick may confirm more than one frame: the late match may go a frame further.
        ASSERT_GE(late.confirmed.size(), onTime.confirmed.size());
        for (std::size_t f = 0; f < onTime.confirmed.size(); ++f)
            ASSERT_EQ(late.confirmed[f], onTime.confirmed[f]) << "frame " << f;
        EXPECT_GT(late.rollbacks, 0u);
        EXPECT_EQ(late.soundsWhileGoingBack, 0u) << "a frame run again is not heard again";
        EXPECT_EQ(late.dropOutsTakenBack, 0u) << "a drop-out on a guess is held, not shown";
        std::printf("%u ms each way: %u rollbacks, longest %u, %u bricks shown broken and brought back\n", delayMs,
                    late.rollbacks, late.longest, late.bricksTakenBack);
        EXPECT_LE(late.longest, net::kWindow);
        // Nothing stalls while the inputs come within the window: a frame every tick.
        if (lossPercent == 0) {
            EXPECT_LE(late.ticks, onTime.ticks + 2 * delayMs / 20 + 10);
        }
    }
}

// However late the other machine's inputs come, a player's own paddle follows the
// pointer in the frame after the one that read it: within 2 frames of the move.
TEST(Rollback, OwnPaddleFollowsThePointerAtOnceWhateverTheDelay)
{
    constexpr std::uint32_t kMove = 100;
    for (unsigned int delayMs : {0u, 150u}) {
        SCOPED_TRACE(std::to_string(delayMs) + " ms each way");
        const Played played = Play(delayMs, 0, [](std::uint32_t frame) { return frame < kMove ? 150u : 380u; });
        // The first frame that read the pointer where it went.
        const auto moved = std::find_if(played.tickFrames.begin(), played.tickFrames.end(),
                                        [](std::uint32_t frame) { return frame >= kMove; });
        ASSERT_NE(moved, played.tickFrames.end());
        ASSERT_GT(played.own.size(), *moved + 2);
        EXPECT_NE(played.own[*moved + 1], played.own[*moved - 1]) << "the frame after the one that read it";
    }
}

}  // namespace
