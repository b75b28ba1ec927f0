#include "tests/e2e/x_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kClientSize = 512;
constexpr int kBarHeight = 20;  // the menu bar over the client area

std::uint32_t BigEndian32(const unsigned char* p)
{
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The value of one colour channel under `mask`, scaled to 0..255.
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0) return 0;
    int shift = 0;
    while (!(mask >> shift & 1)) ++shift;
    const std::uint32_t top = mask >> shift;
    return ((pixel & mask) >> shift) * 255 / top;
}

// Reads the display number that Xvfb writes to `fd` once it is ready.
int ReadDisplayNumber(int fd, Seconds limit)
{
    std::string text;
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(limit);
    while (Clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) continue;
        char c;
        if (read(fd, &c, 1) != 1) break;
        if (c == '\n') return text.empty() ? -1 : std::atoi(text.c_str());
        text += c;
    }
    return -1;
}

std::optional<int> Field(const std::string& shell, const std::string& name)
{
    std::istringstream lines(shell);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(name + "=", 0) == 0) return std::atoi(line.c_str() + name.size() + 1);
    return std::nullopt;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, Seconds limit)
{
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(limit);
    while (true) {
        if (done()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

Output Shell(const std::string& command)
{
    Output output;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return output;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.text.append(buffer.data(), n);
    const int status = pclose(pipe);
    output.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

// ---- Picture -------------------------------------------------------------------------

std::optional<Picture> Picture::FromXwd(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return std::nullopt;
    Picture picture;
    picture.bytes.resize(static_cast<std::size_t>(file.tellg()));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(picture.bytes.data()), static_cast<std::streamsize>(picture.bytes.size()));
    const std::vector<unsigned char>& bytes = picture.bytes;
    if (!file || bytes.size() < 100) return std::nullopt;
    auto header = [&](int i) { return BigEndian32(&bytes[4 * i]); };
    const std::uint32_t headerSize = header(0), width = header(4), height = header(5);
    const std::uint32_t bitsPerPixel = header(11), colours = header(19);
    if (header(1) != 7 || (bitsPerPixel != 32 && bitsPerPixel != 24)) return std::nullopt;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.bytesPerPixel = bitsPerPixel / 8;
    picture.bytesPerLine = header(12);
    picture.leastSignificantFirst = header(7) == 0;
    picture.masks = {header(14), header(15), header(16)};
    picture.start = headerSize + std::size_t{colours} * 12;
    if (bytes.size() < picture.start + std::size_t{picture.bytesPerLine} * height) return std::nullopt;
    return picture;
}

std::optional<std::uint32_t> Picture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return std::nullopt;
    const unsigned char* p = &bytes[start + static_cast<std::size_t>(y) * bytesPerLine + x * bytesPerPixel];
    std::uint32_t v = 0;
    for (std::uint32_t b = 0; b < bytesPerPixel; ++b)
        v |= std::uint32_t{p[b]} << (leastSignificantFirst ? 8 * b : 8 * (bytesPerPixel - 1 - b));
    return Channel(v, masks[0]) << 16 | Channel(v, masks[1]) << 8 | Channel(v, masks[2]);
}

// ---- VirtualDisplay ------------------------------------------------------------------

VirtualDisplay::VirtualDisplay()
{
    int fds[2];
    if (pipe(fds) != 0) return;
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        dup2(devnull, STDERR_FILENO);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid > 0) number = ReadDisplayNumber(fds[0], Seconds(60));
    close(fds[0]);
    if (number >= 0) setenv("DISPLAY", Name().c_str(), 1);
}

VirtualDisplay::~VirtualDisplay()
{
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

std::optional<Picture> VirtualDisplay::Screenshot(const std::string& path) const
{
    if (Shell("xwd -root -silent -out " + Quote(path)).status != 0) return std::nullopt;
    return Picture::FromXwd(path);
}

// ---- Process -------------------------------------------------------------------------

Process::Process(const std::string& program, const std::string& directory, const Environment& environment,
                 const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
        if (chdir(directory.c_str()) != 0) _exit(126);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

Process::Process(Process&& other) noexcept : pid(std::exchange(other.pid, -1)), exitCode(other.exitCode) {}

Process::~Process()
{
    if (pid <= 0 || exitCode) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool Process::Running()
{
    if (pid <= 0 || exitCode) return false;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return true;
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
}

std::optional<int> Process::Wait(Seconds limit)
{
    WaitFor([this] { return !Running(); }, limit);
    return exitCode;
}

Process StartGame(const std::string& program, const std::string& directory, Process::Environment environment,
                  const std::vector<std::string>& arguments)
{
    const char* asan = std::getenv("ASAN_OPTIONS");
    environment.emplace_back("ASAN_OPTIONS", std::string(asan ? asan : "") + ":detect_leaks=0");
    return Process(program, directory, environment, arguments);
}

// ---- GameWindow ----------------------------------------------------------------------

std::optional<GameWindow> GameWindow::Find(const std::string& title, Seconds limit, const std::string& except)
{
    GameWindow window;
    const bool found = WaitFor(
        [&] {
            const Output ids = Shell("xdotool search --onlyvisible --name " + Quote(title));
            if (ids.status != 0) return false;
            std::istringstream lines(ids.text);
            for (std::string id; std::getline(lines, id);)
                if (!id.empty() && id != except) {
                    window.id = id;
                    return window.Measure();
                }
            return false;
        },
        limit);
    if (!found) return std::nullopt;
    return window;
}

// A window about as wide as the picture holds the client area at its bottom, under whatever
// stands above it (the menu bar, Wine's title bar); a wider one, full screen, shows the
// frame (menu bar and client area) at the largest whole scale that fits, centred.
bool GameWindow::Measure()
{
    const Output geometry = Shell("xdotool getwindowgeometry --shell " + id);
    const auto x = Field(geometry.text, "X"), y = Field(geometry.text, "Y");
    const auto w = Field(geometry.text, "WIDTH"), h = Field(geometry.text, "HEIGHT");
    if (!x || !y || !w || !h || *w < kClientSize) return false;
    left = *x;
    top = *y;
    width = *w;
    height = *h;
    // A window as wide as its picture has the menu bar above the client area; one that
    // fills the screen shows the picture alone, centred at the largest whole scale.
    scale = std::max(1, std::min(width / kClientSize, height / (kClientSize + kBarHeight)));
    if (width - kClientSize * scale < kClientSize / 8) {
        pictureLeft = left;
        clientTop = top + height - kClientSize * scale;
        return true;
    }
    scale = std::max(1, std::min(width, height) / kClientSize);
    pictureLeft = left + (width - kClientSize * scale) / 2;
    clientTop = top + (height - kClientSize * scale) / 2;
    return true;
}

void GameWindow::MoveTo(int x, int y) const
{
    Shell("xdotool mousemove --sync " + std::to_string(ScreenX(x)) + " " + std::to_string(ScreenY(y)));
}

void GameWindow::Click(int x, int y) const
{
    MoveTo(x, y);
    Shell("xdotool click 1");
}

void GameWindow::Key(const std::string& name) const { Shell("xdotool key " + Quote(name)); }

std::optional<std::uint32_t> ClientPixel(const Picture& picture, const GameWindow& window, int x, int y)
{
    return picture.At(window.ScreenX(x), window.ScreenY(y));
}

}  // namespace e2e

namespace e2e {

std::optional<Picture> WaitForClientPixel(const VirtualDisplay& display, const GameWindow& window, int x, int y,
                                          std::uint32_t colour, const std::string& shot, Seconds limit)
{
    std::optional<Picture> picture;
    const bool seen = WaitFor(
        [&] {
            picture = display.Screenshot(shot);
            return picture && ClientPixel(*picture, window, x, y) == colour;
        },
        limit);
    return seen ? picture : std::nullopt;
}

}  // namespace e2e
