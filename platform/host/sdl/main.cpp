// The program's start on systems without Win32: start the SDL host, then hand over
// to WinMain as Windows start-up would.

#include "platform/host/sdl/sdl_audio.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/host/sdl/sdl_pads.h"
#include "platform/user/window_system.h"

int main()
{
    sdlhost::SdlHost host;
    if (!host.Ready()) return 1;
    user::InstallHost(&host);
    sdlhost::SdlAudio audio;
    if (audio.Ready()) sound::InstallOutput(&audio);
    sdlhost::SdlPads pads;  // without them the game runs with every pad slot empty
    xinput::InstallPadHost(&pads);
    const int code = WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    user::ResetWindowSystem();
    xinput::InstallPadHost(nullptr);
    user::InstallHost(nullptr);
    sound::InstallOutput(nullptr);
    return code;
}
