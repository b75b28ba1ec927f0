#include "app/main_window.h"

#include "online/online.h"

#include "app/command_line.h"
#include "app/gamer.h"
#include "app/pad_watch.h"
#include "app/resources.h"
#include "core/alert.h"
#include "model/data.h"
#include "input/pad_rumble.h"
#include "screens/intro.h"
#include "screens/replay_screen.h"
#include "screens/replay_shelf.h"
#include "screens/replays.h"
#include "ui/get_key.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>

namespace {

constexpr char kClassName[] = "Quorvel";
constexpr char kTitle[] = "Quorvel";
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr int kClientSize = 512;
constexpr unsigned int kFramePeriod = 20;
constexpr unsigned int kTimerId = 1;
// While a match with pad players is paused, or a pad still rumbles with the clock
// stopped, the pads are watched on a timer of their own.
constexpr unsigned int kPadTimerId = 2;

HINSTANCE hInstance = nullptr;
CGamer* theGamer = nullptr;
bool alerting = false;
CPadWatch padWatch;
bool windowActive = false;
bool padTimerSet = false;
std::string watchAtStart;

bool RegisterWindowClass()
{
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProcedure;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIcon(hInstance, MAKEINTRESOURCE(resources::kProgramIcon));
    wc.hIconSm = LoadIcon(hInstance, MAKEINTRESOURCE(resources::kProgramIcon));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszMenuName = MAKEINTRESOURCE(resources::kMenu);
    wc.lpszClassName = kClassName;
    return RegisterClassEx(&wc) != 0;
}

// A 512 x 512 client area centred in the work area (the halves truncate towards zero on
// both sides, so an odd excess gives one pixel more), turned into the window's frame.
RECT CentredWindowRect()
{
    RECT area{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    InflateRect(&area, (kClientSize - width) / 2, (kClientSize - height) / 2);
    AdjustWindowRect(&area, kStyle, TRUE);
    return area;
}

void OpenIntro()
{
    new CIntro(LList<CObject>(false, 1, theGamer));
    theGamer->InitPaint();
}

// The recording plays, or the list of replays says why it cannot.
std::string OpenReplay(const std::string& path)
{
    const LList<CObject> engine(false, 1, theGamer);
    std::string why;
    try {
        CReplayShelf& shelf = theGamer->Require<CReplayShelf>("::OpenReplay");
        new CReplayScreen(std::make_shared<const SReplay>(shelf.Load(path)), engine);
    } catch (const XReplayError& e) {
        why = static_cast<const char*>(e.text);
        new CReplays(engine, e.text);
    }
    theGamer->InitPaint();
    return why;
}

// The Sound item's check mark says whether sound is on.
void ShowSoundSwitch(HWND window, bool on)
{
    CheckMenuItem(GetMenu(window), resources::kSound, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void CreateEngine(HWND window)
{
    padWatch = CPadWatch();
    padTimerSet = false;
    theGamer = new CGamer(window, kFramePeriod, kTimerId);
    ShowSoundSwitch(window, RequireData(theGamer, "::CreateEngine()").sound);
    if (watchAtStart.empty()) {
        OpenIntro();
        return;
    }
    const std::string why = OpenReplay(watchAtStart);
    if (!why.empty()) std::fprintf(stderr, "Quorvel: %s: %s\n", watchAtStart.c_str(), why.c_str());
    watchAtStart.clear();
}

// The engine goes with the window; no later message may reach it.
void DestroyEngine()
{
    CGamer* engine = theGamer;
    theGamer = nullptr;
    struct DeleteOnExit {
        CGamer* engine;
        ~DeleteOnExit()
        {
            delete engine;
            PostQuitMessage(0);
        }
    } guard{engine};
    StopRumbles();
    if (!engine) return;
    engine->SaveSettings();
    engine->EndPaint();
}

// The current screen goes at once, even when a failed hand-over left none at all, and
// `open` builds the next.
template <class Open>
void ReplaceScreen(Open open)
{
    theGamer->SaveSettings();
    theGamer->Pause();
    if (theGamer->GetGame()) theGamer->EndPaint();
    delete theGamer->GetGame();
    theGamer->game = nullptr;
    open();
    theGamer->UnPause();
}

// The game restarts at the intro.
void NewGame() { ReplaceScreen(OpenIntro); }

void ToggleSound(HWND window)
{
    CData& data = RequireData(theGamer, "::ToggleSound()");
    data.sound = !data.sound;
    if (!data.sound) PlaySound(nullptr, nullptr, 0);
    ShowSoundSwitch(window, data.sound);
    theGamer->SaveSettings();
}

// The default players and sides come back, and the game starts again at the intro,
// whose screens then show them.
void ResetPlayers()
{
    RequireData(theGamer, "::ResetPlayers()").ResetPlayers();
    NewGame();
}

// Esc while a key-capture field waits for a key ends the capture, not the program.
bool CancelsKeyCapture(WORD command, WORD source)
{
    constexpr WORD kFromAccelerator = 1;
    return command == resources::kExit && source == kFromAccelerator && CancelKeyCapture(theGamer);
}

// A game with other machines never waits for this one: the others play on, whatever
// this window does.
bool Online() { return theGamer && FindOnline(theGamer); }

// The pad timer runs only while the frame clock does not, so that every tick is either a
// frame or a look at the pads.
void KeepPadTimer(HWND window, unsigned int padsInUse, bool rumbling)
{
    const bool wanted = !theGamer->running && ((padsInUse != 0 && theGamer->paused && windowActive) || rumbling);
    if (wanted == padTimerSet) return;
    if (wanted) {
        padTimerSet = SetTimer(window, kPadTimerId, kFramePeriod, nullptr) != 0;
        return;
    }
    KillTimer(window, kPadTimerId);
    padTimerSet = false;
}

unsigned int PadsInUse()
{
    CGame* screen = theGamer->GetGame();
    return screen ? PadSlotsInUse(screen) : 0;
}

bool RunCommand(HWND window, WORD command);
void ShowPauseCheck(HWND window);

void WatchPads(HWND window)
{
    const unsigned int inUse = PadsInUse();
    const CPadWatch::Request request = padWatch.Poll(inUse);
    // Pads are read in the background too (a rumble ending); only the window with the
    // focus takes their Start.
    if (request == CPadWatch::TogglePause && windowActive) RunCommand(window, resources::kPauseGame);
    if (request == CPadWatch::Pause && !Online()) {
        theGamer->Pause();
        ShowPauseCheck(window);
    }
    KeepPadTimer(window, inUse, ServiceRumbles());
}

// "Pause Game" carries a check mark while the game is paused.
void ShowPauseCheck(HWND window)
{
    CheckMenuItem(GetMenu(window), resources::kPauseGame, MF_BYCOMMAND | (theGamer->paused ? MF_CHECKED : MF_UNCHECKED));
}

// A minimised window shows nothing: pausing or going on there would happen unseen.
void TogglePause(HWND window)
{
    if (!IsIconic(window) && !Online()) theGamer->TogglePaused();
    ShowPauseCheck(window);
}

bool RunCommand(HWND window, WORD command)
{
    switch (command) {
    case resources::kNewGame:
        NewGame();
        ShowPauseCheck(window);
        return true;
    case resources::kBoss: CloseWindow(window); return true;
    case resources::kPauseGame: TogglePause(window); return true;
    case resources::kTilt:
        // Online, a tilt here alone would take this machine's match out of step.
        if (!Online()) theGamer->Tilt();
        return true;
    case resources::kSound: ToggleSound(window); return true;
    case resources::kResetPlayers: ResetPlayers(); return true;
    case resources::kAbout:
        DialogBoxParam(hInstance, MAKEINTRESOURCE(resources::kAboutDialog), window, About, 0);
        return true;
    case resources::kExit: DestroyWindow(window); return true;
    default: return false;
    }
}

// Fine wheels turn by parts of a notch; the game hears whole notches as they add up.
void TurnWheel(int delta)
{
    static int turned = 0;
    turned += delta;
    const int notches = turned / WHEEL_DELTA;
    turned -= notches * WHEEL_DELTA;
    if (notches != 0) theGamer->MouseWheel(notches);
}

bool IsGameMessage(UINT message)
{
    switch (message) {
    case WM_ACTIVATE:
    case WM_PAINT:
    case WM_TIMER:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_COMMAND: return true;
    default: return false;
    }
}

// Messages that the game handles; the rest, and everything the game leaves to the
// system as well, go to DefWindowProc.
LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: CreateEngine(window); return 0;
    case WM_DESTROY: DestroyEngine(); return 0;
    case WM_PAINT: theGamer->Paint(); return 0;
    case WM_TIMER:
        if (wParam != kPadTimerId) theGamer->Tick();
        WatchPads(window);
        return 0;
    case WM_COMMAND:
        if (CancelsKeyCapture(LOWORD(wParam), HIWORD(wParam))) return 0;
        if (RunCommand(window, LOWORD(wParam))) {
            if (theGamer) KeepPadTimer(window, PadsInUse(), ServiceRumbles());
            return 0;
        }
        break;
    case WM_ACTIVATE:
        windowActive = LOWORD(wParam) != WA_INACTIVE;
        if (windowActive)
            theGamer->Start();
        else if (!Online())
            theGamer->Stop();
        KeepPadTimer(window, PadsInUse(), ServiceRumbles());
        break;
    case WM_KEYDOWN: theGamer->KeyDown(static_cast<unsigned int>(wParam), true); break;
    case WM_KEYUP: theGamer->KeyDown(static_cast<unsigned int>(wParam), false); break;
    case WM_MOUSEMOVE: theGamer->MouseMove(LOWORD(lParam), HIWORD(lParam)); break;
    case WM_LBUTTONDOWN: theGamer->MouseDown(0, true); break;
    case WM_LBUTTONUP: theGamer->MouseDown(0, false); break;
    case WM_RBUTTONDOWN: theGamer->MouseDown(1, true); break;
    case WM_RBUTTONUP: theGamer->MouseDown(1, false); break;
    case WM_MBUTTONDOWN: theGamer->MouseDown(2, true); break;
    case WM_MBUTTONUP: theGamer->MouseDown(2, false); break;
    case WM_MOUSEWHEEL: TurnWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    default: break;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

// A fatal failure ends the program with a failing exit code, saying why.
[[noreturn]] void Die(const char* what)
{
    std::fprintf(stderr, "Quorvel: %s\n", what);
    std::exit(EXIT_FAILURE);
}

LRESULT ShowException(const XException& e)
{
    const str message = e.where + str(": ") + e.text;
    alerting = true;
    Alert(message, str("Exception Caught"), MB_ICONERROR);
    alerting = false;
    if (e.fatal) Die(message);
    return 0;
}

}  // namespace

CGamer* CurrentGamer() { return theGamer; }

void WatchAtStart(const std::string& path) { watchAtStart = path; }

std::string WatchReplay(const std::string& path)
{
    if (!theGamer) return "the program has no window";
    std::string why;
    ReplaceScreen([&] { why = OpenReplay(path); });
    return why;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (alerting) return DefWindowProc(window, message, wParam, lParam);
    if (message != WM_CREATE && !theGamer && IsGameMessage(message))
        return DefWindowProc(window, message, wParam, lParam);
    try {
        return Handle(window, message, wParam, lParam);
    } catch (const XException& e) {
        return ShowException(e);
    } catch (const std::exception& e) {
        Die(e.what());
    } catch (...) {
        Die("an unknown exception ended the program.");
    }
}

INT_PTR CALLBACK About(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCmd)
{
    std::srand(static_cast<unsigned int>(std::time(nullptr)));
#ifdef _WIN32
    const program::CommandLine line = program::ParseCommandLine(__argc, __argv);
    if (line.action == program::CommandLine::Action::Play && !line.watch.empty()) WatchAtStart(line.watch);
#endif
    hInstance = instance;
    resources::Register();
    if (!RegisterWindowClass()) return 0;

    const RECT frame = CentredWindowRect();
    HWND window = CreateWindow(kClassName, kTitle, kStyle, frame.left, frame.top, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr, hInstance, nullptr);
    if (!window) return 0;
    ShowWindow(window, showCmd);
    UpdateWindow(window);

    HACCEL accelerators = LoadAccelerators(hInstance, MAKEINTRESOURCE(resources::kAccelerators));
    MSG msg{};
    while (GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAccelerator(msg.hwnd, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return static_cast<int>(msg.wParam);
}
