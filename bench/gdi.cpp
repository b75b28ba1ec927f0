// The software GDI's hot paths: the back-buffer copy against memcpy of the same bytes,
// the masked sprite pair, a frame of bricks and a paddle's name.

#include "platform/gdi/surface.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

// A memory DC with a bitmap of its own.
struct Surface {
    Surface(int width, int height, bool monochrome)
        : dc(CreateCompatibleDC(nullptr)),
          bitmap(CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr)),
          original(SelectObject(dc, bitmap))
    {
    }
    ~Surface()
    {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ original;
};

void BitBltCopy512(benchmark::State& state)
{
    Surface source(512, 512, false), dest(512, 512, false);
    for (auto _ : state) {
        BitBlt(dest.dc, 0, 0, 512, 512, source.dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 512 * 512 * 4);
}
BENCHMARK(BitBltCopy512);

void MemcpySameBytes(benchmark::State& state)
{
    std::vector<std::uint32_t> source(512 * 512), dest(512 * 512);
    for (auto _ : state) {
        std::memcpy(dest.data(), source.data(), source.size() * sizeof(std::uint32_t));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 512 * 512 * 4);
}
BENCHMARK(MemcpySameBytes);

void MaskedPair24(benchmark::State& state)
{
    Surface scene(512, 512, false), mask(24, 24, true), image(24, 24, false);
    SelectObject(mask.dc, GetStockObject(BLACK_BRUSH));
    Ellipse(mask.dc, 0, 0, 24, 24);
    for (auto _ : state) {
        BitBlt(scene.dc, 200, 200, 24, 24, mask.dc, 0, 0, SRCAND);
        BitBlt(scene.dc, 200, 200, 24, 24, image.dc, 0, 0, SRCPAINT);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(MaskedPair24);

void BrickFrame64(benchmark::State& state)
{
    Surface scene(512, 512, false);
    HBRUSH brush = CreateSolidBrush(RGB(200, 40, 40));
    SelectObject(scene.dc, brush);
    for (auto _ : state) {
        for (int row = 0; row < 8; ++row)
            for (int column = 0; column < 8; ++column)
                Rectangle(scene.dc, 156 + 25 * column, 156 + 25 * row, 181 + 25 * column, 181 + 25 * row);
        benchmark::ClobberMemory();
    }
    SelectObject(scene.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}
BENCHMARK(BrickFrame64);

void TextOutName18(benchmark::State& state)
{
    Surface scene(512, 512, false);
    LOGFONT description{};
    description.lfHeight = 18;
    description.lfWeight = FW_NORMAL;
    std::strcpy(description.lfFaceName, "Curier New");
    HFONT font = CreateFontIndirect(&description);
    SelectObject(scene.dc, font);
    SetBkMode(scene.dc, TRANSPARENT);
    for (auto _ : state) {
        TextOut(scene.dc, 200, 470, "Player 1", 8);
        benchmark::ClobberMemory();
    }
    SelectObject(scene.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}
BENCHMARK(TextOutName18);

}  // namespace
