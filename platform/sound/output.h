#pragma once
// The seam between PlaySound and whatever makes the sound heard: the SDL host installs
// a mixer on the audio device, the headless host one that records what played when.
// Without an output, PlaySound plays nothing.

#include "platform/sound/wave.h"
#include "platform/win32_types.h"

namespace sound {

class Output {
public:
    virtual ~Output() = default;
    // Starts the sound now, over those still playing. The wave outlives the output's
    // use of it (resources stay registered).
    virtual void Play(WORD id, const Wave& wave) = 0;
    virtual void StopAll() = 0;
};

Output* CurrentOutput();
// Installs an output (null uninstalls). The caller keeps ownership.
void InstallOutput(Output* output);

// WAVE resources by id, decoded as they are registered; false for bytes that are no wave.
bool RegisterWave(WORD id, const unsigned char* bytes, std::size_t size);
const Wave* FindWave(WORD id);

}  // namespace sound
