#include "net/message.h"

#include <algorithm>

namespace net {

namespace {

constexpr std::uint8_t kMagic = 'Q';

class Writer {
public:
    void U8(std::uint8_t v) { bytes.push_back(v); }
    void U16(std::uint16_t v)
    {
        U8(static_cast<std::uint8_t>(v >> 8));
        U8(static_cast<std::uint8_t>(v));
    }
    void U32(std::uint32_t v)
    {
        U16(static_cast<std::uint16_t>(v >> 16));
        U16(static_cast<std::uint16_t>(v));
    }
    void Name(const std::string& name)
    {
        U8(static_cast<std::uint8_t>(name.size()));
        bytes.insert(bytes.end(), name.begin(), name.end());
    }
    Bytes bytes;
};

// Reads from the front; any read past the end marks the whole message as bad.
class Reader {
public:
    explicit Reader(const Bytes& bytes) : bytes(bytes) {}
    std::uint8_t U8()
    {
        if (at >= bytes.size()) {
            bad = true;
            return 0;
        }
        return bytes[at++];
    }
    std::uint16_t U16()
    {
        const std::uint16_t high = U8();
        return static_cast<std::uint16_t>(high << 8 | U8());
    }
    std::uint32_t U32()
    {
        const std::uint32_t high = U16();
        return high << 16 | U16();
    }
    std::string Name()
    {
        const std::size_t length = U8();
        if (length == 0 || length > kMaxNameBytes || bytes.size() - at < length) {
            bad = true;
            return {};
        }
        std::string name(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length));
        at += length;
        if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7e; })) bad = true;
        return name;
    }
    // Every byte read, none left over, no read past the end.
    bool Whole() const { return !bad && at == bytes.size(); }
    bool bad = false;

private:
    const Bytes& bytes;
    std::size_t at = 0;
};

bool ValidSeat(unsigned int seat) { return seat < kMaxSeats; }

// ---- Inputs ------------------------------------------------------------------------
// A seat's controls take two bytes, the buttons above the position. Within a run, one
// with the buttons of the one before and a position near it takes a single byte, its top
// bit set, holding the step.

constexpr std::uint8_t kStepBit = 0x80;
constexpr int kStepBias = 64;
constexpr unsigned int kButtonShift = 10;
constexpr std::uint16_t kPositionBits = 0x3ff;

std::uint16_t Packed(SeatInput input) { return static_cast<std::uint16_t>(input.buttons << kButtonShift | input.pos); }

std::optional<std::uint8_t> Step(SeatInput before, SeatInput input)
{
    const int step = int{input.pos} - int{before.pos};
    if (input.buttons != before.buttons || step < -kStepBias || step >= kStepBias) return std::nullopt;
    return static_cast<std::uint8_t>(kStepBit | (step + kStepBias));
}

std::uint32_t Earliest(const Message& m)
{
    std::optional<std::uint32_t> earliest;
    for (const InputAck& ack : m.acks) earliest = std::min(earliest.value_or(ack.next), ack.next);
    for (const InputRun& run : m.runs) earliest = std::min(earliest.value_or(run.first), run.first);
    return earliest.value_or(0);
}

// Each seat once and in order, so that a mask of seats says which come.
template <typename Item>
std::vector<Item> InSeatOrder(const std::vector<Item>& items)
{
    std::vector<Item> kept;
    for (const Item& item : items)
        if (ValidSeat(item.seat) && (kept.empty() || item.seat > kept.back().seat)) kept.push_back(item);
    return kept;
}

template <typename Item>
std::uint8_t SeatMask(const std::vector<Item>& items)
{
    unsigned int mask = 0;
    for (const Item& item : items) mask |= 1u << item.seat;
    return static_cast<std::uint8_t>(mask);
}

void WriteRun(Writer& out, const InputRun& run, std::uint32_t base)
{
    out.U8(static_cast<std::uint8_t>(run.first - base));
    out.U8(static_cast<std::uint8_t>(run.inputs.size()));
    for (std::size_t i = 0; i < run.inputs.size(); ++i) {
        const std::optional<std::uint8_t> step = i > 0 ? Step(run.inputs[i - 1], run.inputs[i]) : std::nullopt;
        if (step)
            out.U8(*step);
        else
            out.U16(Packed(run.inputs[i]));
    }
}

