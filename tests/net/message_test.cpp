// The strict encoding of what machines say to each other.

#include "net/message.h"

#include <gtest/gtest.h>

using namespace net;

namespace {

Message Of(Kind kind)
{
    Message m;
    m.kind = kind;
    return m;
}

// Every kind, filled with values at the ends of their ranges.
std::vector<Message> Samples()
{
    std::vector<Message> all;
    Message hello = Of(Kind::Hello);
    hello.names = {"Ann", std::string(kMaxNameBytes, '~'), "B", "Player 4"};
    all.push_back(hello);
    all.push_back(Of(Kind::Welcome));
    Message refuse = Of(Kind::Refuse);
    refuse.reason = Refusal::WrongVersion;
    all.push_back(refuse);
    Message start = Of(Kind::Start);
    start.seed = 0xfedcba98;
    start.delay = kMaxDelay;
    start.names = {"A", "B", "C"};
    start.looks = {SeatLook{kMaxColor, true}, SeatLook{0, false}, SeatLook{0x0000ff, false}};
    start.sides = {3, 0, 1, 2};
    start.seats = {2, 0};
    all.push_back(start);
    Message inputs = Of(Kind::Inputs);
    inputs.match = 255;
    inputs.acks = {InputAck{0, 1000}, InputAck{3, 1000 + kInputsSpan}};
    // The largest steps both ways, a jump, new buttons, the ends of the field; the longest run.
    const std::vector<SeatInput> moves{{256, 0}, {192, 0}, {255, 0}, {0, 0}, {0, kButtonBits}, {kMaxPosition, 1}};
    inputs.runs = {InputRun{1, 1000, moves},
                   InputRun{2, 1000 + kInputsSpan, std::vector<SeatInput>(kMaxRun, SeatInput{kMaxPosition, 2})}};
    all.push_back(inputs);
    Message checksum = Of(Kind::Checksum);
    checksum.frame = 8;
    checksum.value = 0x80000001;
    all.push_back(checksum);
    Message drop = Of(Kind::Drop);
    drop.seat = 1;
    drop.frame = 1234;
    all.push_back(drop);
    Message outOfStep = Of(Kind::OutOfStep);
    outOfStep.frame = 96;
    all.push_back(outOfStep);
    all.push_back(Of(Kind::Again));
    Message ping = Of(Kind::Ping);
    ping.value = 77;
    ping.frame = 1201;
    all.push_back(ping);
    return all;
}

Bytes Hex(std::initializer_list<int> bytes)
{
    Bytes out;
    for (int b : bytes) out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

}  // namespace

TEST(OnlineMessage, EveryKindComesBackAsItWasSent)
{
    for (const Message& sent : Samples()) {
        const std::optional<Message> got = Decode(Encode(sent));
        ASSERT_TRUE(got.has_value()) << static_cast<int>(sent.kind);
        EXPECT_EQ(Encode(*got), Encode(sent));
        EXPECT_EQ(got->names, sent.names);
        EXPECT_EQ(got->seats, sent.seats);
        EXPECT_EQ(got->acks, sent.acks);
        EXPECT_EQ(got->runs, sent.runs);
        EXPECT_EQ(got->looks, sent.looks);
        EXPECT_EQ(got->sides, sent.sides);
    }
}

TEST(OnlineMessage, EveryCutOrPaddedMessageIsRefused)
{
    for (const Message& sent : Samples()) {
        const Bytes whole = Encode(sent);
        for (std::size_t length = 0; length < whole.size(); ++length)
            EXPECT_FALSE(Decode(Bytes(whole.begin(), whole.begin() + static_cast<long>(length))).has_value())
                << static_cast<int>(sent.kind) << " cut to " << length;
        Bytes padded = whole;
        padded.push_back(0);
        EXPECT_FALSE(Decode(padded).has_value()) << static_cast<int>(sent.kind);
    }
}

TEST(OnlineMessage, ImpossibleValuesAreRefused)
{
    const Bytes bad[] = {
        Hex({'X', 5, 0, 0, 0, 1}),                           // not one of ours
        Hex({'Q', 0}), Hex({'Q', 12}), Hex({'Q', 255}),      // no such kind
        // Inputs: the match, the seats acknowledged (low) and sent (high), the earliest frame.
        Hex({'Q', 5, 0, 0x10, 0, 0, 0, 9, 0, 1, 2, 1}),            // position 513
        Hex({'Q', 5, 0, 0x10, 0, 0, 0, 9, 0, 1, 0x1f, 0xff}),      // position 1023
        Hex({'Q', 5, 0, 0x10, 0, 0, 0, 9, 0, 1, 0x20, 0}),         // an unknown button
        Hex({'Q', 5, 0, 0x10, 0, 0, 0, 9, 0, 2, 0, 0, 0xbf}),      // a step below the field
        Hex({'Q', 5, 0, 0x10, 0, 0, 0, 9, 0, 2, 2, 0, 0xc1}),      // a step past it
        Hex({'Q', 5, 0, 0x10, 0, 0, 0, 9, 0, 2, 1, 0, 1, 1}),      // two bytes where a step does
        Hex({'Q', 5, 0, 0x10, 0, 0, 0, 9, 0, 0}),                  // an empty run
        Hex({'Q', 5, 0, 0x10, 0, 0, 0, 9, 0, 33}),                 // a run too long
        Hex({'Q', 5, 0, 0x11, 0, 0, 0, 9, 1, 1, 0, 0}),            // not the earliest frame
        Hex({'Q', 5, 0, 0x01, 0xff, 0xff, 0xff, 0xff, 0}),         // frames past the last
        Hex({'Q', 7, 4, 0, 0, 0, 1}),                        // a drop of seat 4
        Hex({'Q', 3, 0}), Hex({'Q', 3, 5}),                  // no such refusal
        Hex({'Q', 1, kProtocolVersion, 0}),                                 // a hello without players
        Hex({'Q', 1, kProtocolVersion, 5, 1, 'a', 1, 'b', 1, 'c', 1, 'd', 1, 'e'}),  // five players
        Hex({'Q', 1, kProtocolVersion, 1, 0}),                              // an empty name
        Hex({'Q', 1, kProtocolVersion, 1, 16, 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a'}),
        Hex({'Q', 1, kProtocolVersion, 1, 2, 'a', '\n'}),                   // a control character
        Hex({'Q', 1, kProtocolVersion, 1, 2, 'a', 0xe9}),                   // a byte past ASCII
        Hex({'Q', 1, kProtocolVersion, 1, 200, 'a'}),                       // a name longer than the packet
        Hex({'Q', 4, 0, 0, 0, 1, 0, 1, 1, 'a', 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0}),  // delay 0
        Hex({'Q', 4, 0, 0, 0, 1, 5, 1, 1, 'a', 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0}),  // delay 5
        Hex({'Q', 4, 0, 0, 0, 1, 2, 2, 1, 'a', 1, 'b', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
             1, 2, 0, 0, 2, 1, 1}),                                               // a seat given twice
        Hex({'Q', 4, 0, 0, 0, 1, 2, 2, 1, 'a', 1, 'b', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
             1, 2, 0, 0, 1, 2}),                                                  // a seat past the names
        Hex({'Q', 4, 0, 0, 0, 1, 2, 1, 1, 'a', 0, 0, 0, 0, 0, 1, 0, 0, 0, 0}),  // no seat for the receiver
        Hex({'Q', 4, 0, 0, 0, 1, 2, 1, 1, 'a', 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0}),  // a colour past white
        Hex({'Q', 4, 0, 0, 0, 1, 2, 1, 1, 'a', 0, 0, 0, 0, 2, 1, 0, 0, 0, 1, 0}),  // a shape that is neither
        Hex({'Q', 4, 0, 0, 0, 1, 2, 1, 1, 'a', 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 0}),  // a side for seat 2 of 1
    };
    for (const Bytes& bytes : bad) EXPECT_FALSE(Decode(bytes).has_value()) << testing::PrintToString(bytes);
}

TEST(OnlineMessage, AHelloOfAnotherVersionIsReadForItsVersionAlone)
{
    const std::optional<Message> future = Decode(Hex({'Q', 1, 9, 0xde, 0xad}));
    ASSERT_TRUE(future.has_value());
    EXPECT_EQ(future->kind, Kind::Hello);
    EXPECT_EQ(future->version, 9);
}
