#pragma once
// The settings that outlive a single screen: the four players, who plays at which side,
// the main window and its client rectangle, and whether the engine is painting.

#include "core/global.h"
#include "core/rect.h"
#include "model/side.h"
#include "platform/win32.h"

class CControls;

struct SPlayerOptions {
    unsigned int number = 0;
    str name;
    COLORREF color = 0;
    CControls* input = nullptr;
    EPadType padType = PadRectangular;
};

constexpr unsigned int kPlayers = 4;

// Who plays a match: the four players and the number (1 to 4, 0 for nobody) of the player
// at each pad slot's side.
struct SLineup {
    SPlayerOptions players[kPlayers];
    unsigned int padPlayers[kPadSlots] = {};
};

class CData : public CGlobal {
public:
    static constexpr const char* kType = "CData";
    static constexpr unsigned int kPlayers = ::kPlayers;

    explicit CData(const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    // Fills the players' defaults the first time it is called; their input makers become
    // children of `makerParent`. Returns whether it filled them.
    bool FillDefaults(CObject* makerParent);
    // Brings back the players' defaults and who plays at which side; the input makers
    // stay the same objects.
    void ResetPlayers();
    // The players and sides as set: the lineup of a match played on this machine alone.
    SLineup Lineup() const;

    bool painting = false;
    HWND window = nullptr;
    Rect client;
    SPlayerOptions players[kPlayers];
    unsigned int padPlayers[kPadSlots] = {};
    bool configured = false;
    bool sound = true;
    // The address of the game this machine last joined.
    str joinAddress;
};

// The one CData of the object's tree, or null.
CData* FindData(CObject* from);

// The one CData of the object's tree; without it, XChildError at from's type + context.
CData& RequireData(CObject* from, const char* context);