void WriteInputs(Writer& out, const Message& m)
{
    const std::uint32_t base = Earliest(m);
    const std::vector<InputAck> acks = InSeatOrder(m.acks);
    std::vector<InputRun> runs = InSeatOrder(m.runs);
    std::erase_if(runs, [&](const InputRun& run) {
        return run.first - base > kInputsSpan || run.inputs.empty() || run.inputs.size() > kMaxRun;
    });
    out.U8(m.match);
    out.U8(static_cast<std::uint8_t>(SeatMask(acks) | SeatMask(runs) << 4));
    out.U32(base);
    for (const InputAck& ack : acks) out.U8(static_cast<std::uint8_t>(std::min(ack.next - base, kInputsSpan)));
    for (const InputRun& run : runs) WriteRun(out, run, base);
}

std::optional<SeatInput> ReadInput(Reader& in, const std::optional<SeatInput>& before)
{
    const std::uint8_t high = in.U8();
    if (before && (high & kStepBit) != 0) {
        const int pos = int{before->pos} + (high & ~kStepBit) - kStepBias;
        if (pos < 0 || pos > kMaxPosition) return std::nullopt;
        return SeatInput{static_cast<std::uint16_t>(pos), before->buttons};
    }
    const std::uint16_t packed = static_cast<std::uint16_t>(high << 8 | in.U8());
    const SeatInput input{static_cast<std::uint16_t>(packed & kPositionBits),
                          static_cast<std::uint8_t>(packed >> kButtonShift)};
    // Only what the writer makes: no stray bits, and a step wherever one would do.
    const bool stray = (input.buttons & ~kButtonBits) != 0 || input.pos > kMaxPosition;
    if (stray || (before && Step(*before, input))) return std::nullopt;
    return input;
}

bool ReadRun(Reader& in, InputRun& run, std::uint32_t base)
{
    run.first = base + in.U8();
    const std::size_t count = in.U8();
    if (count == 0 || count > kMaxRun) return false;
    std::optional<SeatInput> before;
    for (std::size_t i = 0; i < count && !in.bad; ++i) {
        before = ReadInput(in, before);
        if (!before) return false;
        run.inputs.push_back(*before);
    }
    return !in.bad;
}

bool ReadInputs(Reader& in, Message& m)
{
    m.match = in.U8();
    const unsigned int masks = in.U8();
    const std::uint32_t base = in.U32();
    if (base > ~std::uint32_t{0} - kInputsSpan - kMaxRun) return false;
    for (std::uint8_t seat = 0; seat < kMaxSeats; ++seat)
        if (masks & 1u << seat) m.acks.push_back(InputAck{seat, base + in.U8()});
    for (std::uint8_t seat = 0; seat < kMaxSeats && !in.bad; ++seat) {
        if ((masks & 1u << (seat + 4)) == 0) continue;
        m.runs.push_back(InputRun{seat, 0, {}});
        if (!ReadRun(in, m.runs.back(), base)) return false;
    }
    return !in.bad && Earliest(m) == base;
}

void WriteNames(Writer& out, const std::vector<std::string>& names)
{
    out.U8(static_cast<std::uint8_t>(names.size()));
    for (const std::string& name : names) out.Name(name);
}

bool ReadNames(Reader& in, std::vector<std::string>& names)
{
    const unsigned int count = in.U8();
    if (count == 0 || count > kMaxSeats) return false;
    for (unsigned int i = 0; i < count && !in.bad; ++i) names.push_back(in.Name());
    return !in.bad;
}

bool ReadLooks(Reader& in, Message& m)
{
    for (std::size_t i = 0; i < m.names.size(); ++i) {
        SeatLook look;
        look.color = in.U32();
        const std::uint8_t rounded = in.U8();
        look.rounded = rounded != 0;
        if (look.color > kMaxColor || rounded > 1) return false;
        m.looks.push_back(look);
    }
    return !in.bad;
}

bool ReadSides(Reader& in, Message& m)
{
    for (std::uint8_t& side : m.sides) side = in.U8();
    return std::all_of(m.sides.begin(), m.sides.end(), [&](std::uint8_t s) { return s <= m.names.size(); });
}

