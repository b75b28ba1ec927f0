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

CText* AddLine(CGame* screen, const str& text, const Rect& box)
{
    auto* place = new CGraphic(Under(screen), box);
    return new CNormText(text, LList<CObject>(false, 2, place, screen), Rect());
}

CButton* AddFootButton(CGame* screen, ObjectCallback callback, void* context, const str& caption)
{
    return AddButton(screen, callback, context, kBackX, kBackY, caption, kGreen);
}
