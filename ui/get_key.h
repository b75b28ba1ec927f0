#pragma once
// A 100 x 20 field that captures one key for a control and shows the key's name. A click
// on the field activates it, a click elsewhere deactivates it; while active, every key
// released replaces the stored one.

#include "gfx/graphic.h"

class CGetKey : public CGraphic {
public:
    static constexpr const char* kType = "CGetKey";
    CGetKey(unsigned int x, unsigned int y, unsigned int* key, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void KeyDown(unsigned int code, bool down) override;
    void Animate() override;
    bool Paint(HDC dc) override;
    void DescribeLook(PaintLook& look) override;

    unsigned int* key;
    bool active = false;
};

// The name the platform gives to the key ("Left", "Num 4", "Page Up"); empty for a key
// without a name.
str KeyName(unsigned int key);

// Ends every key capture under root without taking a key; true when one was waiting.
bool CancelKeyCapture(CObject* root);
