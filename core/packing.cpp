#include "core/packing.h"

#include <array>
#include <cstdint>
#include <memory>

// A binary range coder over 32-bit ranges with 11-bit probabilities. Each byte is coded as
// eight decisions down a tree of 255 nodes, one tree for every value of the byte before.
// The coder carries overflow into bytes already written through `cache` and `pending`,
// and its last bytes flush what is left of `low` and of the carry, so that the decoder
// never needs a byte the coder did not write.

namespace {

constexpr unsigned int kProbabilityBits = 11;
constexpr std::uint32_t kOne = 1u << kProbabilityBits;
constexpr unsigned int kAdaptShift = 5;
constexpr std::uint32_t kTop = 1u << 24;

// The chances of a 0 at each node of each byte's tree, given the byte before.
class Model {
public:
    Model() { probabilities.fill(kOne / 2); }
    std::uint16_t& At(unsigned char before, unsigned int node) { return probabilities[before * 256u + node]; }

private:
    std::array<std::uint16_t, 256 * 256> probabilities;
};

void Learn(std::uint16_t& p, bool bit)
{
    if (bit)
        p = static_cast<std::uint16_t>(p - (p >> kAdaptShift));
    else
        p = static_cast<std::uint16_t>(p + ((kOne - p) >> kAdaptShift));
}

// Where the range splits between a 0 (below) and a 1 (above) of probability `p`.
std::uint32_t Bound(std::uint32_t range, std::uint16_t p) { return (range >> kProbabilityBits) * p; }

// The part of the range that `bit` keeps.
void Narrow(std::uint32_t& range, std::uint32_t bound, bool bit) { range = bit ? range - bound : bound; }

class Encoder {
public:
    void Bit(std::uint16_t& p, bool bit)
    {
        const std::uint32_t bound = Bound(range, p);
        if (bit) low += bound;
        Narrow(range, bound, bit);
        Learn(p, bit);
        while (range < kTop) {
            range <<= 8;
            ShiftLow();
        }
    }
    std::string Finish()
    {
        for (int i = 0; i < 5; ++i) ShiftLow();
        out.push_back(static_cast<char>(cache));
        out.append(pending, static_cast<char>(0xFF));
        return std::move(out);
    }

private:
    void ShiftLow()
    {
        if (static_cast<std::uint32_t>(low) < 0xFF000000u || (low >> 32) != 0) {
            const auto carry = static_cast<unsigned char>(low >> 32);
            out.push_back(static_cast<char>(cache + carry));
            for (; pending > 0; --pending) out.push_back(static_cast<char>(0xFF + carry));
            cache = static_cast<unsigned char>(low >> 24);
        } else {
            ++pending;
        }
        low = (low & 0x00FFFFFFu) << 8;
    }

    std::uint64_t low = 0;
    std::uint32_t range = 0xFFFFFFFFu;
    unsigned char cache = 0;
    std::size_t pending = 0;
    std::string out;
};

class Decoder {
public:
    explicit Decoder(std::string_view in) : in(in)
    {
        // The coder's first byte is its empty cache.
        if (Next() != 0) ok = false;
        for (int i = 0; i < 4; ++i) code = code << 8 | Next();
    }
    bool Bit(std::uint16_t& p)
    {
        const std::uint32_t bound = Bound(range, p);
        const bool bit = code >= bound;
        if (bit) code -= bound;
        Narrow(range, bound, bit);
        Learn(p, bit);
        while (range < kTop) {
            range <<= 8;
            code = code << 8 | Next();
        }
        return bit;
    }
    bool Ok() const { return ok; }

private:
    std::uint32_t Next()
    {
        if (at < in.size()) return static_cast<unsigned char>(in[at++]);
        ok = false;
        return 0;
    }

    std::string_view in;
    std::size_t at = 0;
    std::uint32_t code = 0;
    std::uint32_t range = 0xFFFFFFFFu;
    bool ok = true;
};

}  // namespace

std::string Pack(std::string_view bytes)
{
    const auto model = std::make_unique<Model>();
    Encoder encoder;
    unsigned char before = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        for (unsigned int node = 1, bit = 8; bit-- > 0;) {
            const bool one = (byte >> bit) & 1;
            encoder.Bit(model->At(before, node), one);
            node = node * 2 + one;
        }
        before = byte;
    }
    return encoder.Finish();
}

std::optional<std::string> Unpack(std::string_view packed, std::size_t size)
{
    const auto model = std::make_unique<Model>();
    Decoder decoder(packed);
    std::string bytes;
    bytes.reserve(size);
    unsigned char before = 0;
    while (bytes.size() < size && decoder.Ok()) {
        unsigned int node = 1;
        while (node < 256) node = node * 2 + decoder.Bit(model->At(before, node));
        before = static_cast<unsigned char>(node - 256);
        bytes.push_back(static_cast<char>(before));
    }
    if (!decoder.Ok()) return std::nullopt;
    return bytes;
}
