#include "model/controls.h"
#include "model/data.h"

#include <gtest/gtest.h>

namespace {

TEST(CData, IsAGlobalOfItsTreeWithEmptySettings)
{
    CObject root(LList<CObject>(false, 0));
    auto* data = new CData(LList<CObject>(false, 1, &root));
    auto* leaf = new CObject(LList<CObject>(false, 1, new CObject(LList<CObject>(false, 1, &root))));
    EXPECT_EQ(FindData(leaf), data);
    EXPECT_TRUE(data->HasType(str("CGlobal")));
    EXPECT_FALSE(data->configured);
    EXPECT_EQ(data->players[0].name.Size(), 0u);
    EXPECT_EQ(data->players[0].input, nullptr);
    EXPECT_EQ(data->client.width, 2);
}

TEST(CData, DefaultsAreFilledOnceOneMouseAgainstThreeFairComputersWithMakersUnderTheGivenParent)
{
    CObject root(LList<CObject>(false, 0));
    auto* data = new CData(LList<CObject>(false, 1, &root));
    EXPECT_TRUE(data->FillDefaults(&root));
    const char* names[] = {"Harrow", "Marigold", "Quill", "Saltire"};
    const COLORREF colors[] = {RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0), RGB(255, 127, 0)};
    const EPadType shapes[] = {PadRounded, PadRounded, PadRectangular, PadRectangular};
    for (unsigned int i = 0; i < 4; ++i) {
        const SPlayerOptions& p = data->players[i];
        EXPECT_EQ(p.number, i + 1);
        EXPECT_STREQ(p.name, names[i]);
        EXPECT_EQ(p.color, colors[i]);
        EXPECT_EQ(p.padType, shapes[i]);
        ASSERT_NE(p.input, nullptr);
        EXPECT_EQ(p.input->kind, i == 0 ? CControls::Mouse : CControls::Computer);
        EXPECT_EQ(p.input->level, i == 0 ? 0u : 1u) << "the computer players play Fair";
        EXPECT_EQ(p.input->GetParent(), &root);
        EXPECT_EQ(data->padPlayers[i], i + 1);
    }

    data->players[1].name = str("Renamed");
    data->padPlayers[0] = 3;
    CControls* maker = data->players[0].input;
    EXPECT_FALSE(data->FillDefaults(&root));
    EXPECT_STREQ(data->players[1].name, "Renamed");
    EXPECT_EQ(data->padPlayers[0], 3u);
    EXPECT_EQ(data->players[0].input, maker);
    EXPECT_EQ(root.children.Count(), 5u) << "no second set of makers";
}

}  // namespace
