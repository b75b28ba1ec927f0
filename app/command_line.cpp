#include "app/command_line.h"

#include "app/version.h"

#include "net/link_maker.h"

#include <cstdlib>
#include <string_view>

namespace program {

CommandLine ParseCommandLine(int argc, const char* const* argv)
{
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i] ? argv[i] : "";
        if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::Help;
        } else if (argument == "--version") {
            line.action = CommandLine::Action::Version;
        } else if (argument == "--fullscreen") {
            line.fullscreen = true;
        } else if (argument == "--window") {
            line.fullscreen = false;
        } else if (argument == "--port") {
            const std::optional<std::uint16_t> port = i + 1 < argc && argv[i + 1] ? net::ParsePort(argv[++i]) : std::nullopt;
            line.port = port.value_or(0);
            if (!port) {
                line.error = "--port needs a port number from 1 to 65535";
                line.action = CommandLine::Action::Error;
                return line;
            }
        } else if (argument == "--watch") {
            if (i + 1 >= argc || !argv[i + 1] || !*argv[i + 1]) {
                line.error = "--watch needs the file of a replay";
                line.action = CommandLine::Action::Error;
                return line;
            }
            line.watch = argv[++i];
        } else {
            line.error = "unknown option '" + std::string(argument) + "'";
            line.action = CommandLine::Action::Error;
            return line;
        }
        if (line.action != CommandLine::Action::Play) return line;
    }
    return line;
}

std::optional<Answer> AnswerTo(const CommandLine& line)
{
    constexpr int kBadUsage = 2;
    switch (line.action) {
    case CommandLine::Action::Help: return Answer{UsageText(), false, 0};
    case CommandLine::Action::Version: return Answer{VersionText(), false, 0};
    case CommandLine::Action::Error: return Answer{"quorvel: " + line.error + "\n\n" + UsageText(), true, kBadUsage};
    case CommandLine::Action::Play: break;
    }
    return std::nullopt;
}

std::string UsageText()
{
    return "Usage: quorvel [--fullscreen | --window] [--port N] [--watch FILE]\n"
           "       quorvel --help | --version\n"
           "\n"
           "An arcade game for up to four players on one computer: a paddle on each side of\n"
           "a square field, a wall of bricks in the middle and one ball.\n"
           "\n"
           "Options:\n"
           "  --fullscreen  start filling the screen\n"
           "  --window      start in a window (the default)\n"
           "  --port N      host online games on port N (default 27960)\n"
           "  --watch FILE  play the recorded match in FILE (P pause, S step, F 4x,\n"
           "                Backspace leave)\n"
           "  --help        show this text and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "Keys: F1 Boss! (minimise), F2 New Game, F3 Pause, F12 Tilt, Esc Exit,\n"
           "Alt+/ About, Alt+Enter or F11 full screen. Each player steers with the mouse or\n"
           "with keys chosen on the player's screen (default: arrows, Space grabs,\n"
           "Shift speeds up).\n"
           "\n"
           "More: man 6 quorvel\n";
}

std::string VersionText()
{
    return "quorvel " QUORVEL_VERSION "\n" QUORVEL_LICENCE_LINE "\n";
}

}  // namespace program
