#include "platform/user/input.h"
#include "platform/user/window_system.h"
#include "support/menu_tree.h"
#include "ui/text.h"
#include "ui/text_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TextEditTest : public ::testing::Test {
protected:
    void SetUp() override { user::ResetWindowSystem(); }
    void TearDown() override { user::ResetWindowSystem(); }

    CTextEdit* MakeField(const char* text)
    {
        name = str(text);
        return new CTextEdit(223, 246, &name, tree.OnScreen());
    }
    void Type(std::initializer_list<unsigned int> keys)
    {
        for (unsigned int key : keys) tree.Tap(key);
    }
    void HoldShift(bool held) { user::input::Key(VK_SHIFT, held, false); }
    // The program took this key's message from its queue: GetKeyState answers as of it.
    void Took(UINT vk, bool down)
    {
        MSG msg{};
        msg.message = down ? WM_KEYDOWN : WM_KEYUP;
        msg.wParam = vk;
        user::System().input.Took(msg);
    }

    str name;  // outlives the tree, as a player's record outlives the screens
    MenuTree tree;
};

// Capitals follow Shift and Caps Lock as they were when the key's message was taken:
// typing "Bob" fast, Shift is up again (now) by the time the B is handled. Read as it is
// now, the name came out "bob".
TEST_F(TextEditTest, CapitalsFollowShiftAndCapsLockAsOfTheKeysMessage)
{
    MakeField("");
    Type({'A', 'B', 'C'});
    EXPECT_STREQ(name, "abc");
    Took(VK_SHIFT, true);
    Type({'D', 'E', '1'});
    EXPECT_STREQ(name, "abcDE") << "Shift+1 types \"!\", which a name does not take";
    Took(VK_SHIFT, false);

    delete tree.screen->GetChild(str("CTextEdit"), true, 1);
    MakeField("");
    HoldShift(true);
    Type({'X'});
    EXPECT_STREQ(name, "x") << "Shift went down after the X's message";
    Took(VK_SHIFT, true);
    HoldShift(false);
    Type({'B'});
    Took(VK_SHIFT, false);
    Type({'O', 'B'});
    EXPECT_STREQ(name, "xBob");

    delete tree.screen->GetChild(str("CTextEdit"), true, 1);
    MakeField("");
    Took(VK_CAPITAL, true);
    Took(VK_CAPITAL, false);
    Type({'C', 'A'});
    Took(VK_SHIFT, true);
    Type({'P', 'S'});
    EXPECT_STREQ(name, "CAps") << "Caps Lock on, and Shift turns it round";
}

// A click puts the caret at the character boundary nearest to it; a click elsewhere
// leaves it.
TEST_F(TextEditTest, AClickPutsTheCaretWhereItWas)
{
    CTextEdit* field = MakeField("abcdef");
    field->Animate();
    tree.PaintOnce();  // the text is placed as it is drawn
    const LONG left = dynamic_cast<CText*>(field->GetChild(str("CText"), false, 1))->extent.left;
    const auto clickAt = [&](LONG x, LONG y) {
        tree.Move(static_cast<unsigned int>(x), static_cast<unsigned int>(y));
        tree.Press();
        tree.Release();
        return field->cursor;
    };
    EXPECT_EQ(clickAt(field->rect.right - 2, 255), 6u) << "past the end";
    EXPECT_EQ(clickAt(left, 255), 0u);
    EXPECT_EQ(clickAt(left + 1, 255), 0u);
    const unsigned int middle = clickAt((field->rect.left + field->rect.right) / 2, 255);  // the text is centred
    EXPECT_GT(middle, 0u);
    EXPECT_LT(middle, 6u);
    EXPECT_EQ(clickAt(left + 1, 300), middle) << "below the field";
    Type({'X'});
    EXPECT_EQ(std::string(name).find('x'), middle) << "typed where the caret is";
}

TEST_F(TextEditTest, SpacesAreEnteredOtherKeysThatAreNeitherLettersNorDigitsAreIgnored)
{
    MakeField("ab");
    Type({VK_RETURN, VK_OEM_MINUS, VK_SHIFT, VK_F5, VK_NUMLOCK, 0, 0xFF, 0x1234, 0xFFFFFFFFu});
    EXPECT_STREQ(name, "ab");
    Type({VK_SPACE});
    EXPECT_STREQ(name, " ab");
}

TEST_F(TextEditTest, KeysActAsTheyGoDownAndRepeatWhileHeld)
{
    MakeField("");
    for (int repeat = 0; repeat < 5; ++repeat) tree.root->KeyDown('Q', true);
    EXPECT_STREQ(name, "qqqqq");
    tree.root->KeyDown('Q', false);
    EXPECT_STREQ(name, "qqqqq");
}

