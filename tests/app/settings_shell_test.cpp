// The program remembers its players and the sound switch from one run to the next; the
// Game menu's Sound item (F4) and Reset players act on them.

#include "app/gamer.h"
#include "app/main_window.h"
#include "gdi/png.h"
#include "platform/host/headless/program.h"
#include "platform/user/window_system.h"
#include "model/data.h"
#include "ui/game.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

namespace {

using headless::Program;
using headless::Session;

CData& Data() { return *FindData(CurrentGamer()); }

// The Sound item's check mark, as the menu would draw it.
bool SoundChecked(Session& session)
{
    const user::Window* window = user::FindWindow(session.Window());
    for (const user::MenuEntry& top : window->menu->Entries())
        for (const user::MenuEntry& item : top.popup)
            if (user::Menu::Label(item.text) == "Sound") return item.checked;
    ADD_FAILURE() << "no Sound item";
    return false;
}

void Quit(Program& program)
{
    program.Tap(VK_ESCAPE);
    ASSERT_TRUE(program.Finished());
}

TEST(SettingsShell, PlayersAndTheSoundSwitchSurviveARestartUntilTheyAreReset)
{
    ConfigHome home;
    {
        Session session;
        Program program(session);
        EXPECT_TRUE(Data().sound);
        EXPECT_TRUE(SoundChecked(session));
        Data().players[1].name = str("Renamed");
        program.Tap(VK_F4);
        EXPECT_FALSE(Data().sound);
        EXPECT_FALSE(SoundChecked(session));
        Quit(program);
    }
    {
        Session session;
        Program program(session);
        EXPECT_STREQ(Data().players[1].name, "Renamed");
        EXPECT_FALSE(Data().sound);
        EXPECT_FALSE(SoundChecked(session)) << "the check mark follows the settings at start";
        ASSERT_TRUE(program.Menu("Reset players"));
        EXPECT_STREQ(Data().players[1].name, "Marigold");
        EXPECT_STREQ(CurrentGamer()->GetGame()->type, "CIntro") << "the game starts again at the intro";
        ASSERT_TRUE(program.Menu("Sound"));
        EXPECT_TRUE(Data().sound);
        Quit(program);
    }
    Session session;
    Program program(session);
    EXPECT_STREQ(Data().players[1].name, "Marigold");
    EXPECT_TRUE(Data().sound);
    Quit(program);
}

// The Game menu open, as presented: the frame with the pop-up over the client area.
gdi::Surface OpenGameMenu(Session& session, Program& program, POINT& soundItem)
{
    const std::vector<POINT> path = user::FindWindow(session.Window())->menu->ClickPath("Sound");
    EXPECT_EQ(path.size(), 2u);
    session.MoveToFrame(path[0].x, path[0].y);
    session.Press(user::input::Button::Left);
    session.Release(user::input::Button::Left);
    program.Run();
    soundItem = path[1];
    const gdi::Surface* frame = session.PresentedFrame();
    gdi::Surface copy(frame->Width(), frame->Height(), false);
    for (int y = 0; y < frame->Height(); ++y)
        std::copy(frame->Row(y), frame->Row(y) + frame->Width(), copy.Row(y));
    program.Tap(VK_ESCAPE);
    return copy;
}

// The check mark stands left of the item's text, and only while sound is on; the
// pictures are written beside the test program for people to look at.
TEST(SettingsShell, TheSoundItemIsCheckedWhileSoundIsOn)
{
    Session session;
    Program program(session);
    POINT item{};
    const gdi::Surface on = OpenGameMenu(session, program, item);
    program.Tap(VK_F4);
    const gdi::Surface off = OpenGameMenu(session, program, item);
    png::Write("sound_menu_on.png", on);
    png::Write("sound_menu_off.png", off);
    int differ = 0, rightmost = 0;
    for (int y = item.y - 8; y <= item.y + 8; ++y)
        for (int x = 0; x < on.Width(); ++x)
            if (on.Row(y)[x] != off.Row(y)[x]) {
                ++differ;
                rightmost = std::max(rightmost, x);
            }
    EXPECT_GT(differ, 10) << "a tick when on, none when off";
    EXPECT_LT(rightmost, item.x) << "left of the text";
    Quit(program);
}

// Choosing a player for a side goes through two settings screens; when the second one is
// left, the file already has the choice, without waiting for the end of the program.
TEST(SettingsShell, LeavingASettingsScreenSavesAtOnce)
{
    ConfigHome home;
    Session session;
    Program program(session);
    program.Click(250, 330);  // New Game
    program.Frames(2);
    program.MoveTo(240, 225);
    program.Click(250, 230);  // the bottom slot of the small field
    program.Frames(2);
    program.MoveTo(240, 185);
    program.Click(250, 190);  // player 3
    program.Frames(2);
    EXPECT_STREQ(CurrentGamer()->GetGame()->type, "COptions");
    EXPECT_EQ(Data().padPlayers[0], 3u);
    EXPECT_TRUE(CurrentGamer()->settings.Flush()) << "the writer has it";
    EXPECT_NE(ReadFile(home.SettingsFile()).find("Bottom=3"), std::string::npos) << ReadFile(home.SettingsFile());
    Quit(program);
}

}  // namespace
