// SDL's game controllers as XInput pads, without hardware: SDL's virtual joysticks are
// plugged in, mapped, moved and pulled out under the dummy video driver.

#include "platform/host/sdl/sdl_pads.h"
#include "platform/win32.h"
#include "support/virtual_pad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// A plain joystick of 2 axes, 4 buttons and a hat, which SDL does not know as a pad.
int AttachJoystick(const char* name)
{
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = 2;
    desc.nbuttons = 4;
    desc.nhats = 1;
    desc.vendor_id = 0x1234;
    desc.product_id = 0x5678;
    desc.name = name;
    return SDL_JoystickAttachVirtualEx(&desc);
}

class SdlPadsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        config = std::filesystem::temp_directory_path() /
                 ("quorvel-pads-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(config / "quorvel");
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override
    {
        SDL_Quit();
        std::filesystem::remove_all(config);
        unsetenv("XDG_CONFIG_HOME");
    }

    // The pads fetch their state at most once a millisecond: the next read fetches anew.
    void Pump()
    {
        SDL_Delay(2);
        SDL_PumpEvents();
    }

    std::filesystem::path config;
};

TEST_F(SdlPadsTest, AJoystickMappedByTheUsersFileIsAPadThatMovesAndGoes)
{
    // Attached before the pads start: only the user's mapping makes it a pad.
    const int device = AttachJoystick("Plain Stick");
    ASSERT_GE(device, 0) << SDL_GetError();
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(device), guid, sizeof guid);
    std::ofstream(config / "quorvel" / "gamecontrollerdb.txt")
        << "# my stick\n"
        << guid << ",Mapped Stick,a:b0,b:b1,start:b3,leftx:a0,lefty:a1,dpup:h0.1,platform:" << SDL_GetPlatform()
        << ",\n"
        << "03000000ffffffffffff000000000000,Elsewhere,a:b0,platform:Nowhere OS,\n";

    sdlhost::SdlPads pads;
    ASSERT_TRUE(pads.Ready());
    xinput::InstallPadHost(&pads);
    SDL_Joystick* stick = SDL_JoystickOpen(device);
    ASSERT_NE(stick, nullptr);
    Pump();

    XINPUT_STATE state{};
    ASSERT_EQ(XInputGetState(0, &state), ERROR_SUCCESS);
    char name[32];
    ASSERT_EQ(GetPadName(0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Mapped Stick");
    EXPECT_EQ(XInputGetState(1, &state), ERROR_DEVICE_NOT_CONNECTED);

    SDL_JoystickSetVirtualButton(stick, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(stick, 3, SDL_PRESSED);
    SDL_JoystickSetVirtualAxis(stick, 0, 32767);
    SDL_JoystickSetVirtualAxis(stick, 1, -32768);
    SDL_JoystickSetVirtualHat(stick, 0, SDL_HAT_UP);
    Pump();
    ASSERT_EQ(XInputGetState(0, &state), ERROR_SUCCESS);
    EXPECT_EQ(state.Gamepad.wButtons, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_START | XINPUT_GAMEPAD_DPAD_UP);
    EXPECT_EQ(state.Gamepad.sThumbLX, 32767);
    EXPECT_EQ(state.Gamepad.sThumbLY, 32767) << "SDL's up is XInput's up";

    // A second pad takes the next slot; the first keeps its slot when it goes and comes.
    const int second = AttachVirtualController("Virtual Controller");
    ASSERT_GE(second, 0) << SDL_GetError();
    Pump();
    ASSERT_EQ(XInputGetState(1, &state), ERROR_SUCCESS);
    SDL_JoystickClose(stick);
    ASSERT_EQ(SDL_JoystickDetachVirtual(device), 0);
    Pump();
    EXPECT_EQ(XInputGetState(0, &state), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(GetPadName(1, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Virtual Controller") << "the second pad stays in its slot";
    XINPUT_VIBRATION motors{1000, 1000};
    EXPECT_EQ(XInputSetState(1, &motors), ERROR_SUCCESS);
    const int third = AttachVirtualController("Virtual Controller");
    Pump();
    ASSERT_GE(third, 0);
    EXPECT_EQ(XInputGetState(0, &state), ERROR_SUCCESS) << "the first free slot";
    xinput::InstallPadHost(nullptr);
}

TEST_F(SdlPadsTest, BadMappingFilesAreReportedAndTheGoodLinesStillCount)
{
    const std::filesystem::path file = config / "mappings.txt";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(sdlhost::LoadMappingFile((config / "missing.txt").string()), 0);
    EXPECT_EQ(sdlhost::LoadMappingFile(config.string()), 0) << "a folder";
    std::ofstream(file) << "this is not a mapping\n\n"
                        << "03000000aaaaaaaaaaaa000000000000,Good Pad,a:b0,b:b1,\r\n"
                        << "nonsense,\n";
    EXPECT_EQ(sdlhost::LoadMappingFile(file.string()), 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("missing.txt is not a file that can be read"), std::string::npos) << said;
    EXPECT_NE(said.find("mappings.txt:1 is not a controller mapping"), std::string::npos) << said;
    EXPECT_NE(said.find("mappings.txt:4 is not a controller mapping"), std::string::npos) << said;

    if (getuid() != 0) {  // root reads everything
        std::filesystem::permissions(file, std::filesystem::perms::none);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(sdlhost::LoadMappingFile(file.string()), 0);
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("cannot read"), std::string::npos);
    }

    // A file of nothing but junk, raw bytes included: a few lines say so, not one a line.
    {
        std::ofstream junk(file, std::ios::binary);
        for (int i = 0; i < 600000; ++i) junk << "\x1b[31mjunk\xff\x01 " << i << "\n";
    }
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(sdlhost::LoadMappingFile(file.string()), 0);
    const std::string junkSaid = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(junkSaid.begin(), junkSaid.end(), '\n'), 4) << junkSaid;
    EXPECT_NE(junkSaid.find("599997 more lines are not controller mappings"), std::string::npos) << junkSaid;
    EXPECT_TRUE(std::all_of(junkSaid.begin(), junkSaid.end(), [](char c) { return c == '\n' || (c >= ' ' && c <= '~'); }))
        << "no raw bytes";

    // The user's file is malformed: the pads still start, and so does the game.
    std::ofstream(config / "quorvel" / "gamecontrollerdb.txt") << "\x01\x02 garbage without commas\n";
    ::testing::internal::CaptureStderr();
    sdlhost::SdlPads pads;
    EXPECT_TRUE(pads.Ready());
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("is not a controller mapping"), std::string::npos);
    EXPECT_EQ(sdlhost::UserMappingFile(), (config / "quorvel" / "gamecontrollerdb.txt").string());
}

}  // namespace
