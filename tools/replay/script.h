#pragma once
// The replay script: one command a line, '#' starts a comment.
//
//   seed N | wait N | move X Y | down B | up B | click X Y | key K | keyup K | tap K
//   type TEXT | command ID | menu TEXT | focus on|off | shot FILE.png
//   expect-pixel X Y RRGGBB | expect-sound NAME | expect-silence
//   pad N connect NAME | pad N disconnect | pad N stick X Y | pad N trigger L|R VALUE
//   pad N button A|B|X|Y|START|BACK|LB|RB|UP|DOWN|LEFT|RIGHT down|up
//   port N | wait-joined N | wait-screen NAME | wait-frame N
//   watch FILE | watch-latest | expect-scores S1 S2 S3 S4
//
// While the program is in a game with other machines, time runs as real time: every
// frame of `wait` takes 20 ms, and wait-joined (until N machines have joined the game
// this one hosts) and wait-screen (until the screen of that type shows) follow the
// network for up to five minutes; wait-frame runs the match with other machines until
// its frame N has run, so that every machine shows the same picture. `port` sets the
// port the program hosts on.
// watch plays a recorded match at once (watch-latest the newest the program keeps); a
// recording that is refused says why on the output and the list of replays shows.
// expect-scores checks the final scores of players 1 to 4 in the last match (or
// recording) that ended, '-' for a player who held no side.
// Keys are virtual-key names (VK_SPACE, VK_F2), single letters or digits, or numbers.

#include "platform/win32_types.h"

#include <istream>
#include <string>
#include <vector>

namespace replay {

enum class Verb { Seed, Wait, Move, Down, Up, Click, Wheel, Key, KeyUp, Tap, Type, Command, Menu, Focus, Shot, ExpectPixel,
                  ExpectSound, ExpectSilence, PadConnect, PadDisconnect, PadButton, PadStick, PadTrigger,
                  Port, WaitJoined, WaitScreen, WaitFrame, Watch, WatchLatest, ExpectScores };

struct Command {
    Verb verb;
    int line;
    std::vector<long> numbers;  // the numeric arguments, keys as virtual-key codes; for pad
                                // commands the slot first, then buttons as XINPUT_GAMEPAD_*
                                // masks, down as 1, triggers L as 0 and R as 1; scores, with
                                // -1 for '-' 
    std::string text;           // type, menu, shot, expect-sound, pad connect: the rest of the line
};

struct ParseResult {
    std::vector<Command> commands;
    std::vector<std::string> errors;  // "line N: what is wrong"
};

ParseResult ParseScript(std::istream& in);

// A key as a script names it, or 0 when the name means nothing.
UINT ParseKey(const std::string& name);

}  // namespace replay