TEST_F(TextEditTest, HomeAndEndMoveTheCaretToTheEnds)
{
    CTextEdit* field = MakeField("bcd");
    Type({VK_END, 'E', VK_HOME, 'A'});
    EXPECT_STREQ(name, "abcde");
    EXPECT_EQ(field->cursor, 1u);
}

// A name fits on a paddle (twelve characters) and in the field; typing past does nothing.
TEST_F(TextEditTest, ANameStopsGrowingAtTwelveCharactersOrTheFieldsWidth)
{
    MakeField("");
    for (int i = 0; i < 20; ++i) Type({'I'});
    EXPECT_STREQ(name, "iiiiiiiiiiii");
    Type({VK_HOME, 'I'});
    EXPECT_STREQ(name, "iiiiiiiiiiii") << "not in the middle either";

    delete tree.screen->GetChild(str("CTextEdit"), true, 1);
    MakeField("");
    for (int i = 0; i < 20; ++i) Type({'W'});
    EXPECT_GE(name.Size(), 6u);
    tree.PaintOnce();
    auto* text = dynamic_cast<CText*>(tree.screen->GetChild(str("CNormText"), true, 1));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->text, name);
    EXPECT_GT(text->extent.left, 223) << "the name stands inside the field";
    EXPECT_LT(text->extent.right, 323);
    EXPECT_LT(name.Size(), 12u) << "wide letters fill the field first; " << text->extent.width << " pixels";
}

TEST_F(TextEditTest, CaretEditsWithBackspaceDeleteAndArrows)
{
    CTextEdit* field = MakeField("");
    Type({'A', 'B', 'C'});
    Type({VK_DELETE});
    EXPECT_STREQ(name, "abc") << "Delete at the end does nothing";
    Type({VK_LEFT, VK_LEFT, VK_BACK});
    EXPECT_STREQ(name, "bc");
    EXPECT_EQ(field->cursor, 0u);
    Type({VK_BACK, VK_LEFT});
    EXPECT_STREQ(name, "bc") << "Backspace at the start does nothing";
    Type({'X', VK_DELETE});
    EXPECT_STREQ(name, "xc");
    Type({VK_RIGHT, VK_RIGHT, VK_RIGHT, 'Z'});
    EXPECT_STREQ(name, "xcz");
}

TEST_F(TextEditTest, CaretBlinksElevenFramesOnAndElevenOff)
{
    CTextEdit* field = MakeField("abc");
    std::string pattern;
    for (int frame = 1; frame <= 44; ++frame) {
        field->Animate();
        pattern += field->caretOn ? '|' : '.';
    }
    EXPECT_EQ(pattern, std::string(10, '.') + std::string(11, '|') + std::string(11, '.') + std::string(11, '|') + '.');
}

TEST_F(TextEditTest, FieldShowsTheTextAndDrawsTheCaretAtTheCursor)
{
    CTextEdit* field = MakeField("abc");
    Type({'D'});
    EXPECT_STREQ(name, "dabc") << "the caret starts before the first character";
    field->Animate();
    auto* text = dynamic_cast<CText*>(field->GetChild(str("CText"), false, 1));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->text, "dabc");
    EXPECT_EQ(tree.screen->GetChild(str("CNormText"), true, 1), text);

    // The caret is placed by the text box of the text's previous paint.
    tree.PaintOnce();
    tree.PaintOnce();
    const int afterFirst = field->caretX;
    Type({VK_LEFT});
    tree.PaintOnce();
    EXPECT_EQ(field->caretX, text->extent.left);
    EXPECT_LT(field->caretX, afterFirst);
    EXPECT_GT(field->caretX, 223);
    EXPECT_EQ(tree.Pixel(224, 247), RGB(255, 255, 255)) << "a white box";
    EXPECT_EQ(tree.Pixel(223, 246), RGB(0, 0, 0)) << "with a black border";
}

TEST_F(TextEditTest, EmptiedNameGetsItsFirstValueBackWhenTheFieldGoesAway)
{
    CTextEdit* field = MakeField("Quill");
    Type({VK_END, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT});
    Type({VK_BACK, VK_BACK, VK_BACK, VK_BACK, VK_BACK});
    EXPECT_STREQ(name, "");
    delete field;
    EXPECT_STREQ(name, "Quill");
}

TEST_F(TextEditTest, ChangedNameIsKeptWhenTheFieldGoesAway)
{
    CTextEdit* field = MakeField("Quill");
    Type({'X'});
    delete field;
    EXPECT_STREQ(name, "xQuill");
}

TEST_F(TextEditTest, CursorBeyondAShortenedNameIsPulledBack)
{
    CTextEdit* field = MakeField("");
    Type({'A', 'B', 'C'});
    name = str("a");
    Type({VK_BACK});
    EXPECT_STREQ(name, "");
    Type({'Z'});
    EXPECT_STREQ(name, "z");
    EXPECT_EQ(field->cursor, 1u);
}

}  // namespace
