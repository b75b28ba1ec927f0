#pragma once

#include "input/input.h"
#include "platform/win32.h"

// The pointer's position and the three mouse buttons, as they reach it through the tree.
// It starts where the pointer is, with every button up: a press made before it existed
// does not count. A button pressed since the last input update counts as held until
// that update, even if it was let go again, so a click shorter than a frame is seen.
class CMouseInput : public CInput {
public:
    static constexpr const char* kType = "CMouseInput";
    CMouseInput(EAxis axis, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void MouseMove(unsigned int x, unsigned int y) override;
    void MouseDown(unsigned int button, bool down) override;
    void UpdateInput() override;
    unsigned int GetPos() override;
    bool GetButton(unsigned int i) override;
    void SetButton(unsigned int i, bool v) override;
    void TakeOverButton(unsigned int i) override;
    virtual POINT GetPoint();

    unsigned int x = 0;
    unsigned int y = 0;
    bool buttons[3] = {false, false, false};
    bool pressedSinceUpdate[3] = {false, false, false};
    EAxis axis;

private:
    void StartAtPointer();
};
