#include "platform/win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The name a key-capture field shows: the scan code alone, no extended bit.
std::string NameOf(UINT vk)
{
    char buffer[64];
    const LONG scanCode = static_cast<LONG>(MapVirtualKey(vk, MAPVK_VK_TO_VSC));
    const int length = GetKeyNameText(scanCode << 16, buffer, sizeof buffer);
    EXPECT_EQ(length, static_cast<int>(std::string(buffer).size()));
    return buffer;
}

struct KeyName {
    UINT vk;
    const char* name;
};

TEST(KeyNameTest, BindableKeysHaveWindowsNames)
{
    const KeyName keys[] = {
        {'A', "A"},          {'Q', "Q"},           {'Z', "Z"},         {'0', "0"},       {'7', "7"},
        {VK_SPACE, "Space"}, {VK_RETURN, "Enter"}, {VK_SHIFT, "Shift"}, {VK_CONTROL, "Ctrl"},
        {VK_ESCAPE, "Esc"},  {VK_F1, "F1"},        {VK_F10, "F10"},    {VK_F11, "F11"},  {VK_F12, "F12"},
    };
    for (const KeyName& key : keys) EXPECT_EQ(NameOf(key.vk), key.name);
}

TEST(KeyNameTest, ArrowsAndTheirBlockAreNamedAsKeypadTwinsWithoutTheExtendedBit)
{
    const KeyName keys[] = {
        {VK_UP, "Num 8"},     {VK_DOWN, "Num 2"},       {VK_LEFT, "Num 4"},          {VK_RIGHT, "Num 6"},
        {VK_INSERT, "Num 0"}, {VK_DELETE, "Num Del"}, {VK_HOME, "Num 7"},          {VK_NUMPAD0 + 8, "Num 8"},
    };
    for (const KeyName& key : keys) EXPECT_EQ(NameOf(key.vk), key.name);

    char buffer[64];
    const LONG extendedUp = (0x48 << 16) | (1 << 24);
    GetKeyNameText(extendedUp, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "Up");
}

TEST(KeyNameTest, UnknownKeysAndSmallBuffers)
{
    char buffer[4] = "xyz";
    EXPECT_EQ(GetKeyNameText(0x7F << 16, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetKeyNameText(0x39 << 16, buffer, sizeof buffer), 3);  // "Space" cut to fit
    EXPECT_STREQ(buffer, "Spa");
    EXPECT_EQ(GetKeyNameText(0x39 << 16, buffer, 0), 0);
    EXPECT_EQ(GetKeyNameText(0x39 << 16, nullptr, 10), 0);
    EXPECT_EQ(MapVirtualKey(0xE8, MAPVK_VK_TO_VSC), 0u);
    EXPECT_EQ(MapVirtualKey(VK_F1, 77), 0u);
}

TEST(KeyMapTest, CharactersAndScanCodes)
{
    EXPECT_EQ(MapVirtualKey('A', MAPVK_VK_TO_CHAR), static_cast<UINT>('A'));
    EXPECT_EQ(MapVirtualKey('5', MAPVK_VK_TO_CHAR), static_cast<UINT>('5'));
    EXPECT_EQ(MapVirtualKey(VK_SPACE, MAPVK_VK_TO_CHAR), static_cast<UINT>(' '));
    EXPECT_EQ(MapVirtualKey(VK_OEM_2, MAPVK_VK_TO_CHAR), static_cast<UINT>('/'));
    EXPECT_EQ(MapVirtualKey(VK_F5, MAPVK_VK_TO_CHAR), 0u);
    EXPECT_EQ(MapVirtualKey(VK_LEFT, MAPVK_VK_TO_CHAR), 0u);
    EXPECT_EQ(MapVirtualKey(VK_ESCAPE, MAPVK_VK_TO_VSC), 0x01u);
    EXPECT_EQ(MapVirtualKey(0x1E, MAPVK_VSC_TO_VK), static_cast<UINT>('A'));
    EXPECT_EQ(MapVirtualKey(VK_LEFT, MAPVK_VK_TO_VSC), 0x4Bu) << "without the extended prefix";
    EXPECT_EQ(MapVirtualKey(VK_LEFT, MAPVK_VK_TO_VSC_EX), 0xE04Bu);
    EXPECT_EQ(MapVirtualKey(VK_NUMPAD0 + 4, MAPVK_VK_TO_VSC_EX), 0x4Bu);
    EXPECT_EQ(MapVirtualKey(0xE8, MAPVK_VK_TO_VSC_EX), 0u);
}

}  // namespace
