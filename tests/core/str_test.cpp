#include "core/str.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Str, ConstructorsFormatTheirValues)
{
    EXPECT_EQ(str(static_cast<const char*>(nullptr)).Size(), 0u);
    EXPECT_EQ(str().Size(), 0u);
    EXPECT_STREQ(str(true), "True");
    EXPECT_STREQ(str(false), "False");
    EXPECT_STREQ(str(-5), "-5");
    EXPECT_STREQ(str(7u), "7");
    EXPECT_STREQ(str(1.5), "1.500000");
    EXPECT_STREQ(str(2.25f), "2.250000");
    EXPECT_STREQ(str('x'), "x");
    EXPECT_EQ(str(1e300).Size(), 63u) << "a result longer than the scratch block is cut";
}

TEST(Str, OutOfRangeIndexingYieldsTheSpareSlot)
{
    str s("abc");
    EXPECT_EQ(s.GetChar(2), 'c');
    s.GetChar(3) = 'X';
    s[100] = 'Y';
    EXPECT_STREQ(s, "abc");
    s[1] = 'B';
    EXPECT_STREQ(s, "aBc");
}

TEST(Str, FindStrCountsFromOne)
{
    str s("abcabc");
    EXPECT_EQ(s.FindStr(str("ca")), 3u);
    EXPECT_EQ(s.FindStr(str("x")), 0u);
    EXPECT_EQ(s[str("abc")], 1u);
    EXPECT_EQ(s.FindStr(str("")), 1u);
}

TEST(Str, ComparesBytewiseLikeStrcmp)
{
    EXPECT_TRUE(str("ab") < str("abc"));
    EXPECT_TRUE(str("B") < str("a"));
    EXPECT_TRUE(str("abc") == str("abc"));
    EXPECT_TRUE(str("abc") != str("abC"));
    EXPECT_TRUE(str("\xe9") > str("z")) << "bytes compare as unsigned characters";
    EXPECT_TRUE(str("abc") >= str("abc"));
    EXPECT_TRUE(str("CBall") == "CBall");
    EXPECT_TRUE(str("CBall") != "CBal");
    EXPECT_TRUE(str("CBal") != "CBall");
    EXPECT_TRUE(str() == static_cast<const char*>(nullptr)) << "a null literal is the empty text";
}

TEST(Str, ConvertsLikeTheCLibrary)
{
    EXPECT_EQ(static_cast<int>(str("12abc")), 12);
    EXPECT_EQ(static_cast<int>(str(" -7")), -7);
    EXPECT_EQ(static_cast<int>(str("abc")), 0);
    EXPECT_EQ(static_cast<unsigned>(str("42")), 42u);
    EXPECT_DOUBLE_EQ(static_cast<double>(str("2.5x")), 2.5);
}

TEST(Str, CopiesAreDeepAndConcatenationLeavesOperandsAlone)
{
    str a("ab"), b("cd");
    str c = a + b;
    EXPECT_STREQ(c, "abcd");
    EXPECT_STREQ(a, "ab");
    EXPECT_STREQ(b, "cd");
    a += b;
    EXPECT_STREQ(a, "abcd");
    EXPECT_STREQ(b, "cd");
    a = a;
    EXPECT_STREQ(a, "abcd");
    str copy(a);
    copy[0] = 'z';
    EXPECT_STREQ(a, "abcd");
    EXPECT_NE(static_cast<char*>(copy), static_cast<char*>(a));
}

TEST(Str, LoadReplacesTheText)
{
    str s("old");
    s.Load("new text");
    EXPECT_STREQ(s, "new text");
}

}  // namespace
