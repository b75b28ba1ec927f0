#include "screens/color_options.h"

#include "screens/data.h"
#include "screens/menu.h"
#include "screens/player_options.h"
#include "ui/color_block.h"
#include "ui/slider.h"

namespace {

constexpr unsigned int kSliderY = 150;
constexpr unsigned int kMaxComponent = 255;

void AddComponentSlider(CGame* screen, unsigned int x, unsigned int* component)
{
    new CSlider(x, kSliderY, component, Under(screen), Vertical, 0, kMaxComponent);
}

}  // namespace

CColorOptions::CColorOptions(SPlayerOptions* options, const LList<CObject>& parents)
    : CGame(parents), options(options), red(GetRValue(options->color)), green(GetGValue(options->color)),
      blue(GetBValue(options->color))
{
    type.Load("CColorOptions");
    AddBackground(this);
    AddTitle(this, str("Color Chooser"));
    AddFootButton(this, DoNext, AsContext(0));
    AddComponentSlider(this, 166, &red);
    AddComponentSlider(this, 241, &green);
    AddComponentSlider(this, 316, &blue);
    new CColorBlock(&red, &green, &blue, 206, 300, Under(this));
}

bool CColorOptions::HasType(str t) const { return t == "CColorOptions" || CGame::HasType(t); }

CGame* CColorOptions::NextGame()
{
    options->color = RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
    return new CPlayerOptions(options, Successor());
}

bool CColorOptions::DoNext(void*, CObject* screen)
{
    return FinishScreen<CColorOptions>(screen, [](CColorOptions&) {});
}
