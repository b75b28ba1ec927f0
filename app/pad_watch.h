#pragma once
// The pads of the players in a match, watched for the clock: Start on any of them asks
// to pause or resume, as Pause Game does, and a pad that goes away asks to pause, as
// does a pad that is missing when its slot comes into use. The watch reads every slot on
// every poll, so a pad's Start that was already held when the match began is not taken
// for a press.

#include "platform/win32.h"

class CGame;

class CPadWatch {
public:
    enum Request { Nothing, TogglePause, Pause };

    // Reads the four pads once. `inUse` holds bit s for each slot s that a player of the
    // match reads; the other pads are only remembered.
    Request Poll(unsigned int inUse);

private:
    bool connected[XUSER_MAX_COUNT] = {};
    bool startHeld[XUSER_MAX_COUNT] = {};
    unsigned int wasInUse = 0;
};

// The slots that the pad players still in the screen's match read, bit s for slot s;
// 0 for screens without a match. It looks only at the screen's players, not through the
// whole tree: the main window asks on every frame.
unsigned int PadSlotsInUse(CGame* screen);

// Whether a pad that a player of the match reads (bit s of `inUse` for slot s) is not
// plugged in: the match cannot go on without it.
bool PadMissing(unsigned int inUse);
