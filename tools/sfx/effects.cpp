#include "tools/sfx/effects.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>

namespace sfx {
namespace {

enum class Shape { Square, Triangle, Noise };

// One voice: a shape gliding from one pitch to another, rising in 3 ms and fading out
// in a straight line to its end.
struct Tone {
    Shape shape;
    double fromHz;
    double toHz;
    int milliseconds;
    double volume;
};

int Length(int milliseconds) { return kRate * milliseconds / 1000; }

std::vector<double> Render(const Tone& tone)
{
    const int length = Length(tone.milliseconds);
    const int attack = Length(3);
    std::vector<double> out(static_cast<std::size_t>(length));
    double phase = 0;
    std::uint32_t noise = 0x2545F491u;
    for (int i = 0; i < length; ++i) {
        const double along = static_cast<double>(i) / length;
        const double hz = tone.fromHz + (tone.toHz - tone.fromHz) * along;
        phase += hz / kRate;
        while (phase >= 1) phase -= 1;
        double value = 0;
        switch (tone.shape) {
        case Shape::Square: value = phase < 0.5 ? 1 : -1; break;
        case Shape::Triangle: value = 4 * (phase < 0.5 ? phase : 1 - phase) - 1; break;
        case Shape::Noise:
            noise = noise * 1664525u + 1013904223u;
            value = static_cast<double>(noise >> 16) / 32768.0 - 1;
            break;
        }
        const double envelope = std::min(i < attack ? static_cast<double>(i) / attack : 1.0, 1 - along);
        out[static_cast<std::size_t>(i)] = value * envelope * tone.volume;
    }
    return out;
}

// Tones that sound together, each starting where the previous one of its list ended.
using Part = std::vector<Tone>;

sound::Wave Mix(const std::vector<Part>& parts)
{
    std::vector<double> sum;
    for (const Part& part : parts) {
        std::size_t at = 0;
        for (const Tone& tone : part) {
            const std::vector<double> samples = Render(tone);
            if (sum.size() < at + samples.size()) sum.resize(at + samples.size(), 0);
            for (std::size_t i = 0; i < samples.size(); ++i) sum[at + i] += samples[i];
            at += samples.size();
        }
    }
    sound::Wave wave;
    wave.rate = kRate;
    for (const double value : sum)
        wave.samples.push_back(static_cast<std::int16_t>(std::clamp(value, -1.0, 1.0) * 32767));
    return wave;
}

Part Alternating(double high, double low, int stepMs, int steps, double volume)
{
    Part part;
    for (int i = 0; i < steps; ++i) {
        const double hz = i % 2 ? low : high;
        part.push_back({Shape::Square, hz, hz, stepMs, volume});
    }
    return part;
}

const std::map<std::string, std::vector<Part>>& Effects()
{
    using S = Shape;
    static const std::map<std::string, std::vector<Part>> effects = {
        {"paddle", {{{S::Square, 520, 620, 70, 0.3}}}},
        {"wall", {{{S::Triangle, 260, 220, 60, 0.45}}}},
        {"brick", {{{S::Noise, 0, 0, 40, 0.25}}, {{S::Square, 1040, 520, 120, 0.25}}}},
        {"grab", {{{S::Triangle, 300, 1200, 120, 0.4}}}},
        {"dropout", {{{S::Square, 700, 90, 450, 0.3}}}},
        {"sudden_death", {Alternating(880, 660, 80, 8, 0.3)}},
        {"effect", {{{S::Triangle, 1500, 900, 60, 0.3}}}},
        {"winner",
         {{{S::Square, 523, 523, 110, 0.3}, {S::Square, 659, 659, 110, 0.3}, {S::Square, 784, 784, 110, 0.3},
           {S::Square, 1047, 1047, 300, 0.3}}}},
        {"click", {{{S::Square, 1800, 1800, 18, 0.25}}}},
    };
    return effects;
}

}  // namespace

const std::vector<std::string>& EffectNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const auto& entry : Effects()) list.push_back(entry.first);
        return list;
    }();
    return names;
}

sound::Wave MakeEffect(const std::string& name)
{
    const auto found = Effects().find(name);
    return found == Effects().end() ? sound::Wave{kRate, {}} : Mix(found->second);
}

}  // namespace sfx
