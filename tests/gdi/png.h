#pragma once
// Writes a colour surface as an 8-bit RGB PNG, so that a test picture can be looked at.
// Uncompressed (stored deflate blocks): small code, no library.

#include "platform/gdi/surface.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace png {

inline std::uint32_t Crc(const std::vector<std::uint8_t>& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void Chunk(std::ofstream& file, const char* type, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    std::vector<std::uint8_t> out;
    Put32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, Crc(body));
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

inline std::vector<std::uint8_t> Stored(const std::vector<std::uint8_t>& raw)
{
    std::vector<std::uint8_t> z{0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - at);
        z.push_back(at + length >= raw.size() ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(length));
        z.push_back(static_cast<std::uint8_t>(length >> 8));
        z.push_back(static_cast<std::uint8_t>(~length));
        z.push_back(static_cast<std::uint8_t>(~length >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    }
    Put32(z, (b << 16) | a);
    return z;
}

inline bool Write(const std::string& path, const gdi::Surface& surface)
{
    std::ofstream file(path, std::ios::binary);
    if (!file) return false;
    const std::array<std::uint8_t, 8> signature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    file.write(reinterpret_cast<const char*>(signature.data()), signature.size());
    std::vector<std::uint8_t> header;
    Put32(header, static_cast<std::uint32_t>(surface.Width()));
    Put32(header, static_cast<std::uint32_t>(surface.Height()));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    Chunk(file, "IHDR", header);
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < surface.Height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < surface.Width(); ++x) {
            const std::uint32_t p = surface.Row(y)[x];
            raw.insert(raw.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                   static_cast<std::uint8_t>(p)});
        }
    }
    Chunk(file, "IDAT", Stored(raw));
    Chunk(file, "IEND", {});
    return static_cast<bool>(file);
}

}  // namespace png
