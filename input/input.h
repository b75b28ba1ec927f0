#pragma once
// Input devices: objects of the tree that record what the keyboard or the mouse did and
// answer a position along one axis and the state of a button.

#include "core/object.h"
#include "model/side.h"

class CInput : public CObject {
public:
    static constexpr const char* kType = "CInput";
    explicit CInput(const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    virtual unsigned int GetPos() = 0;
    virtual bool GetButton(unsigned int i) = 0;
    virtual void SetButton(unsigned int i, bool v) = 0;
    // The match hands the player a button press at its start (the serve's hold). A device
    // that can tell takes it only while its own button is still down, so that a press let
    // go before the device existed never waits for a release; the others just press it.
    virtual void TakeOverButton(unsigned int i);
};
