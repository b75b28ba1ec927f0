#pragma once
// A short rumble of a pad, for a player who drops out. XInput runs the motors until told
// otherwise, so the rumble is stopped again by ServiceRumbles, which the main window calls
// on every tick of its clocks.

// Starts the pad's motors (a pad without motors, or no pad, stays still).
void StartRumble(unsigned int pad);

// Stops the rumbles whose time is up; true while one still runs.
bool ServiceRumbles();

// Stops every rumble now.
void StopRumbles();
