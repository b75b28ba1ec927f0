#include "app/gamer.h"
#include "app/main_window.h"
#include "platform/host/headless/program.h"
#include "platform/host/headless/session.h"
#include "ui/game.h"

#include <gtest/gtest.h>

namespace {

int nextGames = 0;
int screensAlive = 0;
int childrenAlive = 0;

class Child : public CGraphic {
public:
    explicit Child(const LList<CObject>& parents) : CGraphic(parents, Rect(0, 0, 10, 10)) { ++childrenAlive; }
    ~Child() override { --childrenAlive; }
};

// A screen that finishes in the frame its `finishAt` names and is followed by another.
class Relay : public CGame {
public:
    explicit Relay(const LList<CObject>& parents) : CGame(parents)
    {
        type.Load("Relay");
        ++screensAlive;
        new Child(LList<CObject>(false, 1, this));
        auto* holder = new CGraphicHolder(LList<CObject>(false, 1, this), Rect());
        new Child(LList<CObject>(false, 1, holder));
    }
    ~Relay() override { --screensAlive; }
    void Animate() override
    {
        CGame::Animate();
        ++animations;
        if (animations == finishAt) gameOver = true;
    }
    CGame* NextGame() override
    {
        ++nextGames;
        return new Relay(Successor());
    }
    unsigned int animations = 0;
    unsigned int finishAt = 0;
};

class Handover : public ::testing::Test {
protected:
    Relay& InstallRelay()
    {
        CGamer& engine = *CurrentGamer();
        engine.Pause();
        engine.EndPaint();
        delete engine.GetGame();
        auto* relay = new Relay(LList<CObject>(false, 1, &engine));
        engine.InitPaint();
        engine.UnPause();
        return *relay;
    }

    DWORD GdiObjects() const { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

    headless::Session session;
};

TEST_F(Handover, AFinishedScreenIsReplacedAtTheEndOfThatFrame)
{
    headless::Program program(session);
    Relay& first = InstallRelay();
    nextGames = 0;
    first.finishAt = first.animations + 2;
    program.Frames(1);
    EXPECT_EQ(nextGames, 0);
    EXPECT_EQ(CurrentGamer()->GetGame(), &first);
    program.Frames(1);
    EXPECT_EQ(nextGames, 1) << "exactly one successor was asked for";
    EXPECT_EQ(screensAlive, 1) << "the old screen is gone";
    EXPECT_EQ(childrenAlive, 2) << "and its whole subtree with it";
    auto* second = dynamic_cast<Relay*>(CurrentGamer()->GetGame());
    ASSERT_NE(second, nullptr);
    EXPECT_GE(second->animations, 1u) << "animated before the next tick";
    EXPECT_TRUE(second->GetChild()->HasType(str("CGraphic")));
    EXPECT_TRUE(static_cast<CGraphic*>(second->GetChild())->prepared);
    EXPECT_TRUE(CurrentGamer()->running) << "the clock runs again";
    program.Tap(VK_ESCAPE);
    EXPECT_EQ(screensAlive, 0);
}

TEST_F(Handover, HandOversGiveBackEveryDrawingObject)
{
    headless::Program program(session);
    program.Frames(2);
    Relay* relay = &InstallRelay();
    program.Frames(1);
    const DWORD before = GdiObjects();
    for (int i = 0; i < 10; ++i) {
        relay->finishAt = relay->animations + 1;
        program.Frames(1);
        relay = dynamic_cast<Relay*>(CurrentGamer()->GetGame());
        ASSERT_NE(relay, nullptr);
    }
    EXPECT_EQ(GdiObjects(), before);
    program.Tap(VK_ESCAPE);
}

TEST_F(Handover, AScreenWithoutSuccessorLeavesTheEnginePausedWithAnError)
{
    headless::Program program(session);
    CGamer& engine = *CurrentGamer();
    engine.Pause();
    engine.EndPaint();
    delete engine.GetGame();
    auto* plain = new CGame(LList<CObject>(false, 1, &engine));
    engine.InitPaint();
    engine.UnPause();
    plain->gameOver = true;
    program.Frames(1);
    ASSERT_EQ(session.Boxes().size(), 1u);
    EXPECT_EQ(session.Boxes()[0].text, "CGamer::InitPaint(Game): A child/parent object was not present.");
    EXPECT_TRUE(engine.paused);
    program.Tap(VK_F2);
    ASSERT_NE(engine.GetGame(), nullptr) << "New Game recovers";
    EXPECT_TRUE(engine.GetGame()->IsType(str("CIntro")));
    EXPECT_EQ(session.Boxes().size(), 1u);
    program.Tap(VK_ESCAPE);
    EXPECT_EQ(program.ExitCode(), 0);
}

}  // namespace

namespace {

class Late : public CGraphic {
public:
    explicit Late(const LList<CObject>& parents) : CGraphic(parents, Rect(0, 0, 10, 10)) {}
};

TEST(PaintCycle, GraphicsMadeWhileTheCycleIsOpenPrepareOnDemand)
{
    headless::Session session;
    headless::Program program(session);
    CGame* screen = CurrentGamer()->GetGame();
    auto* late = new Late(LList<CObject>(false, 1, screen));
    EXPECT_FALSE(late->prepared);
    program.Frames(1);
    EXPECT_TRUE(late->prepared) << "its first paint prepared it";
    EXPECT_GE(late->frames, 2u);

    auto* never = new Late(LList<CObject>(false, 1, screen));
    EXPECT_TRUE(never->EndPaint(nullptr));
    EXPECT_EQ(never->frames, 1u) << "EndPaint on a never-prepared graphic animates it once";
    EXPECT_FALSE(never->prepared);
    delete never;
    program.Tap(VK_ESCAPE);
}

}  // namespace
