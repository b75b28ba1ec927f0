#pragma once

#include "input/input.h"
#include "platform/win32.h"

// The pointer's position and the three mouse buttons, as they reach it through the tree.
class CMouseInput : public CInput {
public:
    CMouseInput(EAxis axis, const LList<CObject>& parents);
    bool HasType(str t) const override;

    void MouseMove(unsigned int x, unsigned int y) override;
    void MouseDown(unsigned int button, bool down) override;
    unsigned int GetPos() override;
    bool GetButton(unsigned int i) override;
    void SetButton(unsigned int i, bool v) override;
    virtual POINT GetPoint();

    unsigned int x = 0;
    unsigned int y = 0;
    bool buttons[3] = {false, false, false};
    EAxis axis;
};
