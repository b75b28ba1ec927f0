#include "screens/color_options.h"

#include "model/data.h"
#include "screens/menu.h"
#include "screens/player_options.h"
#include "ui/color_block.h"
#include "ui/slider.h"
#include "ui/text.h"

#include <cstdlib>

namespace {

constexpr unsigned int kSliderY = 150;
constexpr unsigned int kSliderWidth = 30;
constexpr unsigned int kMaxComponent = 255;
constexpr LONG kLabelHeight = 18;
constexpr LONG kLabelWidth = 60;

// The field is grey 128 on every component; within this of it on all three, a paddle
// is hard to see.
constexpr int kFieldGrey = 128;
constexpr int kTooClose = 40;

// A slider (which shows its value) with its component's name above it.
void AddComponentSlider(CGame* screen, LONG x, unsigned int* component, const char* name)
{
    new CSlider(static_cast<unsigned int>(x), kSliderY, component, Under(screen), Vertical, 0, kMaxComponent);
    const LONG left = x + kSliderWidth / 2 - kLabelWidth / 2, top = kSliderY;
    AddLine(screen, str(name), Rect(left, top - kLabelHeight - 2, left + kLabelWidth, top - 2));
}

const Rect kWarningBox(0, 404, 512, 424);

}  // namespace

CColorOptions::CColorOptions(SPlayerOptions* options, const LList<CObject>& parents)
    : CGame(parents), options(options), red(GetRValue(options->color)), green(GetGValue(options->color)),
      blue(GetBValue(options->color))
{
    type.Load(kType);
    AddBackground(this);
    AddTitle(this, str("Color Chooser"));
    AddFootButton(this, DoNext, AsContext(0));
    AddComponentSlider(this, 166, &red, "Red");
    AddComponentSlider(this, 241, &green, "Green");
    AddComponentSlider(this, 316, &blue, "Blue");
    new CColorBlock(&red, &green, &blue, 206, 300, Under(this));
    warning = AddLine(this, str(""), kWarningBox);
}

bool CColorOptions::NearFieldGrey(unsigned int r, unsigned int g, unsigned int b)
{
    for (unsigned int component : {r, g, b})
        if (std::abs(static_cast<int>(component) - kFieldGrey) > kTooClose) return false;
    return true;
}

// The warning follows the sliders: a colour that would vanish against the field is not taken.
void CColorOptions::Animate()
{
    CGame::Animate();
    warning->text = str(NearFieldGrey(red, green, blue) ? "Too close to the field's grey: Back keeps the old colour" : "");
}

bool CColorOptions::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CColorOptions::NextGame()
{
    if (!NearFieldGrey(red, green, blue))
        options->color = RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
    return new CPlayerOptions(options, Successor());
}

bool CColorOptions::DoNext(void*, CObject* screen)
{
    return FinishScreen<CColorOptions>(screen, [](CColorOptions&) {});
}
