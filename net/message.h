#pragma once
// The messages machines exchange, and their strict encoding. Decode accepts only what
// Encode can make: the right sizes to the byte, seats, positions, buttons, delays and
// names within their ranges; anything else is refused whole.

#include "net/transport.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace net {

constexpr std::uint8_t kProtocolVersion = 5;
constexpr unsigned int kMaxSeats = 4;
constexpr std::size_t kMaxNameBytes = 15;
constexpr std::uint16_t kMaxPosition = 512;
// Grab, Special and Speed.
constexpr std::uint8_t kButtonBits = 0x07;
constexpr std::uint8_t kMinDelay = 1;
constexpr std::uint8_t kMaxDelay = 4;

enum class Kind : std::uint8_t {
    Hello = 1,  // a machine asks to join, with its players' names
    Welcome,    // the host lets it in
    Refuse,     // the host turns it away, with the reason
    Start,      // the match begins: seed, input delay, every seat's name and looks, who plays at
                // which side, the seats of the receiver
    Inputs,     // seats' controls for runs of frames, and what the sender has of the seats it is
                // fed (it travels unreliably, so each run goes more than once)
    Checksum,   // a machine's match state after a frame
    Drop,       // a seat's machine left; a computer plays it from this frame on
    OutOfStep,  // two machines' matches differ after this frame
    Ping,       // asks for a Pong with the same stamp; its frame is 1 + the frame its sender
                // runs next in a match, 0 outside one
    Pong,
    Again,      // the match is over; the host's lobby is open again for the next one (from a
                // guest: its own match is over too, and what it sent of it has all come)
};

enum class Refusal : std::uint8_t { Full = 1, Started, WrongVersion, Malformed };

// How a seat's paddle looks: its colour (0x00BBGGRR) and whether it is rounded.
struct SeatLook {
    std::uint32_t color = 0;
    bool rounded = false;
    bool operator==(const SeatLook&) const = default;
};
constexpr std::uint32_t kMaxColor = 0xFFFFFF;

// Which seat plays at each of the four sides: 1 to the number of seats, 0 for nobody.
using Sides = std::array<std::uint8_t, kMaxSeats>;

struct SeatInput {
    std::uint16_t pos = kMaxPosition / 2;
    std::uint8_t buttons = 0;
    bool operator==(const SeatInput&) const = default;
};

// A seat's controls for the frames from `first` on, one after another.
struct InputRun {
    std::uint8_t seat = 0;
    std::uint32_t first = 0;
    std::vector<SeatInput> inputs;
    bool operator==(const InputRun&) const = default;
};
constexpr std::size_t kMaxRun = 32;

// The sender has every input of `seat` before frame `next`.
struct InputAck {
    std::uint8_t seat = 0;
    std::uint32_t next = 0;
    bool operator==(const InputAck&) const = default;
};
// Runs and acknowledgements lie within this many frames of the earliest of them (an
// acknowledgement further on is sent as this far: saying less than it has is always safe).
constexpr std::uint32_t kInputsSpan = 255;

// One message; which fields count depends on the kind.
struct Message {
    Kind kind = Kind::Ping;
    std::uint8_t version = kProtocolVersion;  // Hello
    std::vector<std::string> names;           // Hello, Start
    std::vector<std::uint8_t> seats;          // Start: the receiver's own seats
    std::vector<SeatLook> looks;              // Start: one for every name
    Sides sides{};                            // Start
    Refusal reason = Refusal::Malformed;      // Refuse
    std::uint32_t seed = 0;                   // Start
    std::uint8_t delay = kMinDelay;           // Start
    std::uint32_t frame = 0;                  // Checksum, Drop, OutOfStep; Ping: see Kind
    std::uint8_t seat = 0;                    // Drop
    std::uint8_t match = 0;                   // Inputs: the session's match, counted modulo 256
    std::vector<InputAck> acks;               // Inputs: one a seat at most, in seat order
    std::vector<InputRun> runs;               // Inputs: one a seat at most, in seat order
    std::uint32_t value = 0;                  // Checksum; Ping and Pong: the stamp
};

Bytes Encode(const Message& message);
// The message in `bytes`, or nothing when they are not one. A Hello of another
// version is given with its version alone, so that it can be answered.
std::optional<Message> Decode(const Bytes& bytes);

}  // namespace net
