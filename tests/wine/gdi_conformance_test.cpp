// Our GDI against Windows' own: the same picture set drawn by both (ours natively, the
// real one under Wine) must agree pixel for pixel.

#include "tests/e2e/x_display.h"
#include "tests/wine/wine_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Where two PPM pictures first differ, and in how many pixels; empty when they agree.
std::string Difference(const std::string& ours, const std::string& theirs, int width)
{
    if (ours.size() != theirs.size()) return "sizes differ";
    std::size_t header = 0;  // "P6\nW H\n255\n"
    for (int newlines = 0; header < ours.size() && newlines < 3; ++header) newlines += ours[header] == '\n';
    int count = 0;
    std::string first;
    for (std::size_t i = header; i + 2 < ours.size(); i += 3) {
        if (ours.compare(i, 3, theirs, i, 3) == 0) continue;
        if (count++ == 0) {
            const std::size_t pixel = (i - header) / 3;
            first = "first at (" + std::to_string(pixel % width) + ", " + std::to_string(pixel / width) + ")";
        }
    }
    return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first;
}

int WidthOf(const std::string& ppm)
{
    return ppm.size() > 3 ? std::stoi(ppm.substr(3)) : 0;
}

TEST(WineGdi, OurPicturesMatchWindowsPixelForPixel)
{
    if (const auto missing = wine::Missing()) GTEST_SKIP() << *missing;
    const std::string windowsProgram = QUORVEL_WINDOWS_DIR "/gdi-pictures.exe";
    ASSERT_TRUE(fs::exists(windowsProgram)) << windowsProgram << " was not built (is MinGW-w64 installed?)";

    const fs::path root = fs::path(QUORVEL_BUILD_DIR) / "wine" / "gdi";
    const fs::path ours = root / "ours", windows = root / "windows";
    fs::remove_all(root);
    fs::create_directories(ours);
    fs::create_directories(windows);

    ASSERT_EQ(e2e::Shell(e2e::Quote(QUORVEL_GDI_PICTURES) + " " + e2e::Quote(ours.string())).status, 0);
    e2e::VirtualDisplay display;  // Wine's GDI wants a display to start
    ASSERT_TRUE(display.Ready()) << "Xvfb did not start";
    const wine::Prefix prefix((root / "prefix").string());
    ASSERT_TRUE(prefix.Ready()) << prefix.Log();
    const auto code = prefix.Run(windowsProgram, windows.string(), {"."}, e2e::Seconds(120));
    ASSERT_TRUE(code) << "the Windows picture program did not end";
    ASSERT_EQ(*code, 0);
    EXPECT_TRUE(prefix.WaitUntilIdle(e2e::Seconds(60)));

    int compared = 0;
    for (const auto& entry : fs::directory_iterator(ours)) {
        const std::string name = entry.path().filename().string();
        const fs::path theirs = windows / name;
        ASSERT_TRUE(fs::exists(theirs)) << name << " is missing from the Windows set";
        const std::string a = Contents(entry.path()), b = Contents(theirs);
        EXPECT_EQ(Difference(a, b, WidthOf(a)), "") << name << ": ours " << entry.path() << ", Windows' " << theirs;
        ++compared;
    }
    EXPECT_GE(compared, 10) << "the picture set is smaller than expected";
}

}  // namespace
