#include "play/replay_file.h"

#include "core/packing.h"

#include <algorithm>
#include <cstring>

// The file: an 8-byte mark, the format's number, the body's length and checksum, then the
// body: the header, then the frames packed (core/packing.h) after their unpacked length.
// Numbers are little-endian, counts and runs variable-length (seven bits a byte).
// A paddle's input is kept as runs of frames in which its position moves by the same
// step and its buttons stay the same, each run its length and then its step and buttons
// in one number, so that a paddle standing or going at a steady pace costs two or three
// bytes a run.

namespace {

constexpr char kMark[8] = {'Q', 'R', 'V', 'L', 'R', 'P', 'L', 'Y'};
constexpr std::uint16_t kFormat = 2;
constexpr std::size_t kPreamble = sizeof kMark + 2 + 4 + 4;
constexpr std::size_t kMaxText = 64;
// The frames of the longest match, unpacked, take less.
constexpr std::size_t kMaxFramesBytes = 32u << 20;

std::uint32_t Fnv(std::string_view bytes)
{
    std::uint32_t h = 2166136261u;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

// Signed numbers as 0, -1, 1, -2, ... become 0, 1, 2, 3, ...
std::uint64_t Zigzag(std::int64_t value)
{
    return value < 0 ? (static_cast<std::uint64_t>(-(value + 1)) << 1) | 1 : static_cast<std::uint64_t>(value) << 1;
}

std::int64_t Unzigzag(std::uint64_t value)
{
    return value & 1 ? -static_cast<std::int64_t>(value >> 1) - 1 : static_cast<std::int64_t>(value >> 1);
}

class Writer {
public:
    void Fixed(std::uint64_t value, unsigned int bytes)
    {
        for (unsigned int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    }
    void Count(std::uint64_t value)
    {
        for (; value >= 0x80; value >>= 7) out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        out.push_back(static_cast<char>(value));
    }
    void Text(const std::string& text)
    {
        const std::string cut = text.substr(0, kMaxText);
        Count(cut.size());
        out += cut;
    }
    std::string out;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : in(bytes) {}

    std::uint64_t Fixed(unsigned int bytes)
    {
        Need(bytes);
        std::uint64_t value = 0;
        for (unsigned int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[at++])) << (8 * i);
        return value;
    }
    std::uint64_t Count(std::uint64_t limit)
    {
        std::uint64_t value = 0;
        for (unsigned int shift = 0;; shift += 7) {
            if (shift > 56) Damaged();
            const auto byte = static_cast<std::uint64_t>(Fixed(1));
            value |= (byte & 0x7F) << shift;
            if (!(byte & 0x80)) break;
        }
        if (value > limit) Damaged();
        return value;
    }
    std::string Text()
    {
        const auto size = static_cast<std::size_t>(Count(kMaxText));
        Need(size);
        std::string text(in.substr(at, size));
        at += size;
        for (const char c : text)
            if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) Damaged();
        return text;
    }
    bool Flag() { return Fixed(1) != 0; }
    void End() const
    {
        if (at != in.size()) Damaged();
    }
    std::string_view Rest() const { return in.substr(at); }
    [[noreturn]] static void Damaged() { throw XReplayError("This replay is damaged"); }

private:
    void Need(std::size_t bytes) const
    {
        if (bytes > in.size() - at) Damaged();
    }
    std::string_view in;
    std::size_t at = 0;
};

void WriteHeader(Writer& w, const SReplayHeader& h)
{
    w.Text(h.version);
    w.Fixed(static_cast<std::uint64_t>(h.date), 8);
    w.Fixed(h.online, 1);
    w.Fixed(h.seed, 4);
    w.Fixed(h.winner, 1);
    for (const SReplayPlayer& p : h.players) {
        w.Text(p.name);
        w.Fixed(p.color, 4);
        w.Fixed(p.rounded, 1);
        w.Fixed(p.kind, 1);
        w.Fixed(p.level, 1);
        w.Fixed(p.played, 1);
        w.Fixed(p.score, 4);
    }
    for (const std::uint8_t side : h.sides) w.Fixed(side, 1);
}

SReplayHeader ReadHeader(Reader& r)
{
    SReplayHeader h;
    h.version = r.Text();
    h.date = static_cast<std::int64_t>(r.Fixed(8));
    h.online = r.Flag();
    h.seed = static_cast<std::uint32_t>(r.Fixed(4));
    h.winner = static_cast<std::uint8_t>(r.Fixed(1));
    if (h.winner > kReplaySlots) Reader::Damaged();
    for (SReplayPlayer& p : h.players) {
        p.name = r.Text();
        p.color = static_cast<std::uint32_t>(r.Fixed(4)) & 0xFFFFFF;
        p.rounded = r.Flag();
        p.kind = static_cast<std::uint8_t>(r.Fixed(1));
        p.level = static_cast<std::uint8_t>(r.Fixed(1));
        p.played = r.Flag();
        p.score = static_cast<std::uint32_t>(r.Fixed(4));
    }
    for (std::uint8_t& side : h.sides) {
        side = static_cast<std::uint8_t>(r.Fixed(1));
        if (side > kReplaySlots) Reader::Damaged();
    }
    return h;
}

// One slot's inputs as runs: (length, position step, buttons).
void WriteSlot(Writer& w, const std::vector<SReplayFrame>& frames, unsigned int slot)
{
    SSlotInput last;
    for (std::size_t i = 0; i < frames.size();) {
        const SSlotInput& first = frames[i].slots[slot];
        const int step = first.pos - last.pos;
        std::size_t run = 1;
        for (SSlotInput at = first; i + run < frames.size(); ++run) {
            const SSlotInput& next = frames[i + run].slots[slot];
            if (next.buttons != first.buttons || next.pos - at.pos != step) break;
            at = next;
        }
        w.Count(run);
        w.Count(Zigzag(step) << 3 | first.buttons);
        last = frames[i + run - 1].slots[slot];
        i += run;
    }
}

void ReadSlot(Reader& r, std::vector<SReplayFrame>& frames, unsigned int slot)
{
    int pos = 0;
    for (std::size_t i = 0; i < frames.size();) {
        const auto run = static_cast<std::size_t>(r.Count(frames.size() - i));
        const std::uint64_t stepAndButtons = r.Count((Zigzag(-0x10000) << 3) | 7);
        const auto step = static_cast<int>(Unzigzag(stepAndButtons >> 3));
        const auto buttons = static_cast<std::uint8_t>(stepAndButtons & 7);
        if (run == 0) Reader::Damaged();
        for (std::size_t k = 0; k < run; ++k, ++i) {
            pos += step;
            if (pos < 0 || pos > 0xFFFF) Reader::Damaged();
            frames[i].slots[slot] = SSlotInput{static_cast<std::uint16_t>(pos), buttons};
        }
    }
}

void WriteFrames(Writer& w, const SReplay& replay)
{
    w.Count(replay.frames.size());
    for (unsigned int slot = 0; slot < kReplaySlots; ++slot) WriteSlot(w, replay.frames, slot);
    std::size_t events = 0;
    for (const SReplayFrame& frame : replay.frames) events += frame.events != 0;
    w.Count(events);
    for (std::size_t i = 0, last = 0; i < replay.frames.size(); ++i) {
        if (!replay.frames[i].events) continue;
        w.Count(i - last);
        w.Fixed(replay.frames[i].events, 1);
        last = i;
    }
    w.Count(replay.draws.size());
    for (const std::uint16_t draw : replay.draws) w.Fixed(draw, 2);
    w.Count(replay.checksums.size());
    for (const std::uint32_t sum : replay.checksums) w.Fixed(sum, 4);
}

void WriteBody(Writer& w, const SReplay& replay)
{
    WriteHeader(w, replay.header);
    Writer frames;
    WriteFrames(frames, replay);
    w.Count(frames.out.size());
    w.out += Pack(frames.out);
}

void ReadFrames(Reader& r, SReplay& replay)
{
    replay.frames.resize(static_cast<std::size_t>(r.Count(kMaxReplayFrames)));
    const std::size_t frames = replay.frames.size();
    for (unsigned int slot = 0; slot < kReplaySlots; ++slot) ReadSlot(r, replay.frames, slot);
    const auto events = static_cast<std::size_t>(r.Count(frames));
    for (std::size_t n = 0, at = 0; n < events; ++n) {
        at += static_cast<std::size_t>(r.Count(frames));
        const auto what = static_cast<std::uint8_t>(r.Fixed(1));
        if (at >= frames || what == 0 || what > (ReplayTilt | ReplayCountdown)) Reader::Damaged();
        replay.frames[at].events = what;
    }
    // Two draws a frame at most (sudden death's strikes).
    replay.draws.resize(static_cast<std::size_t>(r.Count(2 * static_cast<std::uint64_t>(frames))));
    for (std::uint16_t& draw : replay.draws) draw = static_cast<std::uint16_t>(r.Fixed(2));
    const auto sums = static_cast<std::size_t>(r.Count(frames));
    if (sums != frames / kReplayChecksumEvery) Reader::Damaged();
    replay.checksums.resize(sums);
    for (std::uint32_t& sum : replay.checksums) sum = static_cast<std::uint32_t>(r.Fixed(4));
    r.End();
}

// The body, once the mark, the format and the checksum say it is a whole recording.
std::string_view CheckedBody(std::string_view bytes)
{
    if (bytes.size() > kMaxReplayBytes) throw XReplayError("This file is too large to be a replay");
    if (bytes.size() < kPreamble || std::memcmp(bytes.data(), kMark, sizeof kMark) != 0)
        throw XReplayError("This file is not a Quorvel replay");
    Reader preamble(bytes.substr(sizeof kMark));
    const auto format = static_cast<std::uint16_t>(preamble.Fixed(2));
    if (format > kFormat) throw XReplayError("This replay was made by a newer version of Quorvel");
    if (format < kFormat) throw XReplayError("This replay was made by an older version of Quorvel");
    const auto length = static_cast<std::size_t>(preamble.Fixed(4));
    const auto sum = static_cast<std::uint32_t>(preamble.Fixed(4));
    const std::string_view body = bytes.substr(kPreamble);
    if (length != body.size() || Fnv(body) != sum) Reader::Damaged();
    return body;
}

}  // namespace

std::string EncodeReplay(const SReplay& replay)
{
    Writer body;
    WriteBody(body, replay);
    Writer file;
    file.out.assign(kMark, sizeof kMark);
    file.Fixed(kFormat, 2);
    file.Fixed(body.out.size(), 4);
    file.Fixed(Fnv(body.out), 4);
    return file.out + body.out;
}

SReplayHeader DecodeReplayHeader(std::string_view bytes)
{
    Reader r(CheckedBody(bytes));
    return ReadHeader(r);
}

SReplay DecodeReplay(std::string_view bytes, const std::string& version)
{
    Reader r(CheckedBody(bytes));
    SReplay replay;
    replay.header = ReadHeader(r);
    if (replay.header.version != version)
        throw XReplayError("This replay was made by Quorvel " + replay.header.version + "; this is Quorvel " + version);
    const auto size = static_cast<std::size_t>(r.Count(kMaxFramesBytes));
    const std::optional<std::string> frames = Unpack(r.Rest(), size);
    if (!frames) Reader::Damaged();
    Reader unpacked(*frames);
    ReadFrames(unpacked, replay);
    return replay;
}
