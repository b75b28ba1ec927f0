#include "platform/host/sdl/sdl_pads.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace sdlhost {
namespace {

// SDL's controls and XInput's buttons, pair by pair.
struct ButtonPair {
    SDL_GameControllerButton sdl;
    WORD xinput;
};
constexpr ButtonPair kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, XINPUT_GAMEPAD_A},
    {SDL_CONTROLLER_BUTTON_B, XINPUT_GAMEPAD_B},
    {SDL_CONTROLLER_BUTTON_X, XINPUT_GAMEPAD_X},
    {SDL_CONTROLLER_BUTTON_Y, XINPUT_GAMEPAD_Y},
    {SDL_CONTROLLER_BUTTON_BACK, XINPUT_GAMEPAD_BACK},
    {SDL_CONTROLLER_BUTTON_START, XINPUT_GAMEPAD_START},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, XINPUT_GAMEPAD_LEFT_THUMB},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, XINPUT_GAMEPAD_RIGHT_THUMB},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, XINPUT_GAMEPAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, XINPUT_GAMEPAD_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, XINPUT_GAMEPAD_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, XINPUT_GAMEPAD_DPAD_RIGHT},
};

// SDL's y axes grow downwards, XInput's upwards; SDL's -32768 has no positive twin.
SHORT Upwards(Sint16 value) { return static_cast<SHORT>(-std::max<int>(value, -32767)); }

// SDL's triggers run from 0 to 32767, XInput's from 0 to 255.
BYTE TriggerOf(Sint16 value) { return static_cast<BYTE>(std::max<int>(value, 0) * 255 / 32767); }

// The platform a mapping line is meant for, or empty when it names none.
std::string PlatformOf(const std::string& line)
{
    const std::string key = "platform:";
    const std::size_t at = line.find(key);
    if (at == std::string::npos) return "";
    const std::size_t from = at + key.size();
    return line.substr(from, line.find(',', from) - from);
}

bool Blank(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

// Text from a file as a report shows it: cut short, unprintable bytes as '?'.
std::string Shown(const std::string& text)
{
    constexpr std::size_t kLongest = 200;
    std::string shown;
    for (const char c : text.substr(0, kLongest)) shown += c >= ' ' && c <= '~' ? c : '?';
    return text.size() > kLongest ? shown + "..." : shown;
}

// The first few lines that are not mappings are named; the rest are counted.
constexpr int kNamedBadLines = 3;

}  // namespace

std::string UserMappingFile()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path base;
    if (config && *config)
        base = config;
    else if (home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        return "";
    return (base / "quorvel" / "gamecontrollerdb.txt").string();
}

int LoadMappingFile(const std::string& path)
{
    const std::string shownPath = Shown(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        std::fprintf(stderr, "quorvel: pad mappings: %s is not a file that can be read\n", shownPath.c_str());
        return 0;
    }
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "quorvel: pad mappings: cannot read %s\n", shownPath.c_str());
        return 0;
    }
    int added = 0, bad = 0;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (Blank(line) || line.front() == '#') continue;
        const std::string platform = PlatformOf(line);
        if (!platform.empty() && platform != SDL_GetPlatform()) continue;
        if (SDL_GameControllerAddMapping(line.c_str()) >= 0)
            ++added;
        else if (++bad <= kNamedBadLines)
            std::fprintf(stderr, "quorvel: pad mappings: %s:%d is not a controller mapping (%s)\n", shownPath.c_str(),
                         number, Shown(SDL_GetError()).c_str());
    }
    if (bad > kNamedBadLines)
        std::fprintf(stderr, "quorvel: pad mappings: %s: %d more lines are not controller mappings\n",
                     shownPath.c_str(), bad - kNamedBadLines);
    return added;
}

SdlPads::SdlPads()
{
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "quorvel: cannot read pads: %s\n", SDL_GetError());
        return;
    }
    ready = true;
    const std::string mappings = UserMappingFile();
    std::error_code error;
    if (!mappings.empty() && std::filesystem::exists(mappings, error)) LoadMappingFile(mappings);
    SDL_AddEventWatch(Watch, this);
}

