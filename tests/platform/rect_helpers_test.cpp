#include "platform/win32.h"

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& r, LONG l, LONG t, LONG rr, LONG b)
{
    return r.left == l && r.top == t && r.right == rr && r.bottom == b;
}

TEST(RectHelpers, IntersectionIsExclusiveOfRightAndBottomEdges)
{
    RECT a{0, 0, 10, 10}, touching{10, 0, 20, 10}, overlapping{5, 5, 15, 15}, out{1, 1, 1, 1};
    EXPECT_FALSE(IntersectRect(&out, &a, &touching));
    EXPECT_TRUE(Same(out, 0, 0, 0, 0)) << "an empty intersection yields the empty rectangle";
    EXPECT_TRUE(IntersectRect(&out, &a, &overlapping));
    EXPECT_TRUE(Same(out, 5, 5, 10, 10));
}

TEST(RectHelpers, UnionIgnoresEmptyRectangles)
{
    RECT a{0, 0, 10, 10}, empty{50, 50, 50, 60}, b{20, 5, 30, 40}, out{};
    EXPECT_TRUE(UnionRect(&out, &a, &empty));
    EXPECT_TRUE(Same(out, 0, 0, 10, 10));
    EXPECT_TRUE(UnionRect(&out, &a, &b));
    EXPECT_TRUE(Same(out, 0, 0, 30, 40));
    EXPECT_FALSE(UnionRect(&out, &empty, &empty));
}

TEST(RectHelpers, PointsOnTheRightAndBottomEdgesAreOutside)
{
    RECT r{10, 10, 20, 20};
    EXPECT_TRUE(PtInRect(&r, POINT{10, 10}));
    EXPECT_TRUE(PtInRect(&r, POINT{19, 19}));
    EXPECT_FALSE(PtInRect(&r, POINT{20, 15}));
    EXPECT_FALSE(PtInRect(&r, POINT{15, 20}));
}

TEST(RectHelpers, InflateAndOffsetMoveEveryEdge)
{
    RECT r{};
    SetRect(&r, 10, 20, 30, 40);
    InflateRect(&r, -2, 3);
    EXPECT_TRUE(Same(r, 12, 17, 28, 43));
    OffsetRect(&r, -12, 1);
    EXPECT_TRUE(Same(r, 0, 18, 16, 44));
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
}

}  // namespace
