#include "core/rect.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const Rect& r, LONG l, LONG t, LONG rr, LONG b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
    EXPECT_EQ(r.width, rr - l);
    EXPECT_EQ(r.height, b - t);
}

TEST(Rect, RecalcNormalisesAndKeepsTwoPixels)
{
    ExpectRect(Rect(10, 20, 5, 8), 5, 8, 10, 20);
    ExpectRect(Rect(7, 7, 7, 8), 7, 7, 9, 9);
    ExpectRect(Rect(-3, 0, -2, 0), -2, 0, 0, 2);
    ExpectRect(Rect(), 0, 0, 2, 2);
}

TEST(Rect, IsARectForTheSystemCalls)
{
    Rect r(0, 0, 20, 20);
    OffsetRect(&r, 5, -5);
    r.Recalc();
    ExpectRect(r, 5, -5, 25, 15);
    POINT p = MkPoint(6, 7);
    EXPECT_TRUE(PtInRect(&r, p));
}

}  // namespace
