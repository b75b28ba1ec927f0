#pragma once
// The game's command line: what it asks for, and the texts it answers with.

#include <optional>
#include <string>

namespace program {

struct CommandLine {
    enum class Action { Play, Help, Version, Error } action = Action::Play;
    bool fullscreen = false;
    unsigned int port = 0;  // --port: the port to host online games on; 0 for the default
    std::string watch;      // --watch: a recording to play at start
    std::string error;  // with Action::Error: what was wrong
};

// Reads the arguments after the program's name; the last of --fullscreen and --window
// wins. --port takes a number from 1 to 65535 as the next argument, --watch a file.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// What the program says instead of playing (--help, --version, a bad option), and the
// status it then exits with; nothing when the line asks to play.
struct Answer {
    std::string text;
    bool error = false;  // whether it goes to standard error
    int status = 0;
};
std::optional<Answer> AnswerTo(const CommandLine& line);

// What --help prints: usage, options, keys, and where to read more.
std::string UsageText();
// What --version prints.
std::string VersionText();

}  // namespace program
