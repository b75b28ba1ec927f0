#include "platform/user/input.h"
#include "platform/user/window_system.h"
#include "support/menu_tree.h"
#include "ui/text.h"
#include "ui/text_edit.h"

#include <gtest/gtest.h>

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

    str name;  // outlives the tree, as a player's record outlives the screens
    MenuTree tree;
};

TEST_F(TextEditTest, LettersAreEnteredInLowerCaseAndInUpperCaseWithShift)
{
    MakeField("");
    Type({'A', 'B', 'C'});
    EXPECT_STREQ(name, "abc");
    HoldShift(true);
    Type({'D', 'E', '1'});
    EXPECT_STREQ(name, "abcDE1") << "Shift leaves digits alone";
}

TEST_F(TextEditTest, KeysThatAreNeitherLettersNorDigitsAreIgnored)
{
    MakeField("ab");
    Type({VK_SPACE, VK_RETURN, VK_OEM_MINUS, VK_SHIFT, VK_F5, VK_NUMLOCK, 0, 0xFF, 0x1234, 0xFFFFFFFFu});
    EXPECT_STREQ(name, "ab");
}

TEST_F(TextEditTest, KeysActOnlyWhenReleasedAndOnceWhenHeld)
{
    MakeField("");
    for (int repeat = 0; repeat < 5; ++repeat) tree.root->KeyDown('Q', true);
    EXPECT_STREQ(name, "");
    tree.root->KeyDown('Q', false);
    EXPECT_STREQ(name, "q");
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
