#pragma once
// Input devices: objects of the tree that record what the keyboard or the mouse did and
// answer a position along one axis and the state of a button.

#include "core/object.h"

// Which mouse coordinates an input records and which keys steer it.
enum EAxis : unsigned int { NoAxis = 0, XAxis = 1, YAxis = 2, BothAxes = 3 };

class CInput : public CObject {
public:
    explicit CInput(const LList<CObject>& parents);
    bool HasType(str t) const override;

    virtual unsigned int GetPos() = 0;
    virtual bool GetButton(unsigned int i) = 0;
    virtual void SetButton(unsigned int i, bool v) = 0;
};
