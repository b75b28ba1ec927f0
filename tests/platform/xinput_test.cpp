// XInput on our layer: the calls answer from the installed pad host with XInput's codes,
// and refuse what XInput refuses.

#include "platform/host/headless/headless_pads.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class XInputTest : public ::testing::Test {
protected:
    void SetUp() override { xinput::InstallPadHost(&pads); }
    void TearDown() override { xinput::InstallPadHost(nullptr); }

    headless::HeadlessPads pads;
};

TEST_F(XInputTest, BadArgumentsAreRefusedAndEmptySlotsAreNotConnected)
{
    XINPUT_STATE state{};
    XINPUT_CAPABILITIES capabilities{};
    XINPUT_VIBRATION vibration{1, 1};
    char name[16];
    pads.Connect(0, "Pad");
    for (DWORD slot : {DWORD{4}, DWORD{0xFFFFFFFF}}) {
        EXPECT_EQ(XInputGetState(slot, &state), ERROR_BAD_ARGUMENTS);
        EXPECT_EQ(XInputSetState(slot, &vibration), ERROR_BAD_ARGUMENTS);
        EXPECT_EQ(XInputGetCapabilities(slot, 0, &capabilities), ERROR_BAD_ARGUMENTS);
        EXPECT_EQ(GetPadName(slot, name, sizeof name), ERROR_BAD_ARGUMENTS);
    }
    EXPECT_EQ(XInputGetState(0, nullptr), ERROR_BAD_ARGUMENTS);
    EXPECT_EQ(XInputSetState(0, nullptr), ERROR_BAD_ARGUMENTS);
    EXPECT_EQ(XInputGetCapabilities(0, 0, nullptr), ERROR_BAD_ARGUMENTS);
    EXPECT_EQ(XInputGetCapabilities(0, 2, &capabilities), ERROR_BAD_ARGUMENTS) << "unknown flags";
    EXPECT_EQ(GetPadName(0, nullptr, 16), ERROR_BAD_ARGUMENTS);
    EXPECT_EQ(GetPadName(0, name, 0), ERROR_BAD_ARGUMENTS);

    EXPECT_EQ(XInputGetState(1, &state), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(XInputSetState(1, &vibration), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(GetPadName(1, name, sizeof name), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_STREQ(name, "");
    xinput::InstallPadHost(nullptr);
    EXPECT_EQ(XInputGetState(0, &state), ERROR_DEVICE_NOT_CONNECTED) << "no pad host: no pads";
}

TEST_F(XInputTest, StatePacketsCountChangesAndAVanishedPadReadsAsGone)
{
    pads.Connect(2, "Pad");
    XINPUT_STATE first{}, again{}, changed{};
    ASSERT_EQ(XInputGetState(2, &first), ERROR_SUCCESS);
    ASSERT_EQ(XInputGetState(2, &again), ERROR_SUCCESS);
    EXPECT_EQ(again.dwPacketNumber, first.dwPacketNumber) << "nothing changed";
    pads.Press(2, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_DPAD_LEFT, true);
    pads.Stick(2, -32768, 32767);
    pads.Trigger(2, true, 255);
    ASSERT_EQ(XInputGetState(2, &changed), ERROR_SUCCESS);
    EXPECT_NE(changed.dwPacketNumber, first.dwPacketNumber);
    EXPECT_EQ(changed.Gamepad.wButtons, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_DPAD_LEFT);
    EXPECT_EQ(changed.Gamepad.sThumbLX, -32768);
    EXPECT_EQ(changed.Gamepad.sThumbLY, 32767);
    EXPECT_EQ(changed.Gamepad.bRightTrigger, 255);
    EXPECT_EQ(changed.Gamepad.bLeftTrigger, 0);

    pads.Disconnect(2);  // between two reads
    XINPUT_STATE gone{};
    gone.dwPacketNumber = 77;
    EXPECT_EQ(XInputGetState(2, &gone), ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(gone.dwPacketNumber, 77u) << "a failed read leaves the state alone";
    pads.Connect(2, "Other pad");
    ASSERT_EQ(XInputGetState(2, &again), ERROR_SUCCESS);
    EXPECT_EQ(again.Gamepad.wButtons, 0) << "a pad plugged in starts at rest";
}

TEST_F(XInputTest, CapabilitiesNamesAndMotors)
{
    pads.Connect(0, "A pad with a long name indeed");
    pads.Connect(1, "Still", false);
    XINPUT_CAPABILITIES capabilities{};
    ASSERT_EQ(XInputGetCapabilities(0, XINPUT_FLAG_GAMEPAD, &capabilities), ERROR_SUCCESS);
    EXPECT_EQ(capabilities.Type, XINPUT_DEVTYPE_GAMEPAD);
    EXPECT_NE(capabilities.Gamepad.wButtons & XINPUT_GAMEPAD_START, 0);
    EXPECT_NE(capabilities.Vibration.wLeftMotorSpeed, 0);
    ASSERT_EQ(XInputGetCapabilities(1, 0, &capabilities), ERROR_SUCCESS);
    EXPECT_EQ(capabilities.Vibration.wLeftMotorSpeed, 0) << "no motors";

    char name[8];
    ASSERT_EQ(GetPadName(0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "A pad w") << "cut to the buffer, zero-terminated";

    XINPUT_VIBRATION on{30000, 10000};
    EXPECT_EQ(XInputSetState(0, &on), ERROR_SUCCESS);
    EXPECT_EQ(pads.Motors(0).wLeftMotorSpeed, 30000);
    EXPECT_EQ(pads.Motors(0).wRightMotorSpeed, 10000);
    EXPECT_EQ(XInputSetState(1, &on), ERROR_SUCCESS) << "a pad without motors takes the call and stays still";
    EXPECT_EQ(pads.Motors(1).wLeftMotorSpeed, 0);
}

}  // namespace
