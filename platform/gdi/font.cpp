#include "platform/gdi/font.h"

#include <cstring>

namespace gdi {

class FontFace {};

Font::Font(const LOGFONT& logfont) : Object(Kind::Font), logfont(logfont) {}

FontFace* Font::Face() { return nullptr; }

std::unique_ptr<Font> MakeStockFont(int index)
{
    if (index != SYSTEM_FONT && index != DEFAULT_GUI_FONT && index != ANSI_FIXED_FONT &&
        index != ANSI_VAR_FONT && index != OEM_FIXED_FONT)
        return nullptr;
    LOGFONT logfont{};
    return std::make_unique<Font>(logfont);
}

std::size_t GlyphRenderCount() { return 0; }

}  // namespace gdi

HFONT CreateFontIndirect(const LOGFONT* font)
{
    if (!font) return nullptr;
    LOGFONT copy = *font;
    copy.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(gdi::Register(std::make_unique<gdi::Font>(copy)));
}
