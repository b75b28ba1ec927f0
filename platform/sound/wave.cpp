#include "platform/sound/wave.h"

#include <cstring>
#include <string>

namespace sound {
namespace {

std::uint32_t Read32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }
std::uint16_t Read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// Little-endian fields written in place, the header's size known beforehand.
unsigned char* Put32(unsigned char* at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) *at++ = static_cast<unsigned char>(v >> (8 * i));
    return at;
}
unsigned char* Put16(unsigned char* at, std::uint16_t v)
{
    *at++ = static_cast<unsigned char>(v);
    *at++ = static_cast<unsigned char>(v >> 8);
    return at;
}
unsigned char* PutTag(unsigned char* at, const char* tag)
{
    std::memcpy(at, tag, 4);
    return at + 4;
}

constexpr std::size_t kHeaderSize = 44;

struct Format {
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

constexpr std::uint16_t kPcm = 1;

bool Usable(const Format& f)
{
    return (f.channels == 1 || f.channels == 2) && (f.bits == 8 || f.bits == 16) && f.rate >= 1000 && f.rate <= 192000;
}

std::int16_t Sample(const unsigned char* p, int bits)
{
    if (bits == 8) return static_cast<std::int16_t>((p[0] - 128) * 256);
    return static_cast<std::int16_t>(Read16(p));
}

Wave Samples(const Format& f, const unsigned char* data, std::size_t size)
{
    const std::size_t bytes = static_cast<std::size_t>(f.bits / 8);
    const std::size_t frame = bytes * static_cast<std::size_t>(f.channels);
    Wave wave;
    wave.rate = f.rate;
    wave.samples.reserve(size / frame);
    for (std::size_t at = 0; at + frame <= size; at += frame) {
        int sum = 0;
        for (int c = 0; c < f.channels; ++c) sum += Sample(data + at + bytes * static_cast<std::size_t>(c), f.bits);
        wave.samples.push_back(static_cast<std::int16_t>(sum / f.channels));
    }
    return wave;
}

}  // namespace

std::optional<Wave> DecodeWave(const unsigned char* bytes, std::size_t size)
{
    if (!bytes || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::optional<Format> format;
    // Chunks: a tag, a length, the body and a pad byte when the length is odd.
    for (std::size_t at = 12; size - at >= 8;) {
        const std::uint32_t length = Read32(bytes + at + 4);
        const unsigned char* body = bytes + at + 8;
        if (length > size - at - 8) return std::nullopt;
        if (std::memcmp(bytes + at, "fmt ", 4) == 0) {
            if (length < 16 || Read16(body) != kPcm) return std::nullopt;
            format = Format{Read16(body + 2), static_cast<int>(Read32(body + 4)), Read16(body + 14)};
            if (!Usable(*format)) return std::nullopt;
        } else if (std::memcmp(bytes + at, "data", 4) == 0) {
            if (!format) return std::nullopt;
            return Samples(*format, body, length);
        }
        at += 8 + static_cast<std::size_t>(length) + (length & 1);
        if (at > size) return std::nullopt;
    }
    return std::nullopt;
}

std::vector<unsigned char> EncodeWave(const Wave& wave)
{
    const std::uint32_t data = static_cast<std::uint32_t>(wave.samples.size() * 2);
    std::vector<unsigned char> out(kHeaderSize + data);
    unsigned char* at = PutTag(out.data(), "RIFF");
    at = Put32(at, 36 + data);
    at = PutTag(at, "WAVE");
    at = PutTag(at, "fmt ");
    at = Put32(at, 16);
    at = Put16(at, kPcm);
    at = Put16(at, 1);
    at = Put32(at, static_cast<std::uint32_t>(wave.rate));
    at = Put32(at, static_cast<std::uint32_t>(wave.rate) * 2);
    at = Put16(at, 2);
    at = Put16(at, 16);
    at = PutTag(at, "data");
    at = Put32(at, data);
    for (const std::int16_t s : wave.samples) at = Put16(at, static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace sound
