#include "screens/menu.h"

#include "gfx/background.h"
#include "ui/text.h"

namespace {

constexpr unsigned int kBannerHeight = 48;

}  // namespace

void AddBackground(CGame* screen) { new CBackground(Under(screen), screen->rect); }

void AddTitle(CGame* screen, const str& text) { MakeText(text, TextTitle, Under(screen)); }

void AddBanner(CGame* screen, const str& text)
{
    new CLRText(text, Under(screen), kBannerHeight, str("Magneto"), Rect());
}

CButton* AddButton(CGame* screen, ObjectCallback callback, void* context, unsigned int x, unsigned int y,
                   const str& caption, COLORREF color)
{
    return new CButton(callback, context, x, y, caption, Under(screen), color, kButtonWidth, kButtonHeight,
                       PadRectangular, SideBottom);
}

CButton* AddFootButton(CGame* screen, ObjectCallback callback, void* context, const str& caption)
{
    return AddButton(screen, callback, context, kBackX, kBackY, caption, kGreen);
}
