// The players' settings between runs: everything comes back after a restart, a bad file
// loads what it can and says what it ignored, and a folder that cannot be written leaves
// the game running with one warning.

#include "model/controls.h"
#include "model/data.h"
#include "app/settings.h"
#include "platform/profile/ini_file.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A CData with the defaults, as the engine makes it at start.
struct Settings {
    Settings() : data(new CData(LList<CObject>(false, 1, &root))) { data->FillDefaults(&root); }
    CObject root{LList<CObject>(false, 0)};
    CData* data;
    SPlayerOptions& Player(unsigned int number) { return data->players[number - 1]; }
};

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Every player, side and switch away from the defaults, so that going back to them
// changes every section.
void ChangeEverything(Settings& settings)
{
    for (unsigned int number = 1; number <= CData::kPlayers; ++number) {
        settings.Player(number).name = str(("Changed " + std::to_string(number)).c_str());
        settings.Player(number).color = RGB(number, 2 * number, 3 * number);
        settings.Player(number).input->SetKeyboard('W', 'S', 'A', 'D', VK_SPACE, 'Q', VK_CONTROL);
    }
    const unsigned int sides[kPadSlots] = {4, 3, 2, 1};
    std::copy(sides, sides + kPadSlots, settings.data->padPlayers);
    settings.data->sound = false;
}

std::string SavedText(const Settings& settings)
{
    const std::filesystem::path path = ScratchFolder() / "quorvel.ini";
    SettingsFile file(path.string());
    EXPECT_TRUE(file.Save(*settings.data));
    EXPECT_TRUE(file.Flush());
    return ReadFile(path);
}

TEST(SettingsFile, EveryFieldSurvivesARestart)
{
    ConfigHome home;
    {
        Settings before;
        before.Player(1).name = str("Ann");
        before.Player(1).color = RGB(1, 2, 3);
        before.Player(1).padType = PadRectangular;
        before.Player(1).input->SetKeyboard('W', 'S', 'A', 'D', VK_SPACE, 'Q', VK_CONTROL);
        before.Player(3).name = str("Bo 3");
        before.Player(3).padType = PadRounded;
        before.Player(3).input->SetComputer(2);
        before.Player(2).input->SetPad(3);
        before.Player(4).input->SetKeyboard(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_RETURN, VK_UP, VK_SHIFT);
        before.Player(4).input->SetMouse(0);
        const unsigned int sides[kPadSlots] = {3, 3, 1, 2};
        std::copy(sides, sides + kPadSlots, before.data->padPlayers);
        before.data->sound = false;
        EXPECT_TRUE(SettingsFile().Save(*before.data));
    }
    ASSERT_TRUE(std::filesystem::exists(home.SettingsFile())) << "the file lives in XDG_CONFIG_HOME/quorvel";

    Settings after;
    EXPECT_TRUE(SettingsFile().Load(*after.data).empty());
    EXPECT_STREQ(after.Player(1).name, "Ann");
    EXPECT_EQ(after.Player(1).color, RGB(1, 2, 3));
    EXPECT_EQ(after.Player(1).padType, PadRectangular);
    EXPECT_EQ(after.Player(1).input->kind, CControls::Keyboard);
    const unsigned int keys[CControls::ControlCount] = {'W', 'S', 'A', 'D', VK_SPACE, 'Q', VK_CONTROL};
    for (int i = 0; i < CControls::ControlCount; ++i) EXPECT_EQ(after.Player(1).input->keys[i], keys[i]) << i;
    EXPECT_STREQ(after.Player(2).name, "Marigold");
    EXPECT_EQ(after.Player(2).input->kind, CControls::Controller);
    EXPECT_EQ(after.Player(2).input->pad, 3u);
    EXPECT_STREQ(after.Player(3).name, "Bo 3");
    EXPECT_EQ(after.Player(3).padType, PadRounded);
    EXPECT_EQ(after.Player(3).input->kind, CControls::Computer);
    EXPECT_EQ(after.Player(3).input->level, 2u);
    EXPECT_EQ(after.Player(4).input->kind, CControls::Mouse) << "the last kind chosen counts";
    EXPECT_EQ(after.data->padPlayers[0], 3u);
    EXPECT_EQ(after.data->padPlayers[1], 3u);
    EXPECT_EQ(after.data->padPlayers[2], 1u);
    EXPECT_EQ(after.data->padPlayers[3], 2u);
    EXPECT_FALSE(after.data->sound);

    after.data->ResetPlayers();
    EXPECT_TRUE(SettingsFile().Save(*after.data));
    Settings reset;
    SettingsFile().Load(*reset.data);
    EXPECT_STREQ(reset.Player(1).name, "Harrow");
    EXPECT_EQ(reset.Player(1).input->kind, CControls::Mouse);
    EXPECT_EQ(reset.data->padPlayers[0], 1u);
    EXPECT_FALSE(reset.data->sound) << "resetting the players leaves the sound switch alone";
}

