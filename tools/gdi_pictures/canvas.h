#pragma once
// A memory DC with its own bitmap, for drawing tests.

#include "platform/win32.h"

#include <algorithm>
#include <string>

class Canvas {
public:
    Canvas(int width, int height, bool monochrome = false, COLORREF background = RGB(255, 255, 255))
        : width(width), height(height)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = monochrome ? CreateBitmap(width, height, 1, 1, nullptr) : CreateBitmap(width, height, 1, 32, nullptr);
        original = SelectObject(dc, bitmap);
        Fill(background);
    }
    ~Canvas()
    {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Fill(COLORREF colour)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) SetPixel(dc, x, y, colour);
    }

    // The canvas as text, one line a row: '.' for `background`, '#' for `ink`, '?' else.
    std::string Picture(COLORREF ink, COLORREF background = RGB(255, 255, 255)) const
    {
        std::string picture;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                picture += c == background ? '.' : c == ink ? '#' : '?';
            }
            picture += '\n';
        }
        return picture;
    }

    // The smallest rectangle holding every pixel that is not `background`.
    RECT Painted(COLORREF background = RGB(255, 255, 255)) const
    {
        RECT box{width, height, 0, 0};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (GetPixel(dc, x, y) != background) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }

    const int width, height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ original;
};
