#include "app/version.h"
#include "platform/gdi/gdi32.h"
#include "platform/win32.h"
#include "tools/replay/png_file.h"
#include "tools/replay/replay.h"
#include "tools/replay/script.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

class ReplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        outDir = std::filesystem::temp_directory_path() /
                 ("quorvel-replay-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(outDir);
    }
    void TearDown() override { std::filesystem::remove_all(outDir); }

    int Replay(const std::string& script)
    {
        std::istringstream in(script);
        out.str("");
        errors.str("");
        return replay::Run(in, outDir.string(), WinMain, out, errors);
    }

    std::filesystem::path outDir;
    std::ostringstream out;
    std::ostringstream errors;
};

TEST_F(ReplayTest, ScriptRunsToItsEndAndItsShotReadsBack)
{
    const int status = Replay(
        "# a short visit\n"
        "seed 7\n"
        "wait 3\n"
        "move 10 10\n"
        "tap VK_F3        # pause\n"
        "command 303      # and resume\n"
        "expect-pixel 5 5 808080\n"
        "shot start.png\n"
        "key VK_MENU\n"
        "tap VK_OEM_2\n"
        "keyup VK_MENU\n"
        "menu Pause Game\n"
        "focus off\n"
        "focus on\n"
        "type Ab1\n"
        "tap VK_ESCAPE\n");
    EXPECT_EQ(status, replay::kOk) << errors.str();
    EXPECT_NE(out.str().find("message box: [About Quorvel] " QUORVEL_ABOUT_VERSION_LINE), std::string::npos);

    const std::optional<gdi::Surface> shot = replay::ReadPng((outDir / "start.png").string());
    ASSERT_TRUE(shot.has_value());
    EXPECT_EQ(shot->Width(), 512);
    EXPECT_EQ(shot->Height(), 512);
    EXPECT_EQ(shot->Row(5)[5], gdi::PixelFromColor(RGB(128, 128, 128)));
    EXPECT_EQ(shot->Row(324)[221], gdi::PixelFromColor(RGB(0, 255, 0)));
}

TEST_F(ReplayTest, FailedExpectationExitsWithOne)
{
    EXPECT_EQ(Replay("expect-pixel 5 5 FFFFFF\n"), replay::kExpectationFailed);
    EXPECT_NE(errors.str().find("line 1: pixel (5, 5) is 808080, expected FFFFFF"), std::string::npos);
    EXPECT_EQ(Replay("expect-pixel 900 5 808080\n"), replay::kExpectationFailed);
}

TEST_F(ReplayTest, ScriptErrorsAreFoundBeforeAnythingRuns)
{
    EXPECT_EQ(Replay("wait 2\njump 3\nclick 1\nkey VK_NOPE\ndown 7\nexpect-pixel 1 2 12345\nfocus maybe\n"),
              replay::kScriptError);
    const std::string report = errors.str();
    for (const char* line : {"line 2:", "line 3:", "line 4:", "line 5:", "line 6:", "line 7:"})
        EXPECT_NE(report.find(line), std::string::npos) << line;
    EXPECT_EQ(report.find("line 1:"), std::string::npos);
}

TEST_F(ReplayTest, RunTimeErrorsStopTheScript)
{
    EXPECT_EQ(Replay("shot ../escape.png\n"), replay::kScriptError);
    EXPECT_EQ(Replay("shot /tmp/absolute.png\n"), replay::kScriptError);
    EXPECT_EQ(Replay("menu No Such Thing\n"), replay::kScriptError);
    EXPECT_EQ(Replay("type a_b\n"), replay::kScriptError);
    EXPECT_EQ(Replay("tap VK_ESCAPE\nwait 1\n"), replay::kScriptError);  // the program has ended
    EXPECT_NE(errors.str().find("line 2: the program has ended"), std::string::npos);
}

TEST(ReplayPadTest, PadCommandsParseToSlotsMasksAndValuesAndBadOnesAreNamed)
{
    std::istringstream good(
        "pad 3 connect Xbox 360 Controller\n"
        "pad 0 button LB down\n"
        "pad 1 stick -32768 32767\n"
        "pad 2 trigger R 255\n"
        "pad 3 disconnect\n");
    const replay::ParseResult parsed = replay::ParseScript(good);
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors.front();
    ASSERT_EQ(parsed.commands.size(), 5u);
    EXPECT_EQ(parsed.commands[0].verb, replay::Verb::PadConnect);
    EXPECT_EQ(parsed.commands[0].text, "Xbox 360 Controller");
    EXPECT_EQ(parsed.commands[1].numbers, (std::vector<long>{0, XINPUT_GAMEPAD_LEFT_SHOULDER, 1}));
    EXPECT_EQ(parsed.commands[2].numbers, (std::vector<long>{1, -32768, 32767}));
    EXPECT_EQ(parsed.commands[3].numbers, (std::vector<long>{2, 1, 255}));
    EXPECT_EQ(parsed.commands[4].verb, replay::Verb::PadDisconnect);

    std::istringstream bad(
        "pad 4 disconnect\n"
        "pad -1 connect X\n"
        "pad 0 connect\n"
        "pad 0 button Z down\n"
        "pad 0 button A sideways\n"
        "pad 0 stick 40000 0\n"
        "pad 0 trigger M 10\n"
        "pad 0 trigger L 256\n"
        "pad 0 wiggle\n"
        "pad 0 disconnect now\n"
        "pad\n");
    const replay::ParseResult refused = replay::ParseScript(bad);
    EXPECT_TRUE(refused.commands.empty());
    EXPECT_EQ(refused.errors.size(), 11u);
}

TEST(ReplayKeyTest, KeyNames)
{
    EXPECT_EQ(replay::ParseKey("VK_SPACE"), VK_SPACE);
    EXPECT_EQ(replay::ParseKey("VK_F2"), VK_F2);
    EXPECT_EQ(replay::ParseKey("VK_F12"), VK_F12);
    EXPECT_EQ(replay::ParseKey("VK_NUMPAD7"), VK_NUMPAD0 + 7);
    EXPECT_EQ(replay::ParseKey("a"), static_cast<UINT>('A'));
    EXPECT_EQ(replay::ParseKey("1"), static_cast<UINT>('1'));
    EXPECT_EQ(replay::ParseKey("27"), VK_ESCAPE);
    EXPECT_EQ(replay::ParseKey("VK_F0"), 0u);
    EXPECT_EQ(replay::ParseKey("VK_F13"), 0u);
    EXPECT_EQ(replay::ParseKey("300"), 0u);
    EXPECT_EQ(replay::ParseKey(""), 0u);
}

}  // namespace
