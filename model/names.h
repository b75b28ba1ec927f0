#pragma once
// The one length rule for players' names: every machine of an online game carries a name
// of 1 to kMaxNameLength printable characters, and everything that keeps or shows a name
// (the settings file, the name field, paddles, the game-over title) stays within it.

#include "core/str.h"

constexpr unsigned int kMaxNameLength = 15;

// `name` as any machine can carry it: characters that are not printable ASCII become '?',
// it is cut to kMaxNameLength, and a name with nothing to show becomes "Player <number>".
str SendableName(const str& name, unsigned int number);
