#pragma once
// The game's sound effects, made from square and triangle waves and noise. Everything is
// computed with additions and multiplications only, so the same samples come out on every
// machine; assets/sounds/ holds what this makes (quorvel-sfx writes them again).

#include "platform/sound/wave.h"

#include <string>
#include <vector>

namespace sfx {

constexpr int kRate = 22050;

// The effects' names; each is the file name without ".wav".
const std::vector<std::string>& EffectNames();

// The effect of that name; an empty wave for a name that is none.
sound::Wave MakeEffect(const std::string& name);

}  // namespace sfx
