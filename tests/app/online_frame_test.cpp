// The whole program's frames while an online session ends in the middle of one: the
// screens end it (a join that fails, Continue after a stopped match) from inside the
// frame, and the engine must not touch the session after that.

#include "app/gamer.h"
#include "app/main_window.h"
#include "model/data.h"
#include "net/enet_link.h"
#include "online/online.h"
#include "platform/host/headless/program.h"
#include "platform/host/headless/session.h"
#include "screens/game_over.h"
#include "screens/join_game.h"

#include <gtest/gtest.h>

namespace {

// Nothing listens on the discard port: a join there is never answered, and the session
// gives up after its wait for the welcome (on the program's clock, a frame a tick).
constexpr const char* kNobody = "127.0.0.1:9";
constexpr int kPastTheJoinWait = static_cast<int>(net::kJoinWaitMs / net::kFrameMs) + 50;

class OnlineFrame : public ::testing::Test {
protected:
    void SetUp() override { net::SetLinks(&links); }
    void TearDown() override { net::SetLinks(nullptr); }

    static CGamer& Engine() { return *CurrentGamer(); }
    static CData& Data() { return *Engine().Find<CData>(); }

    // Puts `screen` in place of the current one, as the engine hands over.
    template <class Make>
    static void Show(Make make)
    {
        CGamer& engine = Engine();
        engine.Pause();
        engine.EndPaint();
        delete engine.GetGame();
        make(engine);
        engine.InitPaint();
        engine.UnPause();
    }

    net::EnetLinkMaker links;
    headless::Session session;
};

TEST_F(OnlineFrame, AJoinThatFailsEndsTheSessionInsideAFrame)
{
    headless::Program program(session);
    Show([](CGamer& engine) { new CJoinGame(LList<CObject>(false, 1, &engine)); });
    Data().joinAddress = str(kNobody);
    program.Click(222, 306);  // Join
    ASSERT_NE(FindOnline(&Engine()), nullptr);
    program.Frames(kPastTheJoinWait);
    EXPECT_EQ(FindOnline(&Engine()), nullptr);
    EXPECT_TRUE(Engine().GetGame()->IsType(str(CJoinGame::kType)));
    program.Tap(VK_ESCAPE);
    EXPECT_EQ(program.ExitCode(), 0);
}

TEST_F(OnlineFrame, ContinueAfterAStoppedMatchEndsTheSessionInsideAFrame)
{
    headless::Program program(session);
    Show([](CGamer& engine) { new CGameOver(str("Game Over"), LList<CObject>(false, 1, &engine)); });
    JoinOnline(&Engine(), Data(), kNobody);
    program.Frames(kPastTheJoinWait);
    COnline* online = FindOnline(&Engine());
    ASSERT_NE(online, nullptr);
    ASSERT_EQ(online->Session().GetState(), net::Lockstep::State::Ended);
    program.Click(222, 400);  // Continue: the intro, out of the online game
    program.Frames(1);
    EXPECT_EQ(FindOnline(&Engine()), nullptr);
    EXPECT_TRUE(Engine().GetGame()->IsType(str("CIntro")));
    program.Tap(VK_ESCAPE);
    EXPECT_EQ(program.ExitCode(), 0);
}

}  // namespace
