#include "platform/gdi/objects.h"

#include "platform/gdi/dc.h"
#include "platform/gdi/font.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace gdi {
namespace {

// Stock handles sit below the first created one, at fixed places by stock index.
constexpr std::uintptr_t StockBase = 0x100;
constexpr std::uintptr_t DefaultBitmapIndex = 0xFF;
constexpr std::uintptr_t FirstCreated = 0x10000;

struct Table {
    std::unordered_map<std::uintptr_t, std::unique_ptr<Object>> objects;
    std::uintptr_t next = FirstCreated;
    std::size_t created = 0;
};

Table& TheTable()
{
    static Table table;
    return table;
}

std::uintptr_t Key(HGDIOBJ handle) { return reinterpret_cast<std::uintptr_t>(handle); }
HGDIOBJ HandleOf(std::uintptr_t key) { return reinterpret_cast<HGDIOBJ>(key); }

}  // namespace

HGDIOBJ Register(std::unique_ptr<Object> object)
{
    Table& table = TheTable();
    const std::uintptr_t key = table.next++;
    table.objects.emplace(key, std::move(object));
    ++table.created;
    return HandleOf(key);
}

HGDIOBJ StockHandle(int index)
{
    return HandleOf(StockBase + static_cast<std::uintptr_t>(index));
}

HGDIOBJ RegisterStock(int index, std::unique_ptr<Object> object)
{
    object->stock = true;
    const HGDIOBJ handle = StockHandle(index);
    TheTable().objects.emplace(Key(handle), std::move(object));
    return handle;
}

Object* Find(HGDIOBJ handle)
{
    Table& table = TheTable();
    const auto found = table.objects.find(Key(handle));
    return found == table.objects.end() ? nullptr : found->second.get();
}

Object* Find(HGDIOBJ handle, Kind kind)
{
    Object* object = Find(handle);
    return object && object->kind == kind ? object : nullptr;
}

bool Unregister(HGDIOBJ handle)
{
    Table& table = TheTable();
    const auto found = table.objects.find(Key(handle));
    if (found == table.objects.end() || found->second->stock) return false;
    table.objects.erase(found);
    --table.created;
    return true;
}

std::size_t CreatedObjectCount()
{
    return TheTable().created;
}

HBITMAP DefaultBitmap()
{
    const int index = static_cast<int>(DefaultBitmapIndex);
    if (!Find(StockHandle(index))) RegisterStock(index, std::make_unique<Bitmap>(1, 1, true));
    return static_cast<HBITMAP>(StockHandle(index));
}

}  // namespace gdi

// Win32 entry points for objects.

namespace gdi {
namespace {

std::unique_ptr<Object> MakeStockObject(int index)
{
    switch (index) {
    case WHITE_BRUSH: return std::make_unique<Brush>(false, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return std::make_unique<Brush>(false, RGB(192, 192, 192));
    case GRAY_BRUSH: return std::make_unique<Brush>(false, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return std::make_unique<Brush>(false, RGB(64, 64, 64));
    case BLACK_BRUSH: return std::make_unique<Brush>(false, RGB(0, 0, 0));
    case NULL_BRUSH: return std::make_unique<Brush>(true, 0);
    case WHITE_PEN: return std::make_unique<Pen>(false, RGB(255, 255, 255));
    case BLACK_PEN: return std::make_unique<Pen>(false, RGB(0, 0, 0));
    case NULL_PEN: return std::make_unique<Pen>(true, 0);
    default: return MakeStockFont(index);
    }
}

// Monochrome rows of CreateBitmap's bits are padded to 16 bits, most significant bit
// leftmost, as Windows lays them out.
void ImportMonochrome(Surface& surface, const BYTE* bits)
{
    const int stride = (surface.Width() + 15) / 16 * 2;
    for (int y = 0; y < surface.Height(); ++y) {
        const BYTE* row = bits + static_cast<std::size_t>(y) * stride;
        std::uint32_t* out = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) out[x] = (row[x / 8] >> (7 - x % 8)) & 1u;
    }
}

void ImportColour(Surface& surface, const BYTE* bits)
{
    std::memcpy(surface.Data(), bits,
                static_cast<std::size_t>(surface.Width()) * surface.Height() * sizeof(std::uint32_t));
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) surface.Row(y)[x] &= 0xFFFFFF;
}

HBITMAP NewBitmap(int width, int height, bool monochrome)
{
    if (width <= 0 || height <= 0) return nullptr;
    return static_cast<HBITMAP>(Register(std::make_unique<Bitmap>(width, height, monochrome)));
}

HGDIOBJ* SlotFor(DeviceContext& dc, Kind kind)
{
    switch (kind) {
    case Kind::Pen: return &dc.pen;
    case Kind::Brush: return &dc.brush;
    case Kind::Font: return &dc.font;
    case Kind::Bitmap: return &dc.bitmap;
    case Kind::DC: return nullptr;
    }
    return nullptr;
}

// A bitmap goes into one memory DC at a time (the default bitmap into any number).
bool CanSelect(const DeviceContext& dc, const Object& object, HGDIOBJ handle)
{
    if (object.kind != Kind::Bitmap) return true;
    if (!dc.Memory()) return false;
    return object.stock || object.selections == 0 || dc.bitmap == handle;
}

}  // namespace
}  // namespace gdi

