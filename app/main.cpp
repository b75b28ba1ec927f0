// The program's start on systems without Win32: read the command line, start the SDL
// host, then hand over to WinMain as Windows start-up would.

#include "net/enet_link.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "platform/host/sdl/sdl_audio.h"
#include "platform/host/sdl/sdl_host.h"
#include "platform/host/sdl/sdl_pads.h"
#include "platform/user/window_system.h"

#include <cstdio>

namespace {

constexpr int kNoDisplay = 1;

}  // namespace

int main(int argc, char** argv)
{
    const program::CommandLine line = program::ParseCommandLine(argc, argv);
    if (const std::optional<program::Answer> answer = program::AnswerTo(line)) {
        std::fputs(answer->text.c_str(), answer->error ? stderr : stdout);
        return answer->status;
    }
    sdlhost::SdlHost host;
    if (!host.Ready()) return kNoDisplay;
    host.StartFullscreen(line.fullscreen);
    user::InstallHost(&host);
    sdlhost::SdlAudio audio;
    if (audio.Ready()) sound::InstallOutput(&audio);
    sdlhost::SdlPads pads;  // without them the game runs with every pad slot empty
    xinput::InstallPadHost(&pads);
    net::EnetLinkMaker links;
    net::SetLinks(&links);
    if (line.port != 0) net::SetHostPort(static_cast<std::uint16_t>(line.port));
    if (!line.watch.empty()) WatchAtStart(line.watch);
    const int code = WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL);
    user::ResetWindowSystem();
    xinput::InstallPadHost(nullptr);
    net::SetLinks(nullptr);
    user::InstallHost(nullptr);
    sound::InstallOutput(nullptr);
    return code;
}
