#pragma once
// GDI objects and the handle table that owns them. A handle is a number that is never
// reused, so a deleted or invented handle is simply not found: every entry point looks
// its handles up here and fails the Win32 way instead of touching freed memory.

#include "platform/gdi/surface.h"

#include <cstddef>
#include <memory>

namespace gdi {

enum class Kind { Pen, Brush, Font, Bitmap, DC };

class Object {
public:
    explicit Object(Kind kind) : kind(kind) {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    const Kind kind;
    bool stock = false;
    // How many device contexts have this object selected; a selected object cannot be
    // deleted.
    int selections = 0;
};

// Pens and brushes are a colour or nothing (the null pen and the null brush).
class Pen : public Object {
public:
    Pen(bool null, COLORREF color) : Object(Kind::Pen), null(null), color(color) {}
    const bool null;
    const COLORREF color;
};

class Brush : public Object {
public:
    Brush(bool null, COLORREF color) : Object(Kind::Brush), null(null), color(color) {}
    const bool null;
    const COLORREF color;
};

class Bitmap : public Object {
public:
    Bitmap(int width, int height, bool monochrome)
        : Object(Kind::Bitmap), surface(width, height, monochrome) {}
    Surface surface;
};

// Takes ownership of a new object and returns its handle.
HGDIOBJ Register(std::unique_ptr<Object> object);

// The object behind a handle if it is live and of that kind, else null.
Object* Find(HGDIOBJ handle);
Object* Find(HGDIOBJ handle, Kind kind);
template <class T>
T* FindAs(HGDIOBJ handle, Kind kind)
{
    return static_cast<T*>(Find(handle, kind));
}

// Destroys the object behind a handle; false when there is none.
bool Unregister(HGDIOBJ handle);

// Live objects that the program created (stock objects are not counted).
std::size_t CreatedObjectCount();

// Registers a stock object under its fixed handle (done once, on first use).
HGDIOBJ RegisterStock(int index, std::unique_ptr<Object> object);
HGDIOBJ StockHandle(int index);

// The 1 x 1 monochrome bitmap that every new memory DC starts with, as on Windows.
HBITMAP DefaultBitmap();

}  // namespace gdi