using gdi::Kind;

HGDIOBJ GetStockObject(int index)
{
    if (index < WHITE_BRUSH || index > DEFAULT_GUI_FONT) return nullptr;
    const HGDIOBJ handle = gdi::StockHandle(index);
    if (gdi::Find(handle)) return handle;
    std::unique_ptr<gdi::Object> object = gdi::MakeStockObject(index);
    return object ? gdi::RegisterStock(index, std::move(object)) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    return static_cast<HBRUSH>(gdi::Register(std::make_unique<gdi::Brush>(false, color & 0xFFFFFF)));
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    // Only one-pixel pens are drawn; wider ones are refused rather than drawn thin.
    if ((style != PS_SOLID && style != PS_NULL) || width < 0 || width > 1) return nullptr;
    return static_cast<HPEN>(gdi::Register(std::make_unique<gdi::Pen>(style == PS_NULL, color & 0xFFFFFF)));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    const gdi::Surface* surface = gdi::SurfaceOf(dc);
    if (!surface) return nullptr;
    // Compatible with a memory DC means like the bitmap selected in it, so a fresh memory
    // DC yields monochrome bitmaps, as on Windows.
    return gdi::NewBitmap(width, height, surface->Monochrome());
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) return nullptr;
    const HBITMAP bitmap = gdi::NewBitmap(width, height, bitsPerPixel == 1);
    if (!bitmap || !bits) return bitmap;
    gdi::Surface& surface = gdi::FindAs<gdi::Bitmap>(bitmap, Kind::Bitmap)->surface;
    if (bitsPerPixel == 1) gdi::ImportMonochrome(surface, static_cast<const BYTE*>(bits));
    else gdi::ImportColour(surface, static_cast<const BYTE*>(bits));
    return bitmap;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    gdi::DeviceContext* context = gdi::FindDC(dc);
    gdi::Object* selected = gdi::Find(object);
    if (!context || !selected) return nullptr;
    HGDIOBJ* slot = gdi::SlotFor(*context, selected->kind);
    if (!slot || !gdi::CanSelect(*context, *selected, object)) return nullptr;
    const HGDIOBJ previous = *slot;
    if (previous == object) return previous;
    if (gdi::Object* old = gdi::Find(previous)) --old->selections;
    ++selected->selections;
    *slot = object;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object)
{
    const gdi::Object* found = gdi::Find(object);
    if (!found || found->kind == Kind::DC) return FALSE;
    // Stock objects are never deleted; asking to is a harmless success, as on Windows.
    if (found->stock) return TRUE;
    // An object selected into a DC stays alive: the DC would be left pointing at nothing.
    if (found->selections > 0) return FALSE;
    return gdi::Unregister(object) ? TRUE : FALSE;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type)
{
    const gdi::DeviceContext* context = gdi::FindDC(dc);
    if (!context) return nullptr;
    switch (type) {
    case OBJ_PEN: return context->pen;
    case OBJ_BRUSH: return context->brush;
    case OBJ_FONT: return context->font;
    case OBJ_BITMAP: return context->bitmap;
    default: return nullptr;
    }
}

DWORD GetObjectType(HGDIOBJ object)
{
    const gdi::Object* found = gdi::Find(object);
    if (!found) return 0;
    switch (found->kind) {
    case Kind::Pen: return OBJ_PEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Font: return OBJ_FONT;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::DC: return static_cast<const gdi::DeviceContext*>(found)->Memory() ? OBJ_MEMDC : OBJ_DC;
    }
    return 0;
}

// Rows are counted from the bottom of the picture, as in a DIB; a top-down request
// (negative height) gets them top first.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage)
{
    const gdi::Bitmap* source = gdi::FindAs<gdi::Bitmap>(bitmap, gdi::Kind::Bitmap);
    if (!dc || !source || !info || usage != DIB_RGB_COLORS) return 0;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const gdi::Surface& surface = source->surface;
    if (header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth != surface.Width() ||
        std::abs(header.biHeight) != surface.Height() || surface.Monochrome())
        return 0;
    const int height = surface.Height();
    const int count = static_cast<int>(std::min<UINT>(lines, start < static_cast<UINT>(height) ? height - start : 0));
    if (!bits) return count;
    auto* out = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < count; ++i) {
        const int fromBottom = static_cast<int>(start) + i;
        const int y = header.biHeight < 0 ? fromBottom : height - 1 - fromBottom;
        std::memcpy(out + static_cast<std::size_t>(i) * surface.Width(), surface.Row(y),
                    sizeof(std::uint32_t) * static_cast<std::size_t>(surface.Width()));
    }
    return count;
}
