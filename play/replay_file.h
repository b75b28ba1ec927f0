#pragma once
// A recorded match: who played it and how it ended (the header), each pad slot's input in
// every frame, what happened between frames (a tilt, the countdown starting again), the
// random numbers the match drew for itself, and a checksum of the match every few
// seconds. A recording becomes bytes and back again; bytes that are not a sound recording
// of this program's version are refused with XReplayError, which says why in words for
// the player.

#include "core/exceptions.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr unsigned int kReplaySlots = 4;
// The match's checksum is kept after every this many frames (three seconds).
constexpr unsigned int kReplayChecksumEvery = 150;
// No recording is larger: a file beyond it is refused unread.
constexpr std::size_t kMaxReplayBytes = 4u << 20;
// Nor longer: about five and a half hours of play.
constexpr std::uint32_t kMaxReplayFrames = 1000000;

class XReplayError : public XException {
public:
    explicit XReplayError(const std::string& why) : XException(str(why.c_str()), str("Replay")) {}
};

// A paddle's input in one frame: its position along its side and its three buttons (bit 0
// grab, bit 1 special, bit 2 speed).
struct SSlotInput {
    std::uint16_t pos = 0;
    std::uint8_t buttons = 0;
    bool operator==(const SSlotInput&) const = default;
};

// What happened just before a frame ran.
enum EReplayEvent : std::uint8_t { ReplayTilt = 1, ReplayCountdown = 2 };

struct SReplayFrame {
    std::array<SSlotInput, kReplaySlots> slots{};
    std::uint8_t events = 0;
};

struct SReplayPlayer {
    std::string name;
    std::uint32_t color = 0;
    bool rounded = false;
    std::uint8_t kind = 0;   // the player's kind of controls (CControls::Kind)
    std::uint8_t level = 0;  // a computer player's level
    bool played = false;     // held a side in the match
    std::uint32_t score = 0;
};

struct SReplayHeader {
    std::string version;  // of the program that recorded it
    std::int64_t date = 0;  // seconds since 1970, UTC
    bool online = false;
    std::uint32_t seed = 0;
    std::uint8_t winner = 0;  // the winner's number, 0 for nobody
    std::array<SReplayPlayer, kReplaySlots> players{};
    std::array<std::uint8_t, kReplaySlots> sides{};  // the player (1 to 4, 0 none) at each pad slot
};

struct SReplay {
    SReplayHeader header;
    std::vector<SReplayFrame> frames;
    std::vector<std::uint16_t> draws;
    std::vector<std::uint32_t> checksums;  // after frames kReplayChecksumEvery - 1, 2 * kReplayChecksumEvery - 1, ...
};

// The file's bytes.
std::string EncodeReplay(const SReplay& replay);
// The recording in `bytes`, which `version` of the program made. Anything else (another
// version, a damaged or cut file, something that is no recording) raises XReplayError.
SReplay DecodeReplay(std::string_view bytes, const std::string& version);
// Only the header, for lists: the same checks but the version.
SReplayHeader DecodeReplayHeader(std::string_view bytes);
