#pragma once
// Mixes a player's colour from three vertical sliders, each labelled with its component
// (a slider shows its value), shown live in a colour block, with a warning when the colour comes so close
// to the field's grey that the paddle would vanish. Leaving the screen stores the mixture.

#include "ui/game.h"

struct SPlayerOptions;
class CText;

class CColorOptions : public CGame {
public:
    static constexpr const char* kType = "CColorOptions";
    CColorOptions(SPlayerOptions* options, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;
    void Animate() override;

    // Whether the colour is hard to tell from the field's grey.
    static bool NearFieldGrey(unsigned int red, unsigned int green, unsigned int blue);

    static bool DoNext(void* context, CObject* screen);

    SPlayerOptions* options;
    unsigned int red;
    unsigned int green;
    unsigned int blue;

private:
    CText* warning;
};
