#pragma once
// One player's control settings: the kind of device and its keys, pad slot, computer
// level or network seat. The match makes the player's device from them (play/input_maker.h).

#include "core/object.h"

// The three levels of play.
enum EComputerLevel : unsigned int { ComputerEasy = 0, ComputerFair = 1, ComputerHard = 2, ComputerLevels = 3 };

// "Easy", "Fair" or "Hard"; a level out of range is named as the hardest.
const char* ComputerLevelName(unsigned int level);

// A level out of range counts as the hardest.
EComputerLevel ValidLevel(unsigned int level);

class CControls : public CObject {
public:
    static constexpr const char* kType = "CControls";
    enum Kind : unsigned int { Unset = 0, Keyboard = 1, Mouse = 2, Controller = 3, Network = 4, Computer = 5 };
    enum Control { Up = 0, Down, Left, Right, Grab, Special, Speed, ControlCount };

    explicit CControls(const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void SetKeyboard(unsigned int up, unsigned int down, unsigned int left, unsigned int right,
                     unsigned int grab, unsigned int special, unsigned int speed);
    void SetMouse(unsigned int value);
    // A gamepad player reading the gamepad in the slot (0 to 3); other slots raise
    // XDomainError.
    void SetPad(unsigned int slot);
    // A place kept for a player on another machine: the computer plays it at Fair until
    // someone joins.
    void SetNet();
    // A player on another machine, at seat `seat` of the online match.
    void SetNet(unsigned int seat);
    // A computer player at `level` (0 Easy, 1 Fair, 2 Hard; higher counts as Hard).
    void SetComputer(unsigned int level);
    // Takes over kind, keys, slot, level and seat of `other`.
    void CopyFrom(const CControls& other);

    unsigned int keys[ControlCount] = {};
    unsigned int kind = Unset;
    unsigned int pad = 0;  // the gamepad slot of a gamepad player
    unsigned int level = 0;
    // The player's seat in an online match (0 to 3).
    unsigned int seat = 0;
};
