#include "support/menu_tree.h"
#include "ui/get_key.h"
#include "ui/text.h"

#include <gtest/gtest.h>

namespace {

class GetKeyTest : public ::testing::Test {
protected:
    // Two fields as on the keyboard screen: y 146 to 165 and 171 to 190.
    void SetUp() override
    {
        up = new CGetKey(261, 146, &upKey, tree.OnScreen());
        down = new CGetKey(261, 171, &downKey, tree.OnScreen());
    }
    void Click(unsigned int x, unsigned int y)
    {
        tree.Move(x, y);
        tree.Press();
        Frame();
        tree.Release();
        Frame();
    }
    void Frame()
    {
        up->Animate();
        down->Animate();
        tree.root->UpdateInput();
    }
    static str Shown(CGetKey* field) { return dynamic_cast<CText*>(field->GetChild(str("CText"), false, 1))->text; }

    unsigned int upKey = VK_UP;
    unsigned int downKey = VK_DOWN;
    MenuTree tree;
    CGetKey* up = nullptr;
    CGetKey* down = nullptr;
};

// Keys of the extended block have names of their own; only the keypad is "Num".
TEST_F(GetKeyTest, ShowsExtendedKeysByTheirOwnNamesAndKeypadKeysAsNum)
{
    EXPECT_STREQ(Shown(up), "Up");
    EXPECT_STREQ(Shown(down), "Down");
    const struct {
        unsigned int key;
        const char* name;
    } names[] = {{VK_LEFT, "Left"},      {VK_RIGHT, "Right"},         {VK_INSERT, "Insert"},
                 {VK_DELETE, "Delete"},  {VK_HOME, "Home"},           {VK_END, "End"},
                 {VK_PRIOR, "Page Up"},  {VK_NEXT, "Page Down"},      {VK_NUMPAD0 + 4, "Num 4"},
                 {VK_NUMPAD0, "Num 0"},  {VK_DIVIDE, "Num /"},        {VK_RETURN, "Enter"},
                 {VK_SPACE, "Space"},    {VK_RCONTROL, "Right Ctrl"}, {0xFF, ""}};
    for (const auto& key : names) EXPECT_STREQ(KeyName(key.key), key.name) << key.key;
}

TEST_F(GetKeyTest, InactiveFieldIgnoresKeys)
{
    tree.Tap('W');
    EXPECT_EQ(upKey, VK_UP);
    EXPECT_FALSE(up->active);
}

TEST_F(GetKeyTest, ClickedFieldCapturesEveryReleasedKeyIncludingEnter)
{
    Click(300, 150);
    EXPECT_TRUE(up->active);
    tree.root->KeyDown('W', true);
    EXPECT_EQ(upKey, VK_UP) << "captured on release";
    tree.root->KeyDown('W', false);
    EXPECT_EQ(upKey, static_cast<unsigned int>('W'));
    EXPECT_STREQ(Shown(up), "W");
    tree.Tap(VK_RETURN);
    EXPECT_EQ(upKey, VK_RETURN);
    EXPECT_STREQ(Shown(up), "Enter");
    EXPECT_EQ(downKey, VK_DOWN);
}

TEST_F(GetKeyTest, ClickingAnotherFieldMovesTheCaptureThere)
{
    Click(300, 150);
    Click(300, 175);
    EXPECT_FALSE(up->active);
    EXPECT_TRUE(down->active);
    tree.Tap('S');
    EXPECT_EQ(upKey, VK_UP);
    EXPECT_EQ(downKey, static_cast<unsigned int>('S'));

    Click(10, 10);
    EXPECT_FALSE(down->active);
    tree.Tap('X');
    EXPECT_EQ(downKey, static_cast<unsigned int>('S'));
}

TEST_F(GetKeyTest, ActiveFieldIsWhiteAndInactiveGrey)
{
    Click(300, 150);
    tree.PaintOnce();
    EXPECT_EQ(tree.Pixel(262, 160), RGB(255, 255, 255));
    EXPECT_EQ(tree.Pixel(261, 146), RGB(0, 0, 0));
    EXPECT_EQ(tree.Pixel(262, 185), RGB(128, 128, 128));
    EXPECT_EQ(tree.Pixel(261, 171), RGB(255, 255, 255));
}

}  // namespace