struct BadFile {
    const char* what;
    std::string text;
    int ignored;
    std::function<void(Settings&)> check;
};

std::string Junk()
{
    std::string junk;
    for (int i = 0; i < 2000; ++i) junk += static_cast<char>((i * 37 + i / 7) % 256);
    return junk;
}

TEST(SettingsFile, ABadFileLoadsWhatIsSoundAndSaysOnceWhatItIgnored)
{
    const auto defaults = [](Settings& s) {
        EXPECT_STREQ(s.Player(1).name, "Harrow");
        EXPECT_EQ(s.Player(1).color, RGB(0, 0, 255));
        EXPECT_EQ(s.data->padPlayers[0], 1u);
    };
    const BadFile files[] = {
        {"an empty file", "", 0, defaults},
        {"binary junk", Junk(), -1, defaults},
        {"a file cut short", "[Player1]\nName=Cut\nRed=9\nGre", 1,
         [](Settings& s) {
             EXPECT_STREQ(s.Player(1).name, "Cut");
             EXPECT_EQ(s.Player(1).color, RGB(0, 0, 255)) << "a colour needs all three parts";
         }},
        {"unknown keys and sections", "[Player1]\nName=Ann\nFavourite=tea\n[Extras]\nx=1\n", 2,
         [](Settings& s) { EXPECT_STREQ(s.Player(1).name, "Ann"); }},
        {"a colour above 255", "[Player2]\nRed=300\nGreen=1\nBlue=2\nShape=0\n", 1,
         [](Settings& s) {
             EXPECT_EQ(s.Player(2).color, RGB(0, 255, 0));
             EXPECT_EQ(s.Player(2).padType, PadRectangular);
         }},
        {"key codes 0 and 256", "[Player1]\nInput=1\nUp=0\nDown=256\nLeft=65\nGrab=-3\n", 3,
         [](Settings& s) {
             const CControls& input = *s.Player(1).input;
             EXPECT_EQ(input.kind, CControls::Keyboard);
             EXPECT_EQ(input.keys[CControls::Up], static_cast<unsigned>(VK_UP));
             EXPECT_EQ(input.keys[CControls::Down], static_cast<unsigned>(VK_DOWN));
             EXPECT_EQ(input.keys[CControls::Left], 65u);
             EXPECT_EQ(input.keys[CControls::Grab], static_cast<unsigned>(VK_SPACE));
         }},
        {"sides given to missing players", "[Sides]\nBottom=5\nLeft=0\nTop=4\nRight=x\n", 3,
         [](Settings& s) {
             EXPECT_EQ(s.data->padPlayers[0], 1u);
             EXPECT_EQ(s.data->padPlayers[1], 2u);
             EXPECT_EQ(s.data->padPlayers[2], 4u);
             EXPECT_EQ(s.data->padPlayers[3], 4u);
         }},
        {"a 4,000-character name", "[Player3]\nName=" + std::string(4000, 'n') + "\nShape=1\n", 1,
         [](Settings& s) {
             EXPECT_STREQ(s.Player(3).name, "nnnnnnnnnnnnnnn") << "cut to the longest name";
             EXPECT_EQ(s.Player(3).padType, PadRounded);
         }},
        {"a name with control characters", "[Player4]\nName=a\x01\x02z\n", 1,
         [](Settings& s) { EXPECT_STREQ(s.Player(4).name, "Saltire"); }},
        {"an input kind that does not exist here", "[Player2]\nInput=9\n[Player3]\nInput=0\n[Game]\nSound=2\n", 3,
         [](Settings& s) {
             EXPECT_EQ(s.Player(2).input->kind, CControls::Computer);
             EXPECT_EQ(s.Player(3).input->kind, CControls::Computer);
             EXPECT_TRUE(s.data->sound);
         }},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        const std::filesystem::path path = ScratchFolder() / "quorvel.ini";
        WriteFile(path, file.text);
        Settings settings;
        ::testing::internal::CaptureStderr();
        const std::vector<std::string> ignored = SettingsFile(path.string()).Load(*settings.data);
        const std::string said = ::testing::internal::GetCapturedStderr();
        if (file.ignored >= 0) {
            EXPECT_EQ(static_cast<int>(ignored.size()), file.ignored);
            EXPECT_EQ(Lines(said), file.ignored) << said;
        } else {
            EXPECT_FALSE(ignored.empty());
            EXPECT_LE(Lines(said), 5) << "a long list is cut short";
        }
        EXPECT_TRUE(said.empty() || said.find(path.string()) != std::string::npos) << "names the file";
        file.check(settings);
    }
}

