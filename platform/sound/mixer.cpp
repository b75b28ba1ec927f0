#include "platform/sound/mixer.h"

#include <algorithm>

namespace sound {

void Mixer::Start(const Wave& wave)
{
    if (wave.samples.empty() || wave.rate <= 0 || rate <= 0) return;
    auto voice = std::find_if(voices.begin(), voices.end(), [](const Voice& v) { return !v.wave; });
    if (voice == voices.end())
        voice = std::min_element(voices.begin(), voices.end(),
                                 [](const Voice& a, const Voice& b) { return a.started < b.started; });
    *voice = Voice{&wave, 0, (static_cast<std::uint64_t>(wave.rate) << 16) / static_cast<std::uint64_t>(rate), ++starts};
}

void Mixer::StopAll() { voices.fill(Voice{}); }

void Mixer::Mix(std::int16_t* out, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        int sum = 0;
        for (Voice& voice : voices) {
            if (!voice.wave) continue;
            const std::size_t at = static_cast<std::size_t>(voice.position >> 16);
            if (at >= voice.wave->samples.size()) {
                voice = Voice{};
                continue;
            }
            sum += voice.wave->samples[at];
            voice.position += voice.step;
        }
        out[i] = static_cast<std::int16_t>(std::clamp(sum, -32768, 32767));
    }
}

std::size_t Mixer::Playing() const
{
    return static_cast<std::size_t>(std::count_if(voices.begin(), voices.end(), [](const Voice& v) { return v.wave; }));
}

}  // namespace sound
