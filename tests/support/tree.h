#pragma once
// A small object tree for tests of game objects: a root with the shared settings over a
// 512 x 512 field, and a colour surface with a device context to paint into.

#include "core/object.h"
#include "platform/gdi/surface.h"
#include "model/data.h"

namespace testing_support {

class Tree {
public:
    Tree() : surface(512, 512, false)
    {
        root = new CObject(LList<CObject>(false, 0));
        data = new CData(LList<CObject>(false, 1, root));
        data->client = Rect(0, 0, 512, 512);
        dc = gdi::CreateSurfaceDC(&surface);
    }
    ~Tree()
    {
        delete root;
        DeleteDC(dc);
    }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    LList<CObject> Under() const { return LList<CObject>(false, 1, root); }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, x, y); }
    void Fill(COLORREF color)
    {
        HBRUSH b = CreateSolidBrush(color);
        HGDIOBJ oldBrush = SelectObject(dc, b);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        Rectangle(dc, 0, 0, 513, 513);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(b);
    }

    gdi::Surface surface;
    CObject* root;
    CData* data;
    HDC dc;
};

}  // namespace testing_support
