#pragma once

#include "input/input.h"

// One player's control settings, and the factory of the device that a paddle gets.
class CInputMaker : public CObject {
public:
    enum Kind : unsigned int { Unset = 0, Keyboard = 1, Mouse = 2, Controller = 3, Network = 4, Computer = 5 };
    enum Control { Up = 0, Down, Left, Right, Grab, Special, Speed, ControlCount };

    explicit CInputMaker(const LList<CObject>& parents);
    bool HasType(str t) const override;

    void SetKeyboard(unsigned int up, unsigned int down, unsigned int left, unsigned int right,
                     unsigned int grab, unsigned int special, unsigned int speed);
    void SetMouse(unsigned int value);
    // A pad player reading the pad in the slot (0 to 3); other slots raise XDomainError.
    void SetPad(unsigned int slot);
    // A place kept for a player on another machine: the computer plays it at Fair until
    // someone joins.
    void SetNet();
    // A player on another machine, at seat `seat` of the online match.
    void SetNet(unsigned int seat);
    // A computer player at `level` (0 Easy, 1 Fair, 2 Hard; higher counts as Hard).
    void SetComputer(unsigned int level);
    CInput* MakeInput(EAxis axis, const LList<CObject>& parents);
    // The player drops out: a pad player's pad rumbles briefly.
    void DropOut();
    // The device of this kind alone.
    CInput* MakeOwnInput(EAxis axis, const LList<CObject>& parents);

    unsigned int keys[ControlCount] = {};
    unsigned int kind = Unset;
    unsigned int pad = 0;  // the pad slot of a pad player
    unsigned int level = 0;
    // The player's seat in an online match (0 to 3).
    unsigned int seat = 0;
};
