#include "screens/replay_shelf.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

struct Shelf {
    Shelf() : shelf(new CReplayShelf((ScratchFolder() / "replays").string(), "9.9", LList<CObject>(false, 1, &root))) {}
    ~Shelf() { std::filesystem::remove_all(shelf->Folder()); }
    CObject root{LList<CObject>(false, 0)};
    CReplayShelf* shelf;
};

SReplay Match(std::uint32_t score)
{
    SReplay replay;
    replay.header.players[0] = {"Ann", 0, false, 2, 0, true, score};
    replay.frames.resize(10);
    return replay;
}

TEST(CReplayShelf, KeepsTheNewestFiftyAndThoseKeptForGood)
{
    Shelf s;
    const std::string first = s.shelf->Save(Match(0));
    ASSERT_FALSE(first.empty());
    ASSERT_TRUE(s.shelf->Keep(first));
    for (std::uint32_t score = 1; score <= 55; ++score) ASSERT_FALSE(s.shelf->Save(Match(score)).empty());
    const auto entries = s.shelf->List();
    ASSERT_EQ(entries.size(), CReplayShelf::kReplaysKept + 1);
    // Newest first, the one kept for good last.
    EXPECT_EQ(entries.front().header.players[0].score, 55u);
    EXPECT_EQ(entries[CReplayShelf::kReplaysKept - 1].header.players[0].score, 6u);
    EXPECT_TRUE(entries.back().kept);
    EXPECT_EQ(entries.back().header.players[0].score, 0u);
    const SReplay loaded = s.shelf->Load(entries.front().path);
    EXPECT_EQ(loaded.header.version, "9.9");
    EXPECT_EQ(loaded.frames.size(), 10u);
}

TEST(CReplayShelf, ADamagedFileIsListedButNotPlayed)
{
    Shelf s;
    const std::string path = s.shelf->Save(Match(3));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "QRVLREPL";
    const auto entries = s.shelf->List();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_FALSE(entries[0].readable);
    EXPECT_EQ(entries[0].problem, "This file is not a Quorvel replay");
    EXPECT_THROW(s.shelf->Load(path), XReplayError);
}

}  // namespace
