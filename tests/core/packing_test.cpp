#include "core/packing.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Noise(std::size_t size, unsigned int seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

TEST(Packing, EveryKindOfBytesComesBackAsItWas)
{
    std::string everyValue;
    for (int i = 0; i < 256 * 3; ++i) everyValue.push_back(static_cast<char>(i));
    std::string steps;
    for (int i = 0; i < 20000; ++i) steps += i % 7 ? "\x01\x0C" : "\x03\xF1\x01";
    for (const std::string& bytes : {std::string(), std::string(1, '\xFF'), everyValue, Noise(5000, 1),
                                     std::string(100000, '\0'), std::string(100000, '\xFF'), steps}) {
        const std::string packed = Pack(bytes);
        EXPECT_EQ(Unpack(packed, bytes.size()), bytes);
    }
    EXPECT_LT(Pack(steps).size(), steps.size() / 8);
}

// A cut stream, another stream or noise never gives more than was asked for, nor reads
// past its end (the sanitizers watch), and a cut one gives nothing.
TEST(Packing, CutOrForeignStreamsGiveNothingOrNoMore)
{
    const std::string bytes = Noise(3000, 2);
    const std::string packed = Pack(bytes);
    for (std::size_t cut = 0; cut < packed.size() - 8; cut += 5) EXPECT_FALSE(Unpack(packed.substr(0, cut), bytes.size()));
    for (unsigned int seed = 0; seed < 50; ++seed) {
        std::string noise = Noise(200, seed);
        noise[0] = '\0';
        const std::optional<std::string> out = Unpack(noise, 1000);
        EXPECT_EQ(out.value_or(std::string(1000, 0)).size(), 1000u);
    }
    std::string foreign = packed;
    foreign[0] = '\x01';
    EXPECT_FALSE(Unpack(foreign, bytes.size()));
}

}  // namespace
