#pragma once
// The sound output of the headless host: nothing is heard; every sound started is
// recorded with the clock's time, so tests can tell what played in which frame.

#include "platform/sound/output.h"

#include <functional>
#include <vector>

namespace headless {

struct PlayedSound {
    WORD id;
    DWORD time;  // the host's clock when it started
};

class HeadlessSound : public sound::Output {
public:
    explicit HeadlessSound(std::function<DWORD()> clock) : clock(std::move(clock)) {}

    void Play(WORD id, const sound::Wave&) override { played.push_back(PlayedSound{id, clock()}); }
    void StopAll() override {}

    const std::vector<PlayedSound>& Played() const { return played; }

private:
    std::function<DWORD()> clock;
    std::vector<PlayedSound> played;
};

}  // namespace headless