SdlPads::~SdlPads()
{
    if (!ready) return;
    SDL_DelEventWatch(Watch, this);
    for (SDL_GameController*& pad : slots)
        if (pad) SDL_GameControllerClose(pad);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

// Runs inside SDL's event pump: it only notes that the slots need a look.
int SDLCALL SdlPads::Watch(void* self, SDL_Event* event)
{
    switch (event->type) {
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
        static_cast<SdlPads*>(self)->changed = true;
        break;
    default:
        break;
    }
    return 1;
}

// Pads that went free their slots; new ones take the first free slot.
void SdlPads::Refresh()
{
    changed = false;
    for (SDL_GameController*& pad : slots) {
        if (pad && !SDL_GameControllerGetAttached(pad)) {
            SDL_GameControllerClose(pad);
            pad = nullptr;
        }
    }
    for (int device = 0; device < SDL_NumJoysticks(); ++device)
        if (SDL_IsGameController(device) && !Holds(SDL_JoystickGetDeviceInstanceID(device))) Open(device);
}

bool SdlPads::Holds(SDL_JoystickID id) const
{
    for (SDL_GameController* pad : slots)
        if (pad && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) return true;
    return false;
}

void SdlPads::Open(int device)
{
    SDL_GameController** free = std::find(std::begin(slots), std::end(slots), nullptr);
    if (free == std::end(slots)) return;  // four pads are all the game reads
    *free = SDL_GameControllerOpen(device);
    if (!*free) std::fprintf(stderr, "quorvel: cannot open pad %d: %s\n", device, SDL_GetError());
}

// Fetches the state of every pad, and finds pads that came or went. With no pad to
// fetch, new ones are looked for a few times a second: looking asks the system each time.
void SdlPads::Update()
{
    const Uint32 now = SDL_GetTicks();
    if (lastUpdate && (now == *lastUpdate || (!AnyOpen() && now - *lastUpdate < kLookForPadsMs))) return;
    lastUpdate = now;
    SDL_GameControllerUpdate();
}

bool SdlPads::AnyOpen() const
{
    return std::any_of(std::begin(slots), std::end(slots), [](SDL_GameController* pad) { return pad != nullptr; });
}

// A pad pulled out since the last update is gone at once, even before its removal is seen.
SDL_GameController* SdlPads::Plugged(DWORD slot)
{
    if (!ready || slot >= XUSER_MAX_COUNT) return nullptr;
    Update();
    if (changed) Refresh();
    SDL_GameController* pad = slots[slot];
    return pad && SDL_GameControllerGetAttached(pad) ? pad : nullptr;
}

bool SdlPads::Read(DWORD slot, XINPUT_GAMEPAD& gamepad)
{
    SDL_GameController* pad = Plugged(slot);
    if (!pad) return false;
    XINPUT_GAMEPAD now{};
    for (const ButtonPair& button : kButtons)
        if (SDL_GameControllerGetButton(pad, button.sdl)) now.wButtons |= button.xinput;
    now.bLeftTrigger = TriggerOf(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    now.bRightTrigger = TriggerOf(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    now.sThumbLX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    now.sThumbLY = Upwards(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    now.sThumbRX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX);
    now.sThumbRY = Upwards(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY));
    gamepad = now;
    return true;
}

const char* SdlPads::Name(DWORD slot)
{
    SDL_GameController* pad = Plugged(slot);
    const char* name = pad ? SDL_GameControllerName(pad) : nullptr;
    return name ? name : "";
}

bool SdlPads::CanRumble(DWORD slot)
{
    SDL_GameController* pad = Plugged(slot);
    return pad && SDL_GameControllerHasRumble(pad);
}

// XInput's motors run until they are set again; SDL's rumble lasts at most this long.
bool SdlPads::Rumble(DWORD slot, WORD low, WORD high)
{
    constexpr Uint32 kLongest = 0xFFFF;
    SDL_GameController* pad = Plugged(slot);
    if (!pad) return false;
    SDL_GameControllerRumble(pad, low, high, low || high ? kLongest : 0);
    return true;
}

}  // namespace sdlhost