// Junk that the profile functions pass over is still named, once each and without its
// raw bytes, and the next save writes only what the game knows.
TEST(SettingsFile, JunkLinesBrokenHeadersAndLongNamesAreReportedOnceAndGoneAfterASave)
{
    const std::filesystem::path path = ScratchFolder() / "quorvel.ini";
    WriteFile(path, "[Player1]\nName=ABCDEFGHIJKLMNOPQRSTUVWXYZ01234\nRed=10\nGreen=20\nBlue=30\n"
                    "this line is junk\n[Player2\n[Player3]\nShape=1\n\x01\x02\x1b[2J\xfe\xff\n[Sides]\nBottom=2\n");
    Settings settings;
    SettingsFile file(path.string());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(file.Load(*settings.data).size(), 4u);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 4) << said;
    EXPECT_EQ(Count(said, "this line is junk"), 1) << said;
    EXPECT_EQ(Count(said, "[Player2 "), 1) << said;
    EXPECT_EQ(Count(said, "line 10: bytes that are not text"), 1) << said;
    EXPECT_EQ(Count(said, "ABCDEFGHIJKLMNO"), 1) << said;
    EXPECT_TRUE(std::all_of(said.begin(), said.end(), [](char c) { return c == '\n' || (c >= ' ' && c <= '~'); }))
        << "no raw bytes";
    EXPECT_STREQ(settings.Player(1).name, "ABCDEFGHIJKLMNO") << "cut to the longest name";
    EXPECT_EQ(settings.Player(1).color, RGB(10, 20, 30));
    EXPECT_EQ(settings.Player(3).padType, PadRounded);
    EXPECT_EQ(settings.data->padPlayers[0], 2u);

    EXPECT_TRUE(file.Save(*settings.data));
    EXPECT_TRUE(file.Flush());
    const std::string saved = ReadFile(path);
    EXPECT_EQ(Count(saved, "[Player2]"), 1) << saved;
    EXPECT_EQ(Count(saved, "[Player2\n"), 0) << saved;
    EXPECT_EQ(Count(saved, "junk"), 0) << saved;
    EXPECT_EQ(Count(saved, "\xfe"), 0) << saved;
    Settings again;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(SettingsFile(path.string()).Load(*again.data).empty());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_STREQ(again.Player(1).name, "ABCDEFGHIJKLMNO");
}

// What is no settings file is never read: a pipe would wait for a writer for ever, a
// device never ends or fills the memory, a huge file takes minutes. It is moved out of
// the way with one line on standard error, the game starts from the defaults, and the
// next save writes a good file.
TEST(SettingsFile, APipeADeviceAFolderOrAHugeFileIsSetAside)
{
    struct Odd {
        const char* what;
        std::function<void(const std::filesystem::path&)> make;
    };
    const Odd odds[] = {
        {"a pipe", [](const std::filesystem::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); }},
        {"/dev/zero", [](const std::filesystem::path& path) { std::filesystem::create_symlink("/dev/zero", path); }},
        {"/dev/full", [](const std::filesystem::path& path) { std::filesystem::create_symlink("/dev/full", path); }},
        {"a folder", [](const std::filesystem::path& path) { std::filesystem::create_directories(path / "inside"); }},
        {"10 MB of blank lines", [](const std::filesystem::path& path) { WriteFile(path, std::string(10 << 20, '\n')); }},
    };
    for (const Odd& odd : odds) {
        SCOPED_TRACE(odd.what);
        const std::filesystem::path path = ScratchFolder() / "quorvel.ini";
        odd.make(path);
        Settings settings;
        SettingsFile file(path.string());
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(file.Load(*settings.data).size(), 1u);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find("set aside as " + path.string() + ".bad"), std::string::npos) << said;
        EXPECT_STREQ(settings.Player(1).name, "Harrow");
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(path.string() + ".bad")));

        EXPECT_TRUE(file.Save(*settings.data));
        EXPECT_TRUE(file.Flush());
        Settings again;
        EXPECT_TRUE(SettingsFile(path.string()).Load(*again.data).empty()) << ReadFile(path);
    }
}

