#include "platform/gdi/font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <tuple>

namespace gdi {
namespace {

std::size_t renderedGlyphs = 0;
std::size_t openedFaces = 0;

// FreeType and fontconfig, started once. Every face keeps a reference, so the library
// outlives the last face whatever order static objects are destroyed in.
class Library {
public:
    Library()
    {
        if (FT_Init_FreeType(&freetype) != 0) freetype = nullptr;
        config = FcInitLoadConfigAndFonts();
        if (config) FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(FontConfigFile()), FcFalse);
    }
    ~Library()
    {
        if (config) FcConfigDestroy(config);
        if (freetype) FT_Done_FreeType(freetype);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    FT_Library freetype = nullptr;
    FcConfig* config = nullptr;
};

std::shared_ptr<Library> TheLibrary()
{
    static const std::shared_ptr<Library> library = std::make_shared<Library>();
    return library;
}

struct FaceFile {
    std::string path;
    int index = 0;
};

// fontconfig's best match for the description: the face itself, a face that the
// fontconfig file maps it to, or the default sans.
std::optional<FaceFile> AskFontconfig(Library& library, const LOGFONT& logfont)
{
    if (!library.config) return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    const char* family = logfont.lfFaceName[0] ? logfont.lfFaceName : "sans-serif";
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    const int weight = logfont.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<int>(logfont.lfWeight, 1, 1000);
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, logfont.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(library.config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(library.config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return std::nullopt;
    std::optional<FaceFile> found;
    FcChar8* path = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        found = FaceFile{reinterpret_cast<const char*>(path), index};
    }
    FcPatternDestroy(match);
    return found;
}

// The match for a family, weight and slant, asked of fontconfig once for the run: its
// configuration is loaded once, and asking costs more than a whole frame of a match.
std::optional<FaceFile> Match(Library& library, const LOGFONT& logfont)
{
    using Description = std::tuple<std::string, LONG, bool>;
    static std::map<Description, std::optional<FaceFile>> matches;
    const std::string family(logfont.lfFaceName, strnlen(logfont.lfFaceName, LF_FACESIZE));
    const Description description{family, logfont.lfWeight, logfont.lfItalic != 0};
    if (const auto known = matches.find(description); known != matches.end()) return known->second;
    return matches[description] = AskFontconfig(library, logfont);
}

// A positive height asks for the cell (ascent + descent), a negative one for the
// character height (the em), zero for a default size, as in GDI.
constexpr LONG DefaultCellHeight = 16;

bool SetSize(FT_Face face, LONG height)
{
    if (height < 0) return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(-height)) == 0;
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_REAL_DIM;
    request.height = static_cast<FT_Long>(height == 0 ? DefaultCellHeight : height) * 64;
    return FT_Request_Size(face, &request) == 0;
}

int RoundedPixels(FT_Pos value) { return static_cast<int>((value + 32) >> 6); }

}  // namespace

class FontFace {
public:
    FontFace(std::shared_ptr<Library> library, FT_Face face, LONG height)
        : library(std::move(library)), face(face)
    {
        const int ascender = RoundedPixels(face->size->metrics.ascender);
        const int descender = -RoundedPixels(face->size->metrics.descender);
        cell = height > 0 ? static_cast<int>(height) : std::max(ascender + descender, 1);
        ascent = std::clamp(height > 0 ? cell * ascender / std::max(ascender + descender, 1) : ascender, 0, cell);
    }
    ~FontFace() { FT_Done_Face(face); }
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    std::string Family() const { return face->family_name ? face->family_name : ""; }

    const Glyph& GlyphOf(unsigned char c)
    {
        std::unique_ptr<Glyph>& slot = glyphs[c];
        if (!slot) slot = Render(c);
        return *slot;
    }

    int ascent = 0;
    int cell = 0;

private:
    std::unique_ptr<Glyph> Render(unsigned char c)
    {
        auto glyph = std::make_unique<Glyph>();
        ++renderedGlyphs;
        // Characters are Windows-1252 bytes; the Latin-1 ones map to themselves.
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) return glyph;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph->left = slot->bitmap_left;
        glyph->top = slot->bitmap_top;
        glyph->width = static_cast<int>(bitmap.width);
        glyph->height = static_cast<int>(bitmap.rows);
        glyph->advance = RoundedPixels(slot->advance.x);
        glyph->coverage.resize(static_cast<std::size_t>(glyph->width) * glyph->height);
        for (int y = 0; y < glyph->height; ++y)
            for (int x = 0; x < glyph->width; ++x)
                glyph->coverage[static_cast<std::size_t>(y) * glyph->width + x] = Coverage(bitmap, x, y);
        return glyph;
    }

