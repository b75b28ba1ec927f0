#pragma once
// The game's command line: what it asks for, and the texts it answers with.

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

// What --help prints: usage, options, keys, and where to read more.
std::string UsageText();
// What --version prints.
std::string VersionText();

}  // namespace program
