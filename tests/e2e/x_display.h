#pragma once
// The real game under a virtual X display: Xvfb on a display number it picks itself,
// the game as a child process, xdotool for the pointer and keys, xwd for screenshots.
// Every wait polls with a deadline, so a slow machine only makes the test slower.

#include <sys/types.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

using Seconds = std::chrono::duration<double>;

// Polls `done` every 50 ms until it holds or `limit` has passed; its last answer.
bool WaitFor(const std::function<bool()>& done, Seconds limit);

// A shell command's standard output, with its exit status.
struct Output {
    int status = -1;
    std::string text;
};
Output Shell(const std::string& command);
std::string Quote(const std::string& text);

// An X screenshot of the whole screen, kept as the file's bytes: a pixel is decoded
// when it is asked for, so that polling the screen stays cheap.
class Picture {
public:
    // Reads an XWD file of a 24- or 32-bit TrueColor screen; empty on failure.
    static std::optional<Picture> FromXwd(const std::string& path);

    int Width() const { return width; }
    int Height() const { return height; }
    // 0xRRGGBB, or nothing outside the picture.
    std::optional<std::uint32_t> At(int x, int y) const;

private:
    int width = 0;
    int height = 0;
    std::uint32_t bytesPerPixel = 4;
    std::uint32_t bytesPerLine = 0;
    bool leastSignificantFirst = true;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue
    std::size_t start = 0;                 // where the pixels begin
    std::vector<unsigned char> bytes;
};

// Xvfb, started on a free display and stopped with the object. Sets DISPLAY for the
// processes this one starts.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool Ready() const { return number >= 0; }
    std::string Name() const { return ":" + std::to_string(number); }
    std::optional<Picture> Screenshot(const std::string& path) const;

private:
    pid_t pid = -1;
    int number = -1;
};

// A program started in `directory`, killed with the object unless it ended.
class Process {
public:
    using Environment = std::vector<std::pair<std::string, std::string>>;
    Process(const std::string& program, const std::string& directory, const Environment& environment = {},
            const std::vector<std::string>& arguments = {});
    Process(Process&& other) noexcept;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return pid > 0; }
    // The exit code once it has ended within `limit` (-1 for a signal), else nothing.
    std::optional<int> Wait(Seconds limit);
    bool Running();

private:
    pid_t pid = -1;
    std::optional<int> exitCode;
};

// The game started in `directory`. A sanitized build keeps every check but the leak
// check at exit: SDL leaves D-Bus's blocks behind there, with stacks that cannot be
// told apart from ours (the game's own code is leak-checked on the headless host).
Process StartGame(const std::string& program, const std::string& directory, Process::Environment environment = {},
                  const std::vector<std::string>& arguments = {});

// The game's window on the display: where its client area is on the screen and how
// large one client pixel is drawn.
class GameWindow {
public:
    // Polls xdotool until a window with this title is mapped (other than the window
    // `except`); nothing on timeout.
    static std::optional<GameWindow> Find(const std::string& title, Seconds limit, const std::string& except = "");

    // Reads the window's place and size again (after it went full screen, say).
    bool Measure();

    // Screen position of the centre of client pixel (x, y).
    int ScreenX(int x) const { return pictureLeft + x * scale + scale / 2; }
    int ScreenY(int y) const { return clientTop + y * scale + scale / 2; }

    void MoveTo(int x, int y) const;
    // A click as quick as xdotool makes it: press and release with no pause between.
    void Click(int x, int y) const;
    void Key(const std::string& name) const;

    std::string id;
    int left = 0, top = 0, width = 0, height = 0;
    int scale = 1;
    int pictureLeft = 0;  // screen column of the picture's left edge
    int clientTop = 0;
};

// The client pixel (x, y) of the window in a screenshot.
std::optional<std::uint32_t> ClientPixel(const Picture& picture, const GameWindow& window, int x, int y);

}  // namespace e2e

namespace e2e {

// Screenshots into `shot` until client pixel (x, y) has `colour` (0xRRGGBB) or `limit`
// has passed: the first picture that had it.
std::optional<Picture> WaitForClientPixel(const VirtualDisplay& display, const GameWindow& window, int x, int y,
                        std::uint32_t colour, const std::string& shot, Seconds limit);

}  // namespace e2e
