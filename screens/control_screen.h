#pragma once
// What the keyboard and mouse screens share.

#include "ui/game.h"

struct SPlayerOptions;
class CControls;

// "Controls for " and the player's name, as the screen's title.
void AddControlTitle(CGame* screen, const SPlayerOptions& player);

// The player's input maker; a player without one raises XChildError at the screen.
CControls& RequireInput(CGame* screen, const SPlayerOptions& player);