bool ReadBody(Reader& in, Message& m)
{
    switch (m.kind) {
    case Kind::Hello:
        m.version = in.U8();
        return m.version != kProtocolVersion || ReadNames(in, m.names);
    case Kind::Welcome: return true;
    case Kind::Refuse: {
        const std::uint8_t reason = in.U8();
        m.reason = static_cast<Refusal>(reason);
        return reason >= static_cast<std::uint8_t>(Refusal::Full) &&
               reason <= static_cast<std::uint8_t>(Refusal::Malformed);
    }
    case Kind::Start: {
        m.seed = in.U32();
        m.delay = in.U8();
        if (m.delay < kMinDelay || m.delay > kMaxDelay || !ReadNames(in, m.names)) return false;
        if (!ReadLooks(in, m) || !ReadSides(in, m)) return false;
        const unsigned int count = in.U8();
        if (count == 0 || count > m.names.size()) return false;
        for (unsigned int i = 0; i < count; ++i) m.seats.push_back(in.U8());
        std::vector<std::uint8_t> sorted = m.seats;
        std::sort(sorted.begin(), sorted.end());
        return std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end() &&
               std::all_of(sorted.begin(), sorted.end(), [&](std::uint8_t s) { return s < m.names.size(); });
    }
    case Kind::Inputs: return ReadInputs(in, m);
    case Kind::Checksum:
        m.frame = in.U32();
        m.value = in.U32();
        return true;
    case Kind::Drop:
        m.seat = in.U8();
        m.frame = in.U32();
        return ValidSeat(m.seat);
    case Kind::OutOfStep: m.frame = in.U32(); return true;
    case Kind::Ping:
        m.value = in.U32();
        m.frame = in.U32();
        return true;
    case Kind::Pong: m.value = in.U32(); return true;
    case Kind::Again: return true;
    }
    return false;
}

}  // namespace

Bytes Encode(const Message& m)
{
    Writer out;
    out.U8(kMagic);
    out.U8(static_cast<std::uint8_t>(m.kind));
    switch (m.kind) {
    case Kind::Hello:
        out.U8(m.version);
        WriteNames(out, m.names);
        break;
    case Kind::Welcome: break;
    case Kind::Refuse: out.U8(static_cast<std::uint8_t>(m.reason)); break;
    case Kind::Start:
        out.U32(m.seed);
        out.U8(m.delay);
        WriteNames(out, m.names);
        for (std::size_t i = 0; i < m.names.size(); ++i) {
            const SeatLook look = i < m.looks.size() ? m.looks[i] : SeatLook{};
            out.U32(look.color);
            out.U8(look.rounded ? 1 : 0);
        }
        for (std::uint8_t side : m.sides) out.U8(side);
        out.U8(static_cast<std::uint8_t>(m.seats.size()));
        for (std::uint8_t seat : m.seats) out.U8(seat);
        break;
    case Kind::Inputs: WriteInputs(out, m); break;
    case Kind::Checksum:
        out.U32(m.frame);
        out.U32(m.value);
        break;
    case Kind::Drop:
        out.U8(m.seat);
        out.U32(m.frame);
        break;
    case Kind::OutOfStep: out.U32(m.frame); break;
    case Kind::Ping:
        out.U32(m.value);
        out.U32(m.frame);
        break;
    case Kind::Pong: out.U32(m.value); break;
    case Kind::Again: break;
    }
    return out.bytes;
}

std::optional<Message> Decode(const Bytes& bytes)
{
    Reader in(bytes);
    if (in.U8() != kMagic) return std::nullopt;
    const std::uint8_t kind = in.U8();
    if (in.bad || kind < static_cast<std::uint8_t>(Kind::Hello) || kind > static_cast<std::uint8_t>(Kind::Again))
        return std::nullopt;
    Message m;
    m.kind = static_cast<Kind>(kind);
    if (!ReadBody(in, m)) return std::nullopt;
    // A Hello of another version is answered however the rest of it looks.
    if (m.kind == Kind::Hello && m.version != kProtocolVersion && !in.bad) return m;
    if (!in.Whole()) return std::nullopt;
    return m;
}

}  // namespace net