// When the odd thing cannot be moved it is left as it is: not read, and not written over.
TEST(SettingsFile, WhatCannotBeSetAsideIsLeftAlone)
{
    const std::filesystem::path path = ScratchFolder() / "quorvel.ini";
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    std::filesystem::create_directories(path.string() + ".bad/full");
    Settings settings;
    SettingsFile file(path.string());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(file.Load(*settings.data).size(), 1u);
    settings.Player(1).name = str("Ann");
    EXPECT_FALSE(file.Save(*settings.data));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_NE(said.find("cannot be moved"), std::string::npos) << said;
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

// A process killed while it saves, at random moments, with every rename slowed down as on
// a slow disk: each time, the file is wholly the one before the save or wholly the one
// after it. The child saves Reset players and back, over and over, so every save changes
// every section.
TEST(SettingsFile, AProcessKilledWhileSavingLeavesTheOldFileOrTheNewOne)
{
    Settings changed, reset;
    ChangeEverything(changed);
    const std::string before = SavedText(changed), after = SavedText(reset);
    const std::filesystem::path path = ScratchFolder() / "quorvel.ini";
    const char* asked = std::getenv("QUORVEL_SETTINGS_KILLS");
    const int kills = asked ? std::atoi(asked) : 24;
    std::mt19937 random(23);
    int midSave = 0;
    for (int kill = 0; kill < kills; ++kill) {
        WriteFile(path, before);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            profile::SetBeforeRenameHook([] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); });
            SettingsFile file(path.string());
            for (bool back = false;; back = !back) {
                file.Save(*(back ? changed : reset).data);
                file.Flush();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 500)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string left = ReadFile(path);
        EXPECT_TRUE(left == before || left == after) << "kill " << kill << ":\n" << left;
        midSave += std::filesystem::exists(path.string() + ".new");
    }
    EXPECT_GT(midSave, kills / 2) << "most kills came in the middle of a save";
}

TEST(SettingsFile, AMissingFileGivesTheDefaultsSilently)
{
    ConfigHome home;
    Settings settings;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(SettingsFile().Load(*settings.data).empty());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_STREQ(settings.Player(1).name, "Harrow");
    EXPECT_FALSE(std::filesystem::exists(home.SettingsFile())) << "reading makes no file";
}

// After a load that ignored things, the next save writes the whole file again, and it
// loads clean.
TEST(SettingsFile, ASaveAfterABadLoadLeavesACleanFile)
{
    const std::filesystem::path path = ScratchFolder() / "quorvel.ini";
    WriteFile(path, "[Player1]\nName=Kept\nRed=999\n[Junk]\nx=1\n");
    Settings settings;
    SettingsFile file(path.string());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(file.Load(*settings.data).size(), 2u);
    ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(file.Save(*settings.data));
    EXPECT_TRUE(file.Flush());

    Settings again;
    EXPECT_TRUE(SettingsFile(path.string()).Load(*again.data).empty()) << ReadFile(path);
    EXPECT_STREQ(again.Player(1).name, "Kept");
    EXPECT_EQ(again.Player(1).color, RGB(0, 0, 255));
}

TEST(SettingsFile, AFolderThatCannotBeMadeKeepsTheSettingsForTheRunAndWarnsOnce)
{
    ConfigHome home;
    WriteFile(home.folder / "quorvel", "a file where the folder should be");
    Settings settings;
    SettingsFile file;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(file.Load(*settings.data).empty());
    settings.Player(1).name = str("Ann");
    EXPECT_FALSE(file.Save(*settings.data));
    settings.Player(1).name = str("Bea");
    EXPECT_FALSE(file.Save(*settings.data));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_STREQ(settings.Player(1).name, "Bea");
}

// The folder is there but the file cannot be replaced (a folder took its place after the
// start): the writer fails behind the game's back and says so once.
TEST(SettingsFile, AFileThatCannotBeWrittenIsReportedOnce)
{
    ConfigHome home;
    Settings settings;
    SettingsFile file;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(file.Load(*settings.data).empty());
    std::filesystem::create_directories(home.SettingsFile());
    settings.Player(1).name = str("Ann");
    EXPECT_TRUE(file.Save(*settings.data));
    EXPECT_FALSE(file.Flush());
    settings.Player(1).name = str("Bea");
    EXPECT_TRUE(file.Save(*settings.data));
    EXPECT_FALSE(file.Flush());
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_NE(said.find("cannot write"), std::string::npos) << said;
}

}  // namespace
