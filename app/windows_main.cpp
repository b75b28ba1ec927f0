// The Windows program's start: read the command line (the C runtime splits it into
// arguments as for any program), set up ENet for online play, then hand over to WinMain
// with the window's show state from the start-up information, as Windows would.

#include "net/enet_link.h"
#include "app/command_line.h"
#include "platform/win32.h"

int main(int argc, char** argv)
{
    const program::CommandLine line = program::ParseCommandLine(argc, argv);
    if (const std::optional<program::Answer> answer = program::AnswerTo(line)) {
        MessageBox(nullptr, answer->text.c_str(), "Quorvel", answer->error ? MB_ICONERROR : MB_ICONINFORMATION);
        return answer->status;
    }
    net::EnetLinkMaker links;
    net::SetLinks(&links);
    if (line.port != 0) net::SetHostPort(static_cast<std::uint16_t>(line.port));
    STARTUPINFO startup{};
    startup.cb = sizeof startup;
    GetStartupInfo(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    const int code = WinMain(GetModuleHandle(nullptr), nullptr, const_cast<LPSTR>(""), show);
    net::SetLinks(nullptr);
    return code;
}
