#include "play/replay_file.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A recording with some of everything: a paddle at a steady pace, one standing, one
// pressing its buttons now and then, an empty side, events, draws and checksums.
SReplay Sample(std::size_t frames = 900)
{
    SReplay replay;
    replay.header.version = "1.0";
    replay.header.date = 1700000000;
    replay.header.seed = 77;
    replay.header.winner = 2;
    replay.header.players[0] = {"Ann", 0xFF0000, true, 2, 0, true, 120};
    replay.header.players[1] = {"Bob 2", 0x00FF00, false, 5, 2, true, 300};
    replay.header.sides = {1, 2, 0, 2};
    for (std::size_t i = 0; i < frames; ++i) {
        SReplayFrame& frame = replay.frames.emplace_back();
        frame.slots[0] = {static_cast<std::uint16_t>(100 + i % 300), 0};
        frame.slots[1] = {256, static_cast<std::uint8_t>(i / 50 % 8)};
        frame.slots[3] = {static_cast<std::uint16_t>(i * 7919 % 512), static_cast<std::uint8_t>(i % 3 == 0)};
        if (i % 200 == 0) frame.events = ReplayCountdown;
        if (i == 333) frame.events = ReplayTilt | ReplayCountdown;
    }
    replay.draws = {0, 32767, 12345};
    for (std::size_t i = 0; i < frames / kReplayChecksumEvery; ++i) replay.checksums.push_back(static_cast<std::uint32_t>(i * 2654435761u));
    return replay;
}

void ExpectRefused(const std::string& bytes, const std::string& why)
{
    try {
        DecodeReplay(bytes, "1.0");
        FAIL() << "accepted";
    } catch (const XReplayError& e) {
        EXPECT_EQ(std::string(static_cast<const char*>(e.text)), why);
    }
}

TEST(ReplayFile, ComesBackAsItWasWritten)
{
    const SReplay sample = Sample();
    const SReplay back = DecodeReplay(EncodeReplay(sample), "1.0");
    EXPECT_EQ(back.header.seed, 77u);
    EXPECT_EQ(back.header.winner, 2);
    EXPECT_EQ(back.header.players[1].name, "Bob 2");
    EXPECT_EQ(back.header.players[1].score, 300u);
    EXPECT_TRUE(back.header.players[0].rounded);
    EXPECT_EQ(back.header.sides, sample.header.sides);
    ASSERT_EQ(back.frames.size(), sample.frames.size());
    for (std::size_t i = 0; i < sample.frames.size(); ++i) {
        EXPECT_EQ(back.frames[i].slots, sample.frames[i].slots) << "frame " << i;
        EXPECT_EQ(back.frames[i].events, sample.frames[i].events) << "frame " << i;
    }
    EXPECT_EQ(back.draws, sample.draws);
    EXPECT_EQ(back.checksums, sample.checksums);
    EXPECT_EQ(DecodeReplayHeader(EncodeReplay(sample)).players[0].name, "Ann");
}

TEST(ReplayFile, SteadyPaddlesCostLittle)
{
    SReplay replay = Sample(6000);
    for (SReplayFrame& frame : replay.frames) frame.slots[3] = {};
    EXPECT_LT(EncodeReplay(replay).size(), 2000u);
}

TEST(ReplayFile, AnotherVersionIsRefused)
{
    const std::string bytes = EncodeReplay(Sample());
    try {
        DecodeReplay(bytes, "2.0");
        FAIL() << "accepted";
    } catch (const XReplayError& e) {
        EXPECT_EQ(std::string(static_cast<const char*>(e.text)), "This replay was made by Quorvel 1.0; this is Quorvel 2.0");
    }
    std::string future = bytes;
    future[8] = 3;  // the format's number
    ExpectRefused(future, "This replay was made by a newer version of Quorvel");
    std::string past = bytes;
    past[8] = 1;  // before the frames were packed
    ExpectRefused(past, "This replay was made by an older version of Quorvel");
}

TEST(ReplayFile, DamageIsRefused)
{
    const std::string bytes = EncodeReplay(Sample());
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        const std::string truncated = bytes.substr(0, cut);
        // Shorter than the mark, the format and the body's length and checksum: no recording.
        ExpectRefused(truncated, cut < 18 ? "This file is not a Quorvel replay" : "This replay is damaged");
    }
    std::mt19937 random(3);
    for (int i = 0; i < 200; ++i) {
        std::string flipped = bytes;
        flipped[8 + 2 + random() % (flipped.size() - 10)] ^= static_cast<char>(1 + random() % 255);
        ExpectRefused(flipped, "This replay is damaged");
    }
    std::string noise(5000, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    ExpectRefused(noise, "This file is not a Quorvel replay");
    ExpectRefused(bytes.substr(0, 10) + noise, "This replay is damaged");  // the mark and the format, then noise
    ExpectRefused(std::string(10u << 20, 'x'), "This file is too large to be a replay");
}

// A body whose checksum holds but whose numbers do not fit is refused all the same.
TEST(ReplayFile, ImpossibleContentIsRefused)
{
    SReplay replay = Sample();
    replay.header.winner = 9;
    ExpectRefused(EncodeReplay(replay), "This replay is damaged");
    replay = Sample();
    replay.checksums.pop_back();
    ExpectRefused(EncodeReplay(replay), "This replay is damaged");
    replay = Sample();
    replay.header.players[2].name = "bad\nname";
    ExpectRefused(EncodeReplay(replay), "This replay is damaged");
}

}  // namespace
