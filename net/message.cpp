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
    case Kind::Input:
        m.frame = in.U32();
        m.seat = in.U8();
        m.input.pos = in.U16();
        m.input.buttons = in.U8();
        return ValidSeat(m.seat) && m.input.pos <= kMaxPosition && (m.input.buttons & ~kButtonBits) == 0;
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
    case Kind::Input:
        out.U32(m.frame);
        out.U8(m.seat);
        out.U16(m.input.pos);
        out.U8(m.input.buttons);
        break;
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
