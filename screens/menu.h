#pragma once
// The parts that the menu screens share: the grey background, the title and banner
// texts, buttons, and the conversion of the small integers that buttons hand back to
// their screens through an untyped context.

#include "ui/game.h"
#include "ui/button.h"

#include <cstdint>

class CData;
class CText;

constexpr COLORREF kGreen = RGB(0, 255, 0);

// Where every menu screen keeps its "Back" button.
constexpr unsigned int kBackX = 218;
constexpr unsigned int kBackY = 452;
constexpr unsigned int kButtonWidth = 75;
constexpr unsigned int kButtonHeight = 20;

// The screen as the only parent of a widget.
inline LList<CObject> Under(CObject* screen) { return LList<CObject>(false, 1, screen); }

// A button context that carries a small integer, and the integer it carries.
inline void* AsContext(std::uintptr_t value) { return reinterpret_cast<void*>(value); }
inline std::uintptr_t ContextValue(void* context) { return reinterpret_cast<std::uintptr_t>(context); }

// The grey background over the whole screen, which every screen builds first.
void AddBackground(CGame* screen);

// The title at the top of a menu screen.
void AddTitle(CGame* screen, const str& text);

// The large text centred on the intro and game-over screens.
void AddBanner(CGame* screen, const str& text);

// A rectangular 75 x 20 button drawn against the bottom side.
CButton* AddButton(CGame* screen, ObjectCallback callback, void* context, unsigned int x, unsigned int y,
                   const str& caption, COLORREF color);

// A line in the default GUI font, centred in `box` (a box of its own on the screen).
CText* AddLine(CGame* screen, const str& text, const Rect& box);

// The green "Back" (or "Start", "Continue", ...) button at the foot of a screen.
CButton* AddFootButton(CGame* screen, ObjectCallback callback, void* context, const str& caption = str("Back"));

// The callbacks' common step: when `object` is a `Screen`, let `act` record the choice on
// it, mark it finished and report true; otherwise report false.
template <class Screen, class Action>
bool FinishScreen(CObject* object, Action act)
{
    auto* screen = dynamic_cast<Screen*>(object);
    if (!screen) return false;
    act(*screen);
    screen->gameOver = true;
    return true;
}
