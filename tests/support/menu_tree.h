#pragma once
// A small object tree for widget and screen tests: a root with the shared settings over
// a 512 x 512 client area and a screen, input fed in at the root as the window would,
// and a 512 x 512 colour surface to paint into, which the root holds as the engine holds
// its back buffer.

#include "platform/win32.h"
#include "model/data.h"
#include "ui/game.h"

#include <memory>

class MenuTree {
public:
    MenuTree()
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(512, 512, 1, 32, nullptr);
        original = SelectObject(dc, bitmap);
        root->memDC = dc;
        root->prepared = true;
        data = new CData(LList<CObject>(false, 1, root.get()));
        data->client = Rect(0, 0, 512, 512);
        screen = new CGame(LList<CObject>(false, 1, root.get()));
    }
    ~MenuTree()
    {
        root.reset();
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    MenuTree(const MenuTree&) = delete;
    MenuTree& operator=(const MenuTree&) = delete;

    LList<CObject> OnScreen() { return LList<CObject>(false, 1, screen); }

    void Move(unsigned int x, unsigned int y) { root->MouseMove(x, y); }
    void Press() { root->MouseDown(0, true); }
    void Release() { root->MouseDown(0, false); }
    void Tap(unsigned int key)
    {
        root->KeyDown(key, true);
        root->KeyDown(key, false);
    }

    // One frame of a widget as the engine runs it: animate, then the input update that
    // forgets presses already seen.
    void Frame(CGraphic& widget)
    {
        widget.Animate();
        root->UpdateInput();
    }

    // Paints the screen once into the surface, in a paint cycle of its own.
    void PaintOnce()
    {
        screen->InitPaint(dc);
        screen->Paint(dc);
        screen->EndPaint(dc);
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }

    std::unique_ptr<CGraphic> root = std::make_unique<CGraphic>(LList<CObject>(false, 0), Rect());
    CData* data;
    CGame* screen;
    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ original;
};

// Live GDI objects of the process.
inline DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }
