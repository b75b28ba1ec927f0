#pragma once
// What the keyboard and mouse screens share.

#include "screens/game.h"

struct SPlayerOptions;
class CInputMaker;

// "Controls for " and the player's name, as the screen's title.
void AddControlTitle(CGame* screen, const SPlayerOptions& player);

// The player's input maker; a player without one raises XChildError at the screen.
CInputMaker& RequireInput(CGame* screen, const SPlayerOptions& player);