    static std::uint8_t Coverage(const FT_Bitmap& bitmap, int x, int y)
    {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0;
        return row[x];
    }

    std::shared_ptr<Library> library;
    FT_Face face;
    std::array<std::unique_ptr<Glyph>, 256> glyphs;
};

namespace {

using FaceKey = std::tuple<std::string, int, LONG>;

// Faces by file, index and requested height, kept for the whole run, so that a font
// deleted and created again (each paint cycle does) finds its glyphs ready.
std::shared_ptr<FontFace> OpenFace(const LOGFONT& logfont)
{
    static std::map<FaceKey, std::shared_ptr<FontFace>> faces;
    const std::shared_ptr<Library> library = TheLibrary();
    if (!library->freetype) return nullptr;
    const std::optional<FaceFile> file = Match(*library, logfont);
    if (!file) return nullptr;
    const FaceKey key{file->path, file->index, logfont.lfHeight};
    if (const auto found = faces.find(key); found != faces.end()) return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library->freetype, file->path.c_str(), file->index, &face) != 0) return nullptr;
    if (!SetSize(face, logfont.lfHeight)) {
        FT_Done_Face(face);
        return nullptr;
    }
    ++openedFaces;
    return faces[key] = std::make_shared<FontFace>(library, face, logfont.lfHeight);
}

LOGFONT Describe(LONG height, LONG weight, const char* face)
{
    LOGFONT logfont{};
    logfont.lfHeight = height;
    logfont.lfWeight = weight;
    std::snprintf(logfont.lfFaceName, LF_FACESIZE, "%s", face);
    return logfont;
}

}  // namespace

Font::Font(const LOGFONT& logfont) : Object(Kind::Font), logfont(logfont) {}

FontFace* Font::Face()
{
    if (!face) face = OpenFace(logfont);
    return face.get();
}

std::unique_ptr<Font> MakeStockFont(int index)
{
    switch (index) {
    // The default GUI font is 8-point "MS Shell Dlg": 11 pixels of character height.
    case DEFAULT_GUI_FONT: return std::make_unique<Font>(Describe(-11, FW_NORMAL, "MS Shell Dlg"));
    case ANSI_VAR_FONT: return std::make_unique<Font>(Describe(-11, FW_NORMAL, "MS Sans Serif"));
    case SYSTEM_FONT: return std::make_unique<Font>(Describe(16, FW_BOLD, "System"));
    case ANSI_FIXED_FONT: return std::make_unique<Font>(Describe(13, FW_NORMAL, "Courier"));
    case OEM_FIXED_FONT: return std::make_unique<Font>(Describe(12, FW_NORMAL, "Terminal"));
    default: return nullptr;
    }
}

int Ascent(FontFace& face) { return face.ascent; }
int CellHeight(FontFace& face) { return face.cell; }
const Glyph& GlyphOf(FontFace& face, unsigned char c) { return face.GlyphOf(c); }

std::string FamilyName(FontFace& face) { return face.Family(); }

std::size_t GlyphRenderCount() { return renderedGlyphs; }
std::size_t FaceOpenCount() { return openedFaces; }

std::string FontConfigFileFor(const std::filesystem::path& executable)
{
    std::error_code error;
    if (!executable.empty()) {
        const auto installed = (executable.parent_path() / ".." / "share" / "quorvel" / "fonts.conf").lexically_normal();
        if (std::filesystem::is_regular_file(installed, error)) return installed.string();
    }
    return (std::filesystem::path(QUORVEL_ASSET_DIR) / "fonts.conf").string();
}

const char* FontConfigFile()
{
    std::error_code error;
    static const std::string path = FontConfigFileFor(std::filesystem::read_symlink("/proc/self/exe", error));
    return path.c_str();
}

}  // namespace gdi

HFONT CreateFontIndirect(const LOGFONT* font)
{
    if (!font) return nullptr;
    LOGFONT copy = *font;
    // Face names are cut to 31 characters and always terminated.
    copy.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(gdi::Register(std::make_unique<gdi::Font>(copy)));
}
