// The comparison that decides what a present carries: changed tiles only, merged into
// few rectangles, and nothing at all when nothing changed.

#include "platform/user/frame_damage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using user::kDamageBandRows;
using user::kDamageChunkPixels;

void Fill(gdi::Surface& surface, std::uint32_t colour)
{
    for (int y = 0; y < surface.Height(); ++y) std::fill_n(surface.Row(y), surface.Width(), colour);
}

void Dot(gdi::Surface& surface, int x, int y, std::uint32_t colour) { surface.Row(y)[x] = colour; }

bool Same(const gdi::Surface& a, const gdi::Surface& b, int bTop)
{
    for (int y = 0; y < a.Height(); ++y)
        if (!std::equal(a.Row(y), a.Row(y) + a.Width(), b.Row(y + bTop))) return false;
    return true;
}

TEST(FrameDamage, ChangedTilesOnlyMergedAlongBandsAndColumns)
{
    gdi::Surface kept(100, 60, false), source(100, 50, false);  // kept holds a 10-row bar on top
    std::vector<RECT> damage;
    user::CopyChangedTiles(source, kept, 10, damage);
    EXPECT_TRUE(damage.empty()) << "nothing changed";

    Dot(source, 0, 0, 1);
    Dot(source, 99, 49, 2);  // the last, narrower chunk of the last, shorter band
    user::CopyChangedTiles(source, kept, 10, damage);
    ASSERT_EQ(damage.size(), 2u) << "two far corners are two tiles, not their bounding box";
    EXPECT_EQ(damage[0].left, 0);
    EXPECT_EQ(damage[0].top, 10);
    EXPECT_EQ(damage[0].right, kDamageChunkPixels);
    EXPECT_EQ(damage[0].bottom, 10 + kDamageBandRows);
    EXPECT_EQ(damage[1].left, 3 * kDamageChunkPixels);
    EXPECT_EQ(damage[1].right, 100);
    EXPECT_EQ(damage[1].bottom, 60);
    EXPECT_TRUE(Same(source, kept, 10));

    damage.clear();
    Fill(source, 7);
    user::CopyChangedTiles(source, kept, 10, damage);
    ASSERT_EQ(damage.size(), 1u) << "a change everywhere is one rectangle";
    EXPECT_EQ(damage[0].left, 0);
    EXPECT_EQ(damage[0].top, 10);
    EXPECT_EQ(damage[0].right, 100);
    EXPECT_EQ(damage[0].bottom, 60);
    EXPECT_TRUE(Same(source, kept, 10));

    damage.clear();
    gdi::Surface bare = source;  // a window without a bar
    Dot(source, 40, 20, 9);
    Dot(source, 40, 40, 9);
    Dot(source, 90, 5, 9);
    user::CopyChangedTiles(source, bare, 0, damage);
    ASSERT_EQ(damage.size(), 2u) << "a column of changed tiles is one rectangle";
    EXPECT_EQ(damage[0].left, 64);  // the 90 in the first band
    EXPECT_EQ(damage[1].left, 32);
    EXPECT_EQ(damage[1].top, 16);
    EXPECT_EQ(damage[1].bottom, 48);
}

TEST(FrameDamage, CopyWholeDamagesEverythingItCopies)
{
    gdi::Surface kept(40, 30, false), source(40, 20, false);
    Fill(source, 3);
    std::vector<RECT> damage;
    user::CopyWhole(source, kept, 10, damage);
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage[0].top, 10);
    EXPECT_EQ(damage[0].bottom, 30);
    EXPECT_TRUE(Same(source, kept, 10));
}

}  // namespace
