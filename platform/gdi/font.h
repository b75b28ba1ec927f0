#pragma once
// Fonts: a LOGFONT as the program asked for it, and the face that fontconfig and
// FreeType resolve it to, with its rendered glyphs.

#include "platform/gdi/gdi32.h"
#include "platform/gdi/objects.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace gdi {

// One rendered character: a coverage bitmap (0..255) placed relative to the pen position
// on the baseline, and how far the pen moves on.
struct Glyph {
    int left = 0;
    int top = 0;  // rows from the top of the bitmap up to the baseline
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;
};

// A face at one pixel size. Shared by every font that resolves to the same file, index
// and size, so each glyph is rendered once however many fonts use it.
class FontFace;

class Font : public Object {
public:
    explicit Font(const LOGFONT& logfont);
    const LOGFONT logfont;
    // The resolved face, opened on first use; null only when no font file is usable.
    FontFace* Face();

private:
    std::shared_ptr<FontFace> face;
};

// The stock font for a GetStockObject index, or null for another index.
std::unique_ptr<Font> MakeStockFont(int index);

// Ascent and cell height (ascent + descent) of a face, in pixels.
int Ascent(FontFace& face);
int CellHeight(FontFace& face);
// The glyph of a character, rendered on first use and kept with the face.
const Glyph& GlyphOf(FontFace& face, unsigned char c);

// The family name of the font file a face was resolved to.
std::string FamilyName(FontFace& face);

// How many glyph bitmaps have been rendered since start-up.
std::size_t GlyphRenderCount();
// How many faces (a font file at one size) have been opened since start-up.
std::size_t FaceOpenCount();

// The fontconfig file that maps the program's Windows face names to installed fonts:
// the installed copy beside the running program (<prefix>/bin/quorvel reads
// <prefix>/share/quorvel/fonts.conf), else the one in the source tree.
const char* FontConfigFile();
// The same choice for the program at `executable` (empty: the source tree's file).
std::string FontConfigFileFor(const std::filesystem::path& executable);

}  // namespace gdi
