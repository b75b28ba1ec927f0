#include "platform/host/headless/program.h"

#include "platform/user/window_system.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace headless {

namespace {
constexpr DWORD kFramePeriod = 20;
// How often the program is asked to end before it is told to quit outright.
constexpr int kPolitePleas = 2;
}  // namespace

struct Program::Handoff {
    std::mutex mutex;
    std::condition_variable changed;
    bool programRunning = true;  // whose turn it is
    bool finished = false;
    bool ending = false;
    int exitCode = 0;
    std::thread thread;
};

Program::Program(Session& s, EntryPoint entry) : session(s), handoff(std::make_unique<Handoff>())
{
    session.Host().SetIdleHook([this] { return IdleHook(); });
    handoff->thread = std::thread([this, entry] {
        const int code = entry(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
        std::lock_guard lock(handoff->mutex);
        handoff->exitCode = code;
        handoff->finished = true;
        handoff->programRunning = false;
        handoff->changed.notify_all();
    });
    std::unique_lock lock(handoff->mutex);
    handoff->changed.wait(lock, [this] { return !handoff->programRunning; });
}

Program::~Program()
{
    for (int plea = 0; !Finished() && plea < kPolitePleas; ++plea) {
        session.Close();
        Run();
    }
    {
        std::lock_guard lock(handoff->mutex);
        handoff->ending = true;
    }
    while (!Finished()) Run();
    handoff->thread.join();
    session.Host().SetIdleHook(nullptr);
}

// Runs on the program's thread whenever it would wait.
bool Program::IdleHook()
{
    std::unique_lock lock(handoff->mutex);
    handoff->programRunning = false;
    handoff->changed.notify_all();
    handoff->changed.wait(lock, [this] { return handoff->programRunning; });
    return !handoff->ending;
}

void Program::Run()
{
    std::unique_lock lock(handoff->mutex);
    if (handoff->finished) return;
    handoff->programRunning = true;
    handoff->changed.notify_all();
    handoff->changed.wait(lock, [this] { return !handoff->programRunning; });
}

void Program::Frames(int n)
{
    for (int i = 0; i < n && !Finished(); ++i) {
        if (!session.AdvanceToNextTimer()) session.Advance(kFramePeriod);
        Run();
    }
}

void Program::MoveTo(int x, int y)
{
    session.MoveTo(x, y);
    Run();
}

void Program::Press(user::input::Button button)
{
    session.Press(button);
    Run();
}

void Program::Release(user::input::Button button)
{
    session.Release(button);
    Run();
}

void Program::Click(int x, int y)
{
    MoveTo(x, y);
    Press(user::input::Button::Left);
    Frames(1);
    Release(user::input::Button::Left);
}

void Program::KeyDown(UINT vk)
{
    session.KeyDown(vk);
    Run();
}

void Program::KeyUp(UINT vk)
{
    session.KeyUp(vk);
    Run();
}

void Program::Wheel(int notches)
{
    session.Wheel(notches);
    Run();
}

void Program::Tap(UINT vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

void Program::Focus(bool gained)
{
    session.Focus(gained);
    Run();
}

void Program::Command(WORD id)
{
    PostMessage(session.Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Run();
}

bool Program::Menu(const std::string& text)
{
    user::Window* window = user::FindWindow(session.Window());
    if (!window || !window->menu) return false;
    const std::vector<POINT> path = window->menu->ClickPath(text);
    for (const POINT& point : path) {
        session.MoveToFrame(point.x, point.y);
        session.Press(user::input::Button::Left);
        session.Release(user::input::Button::Left);
        Run();
    }
    return !path.empty();
}

bool Program::Finished() const
{
    std::lock_guard lock(handoff->mutex);
    return handoff->finished;
}

std::optional<int> Program::ExitCode() const
{
    std::lock_guard lock(handoff->mutex);
    if (!handoff->finished) return std::nullopt;
    return handoff->exitCode;
}

}  // namespace headless
