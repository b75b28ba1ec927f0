#pragma once
// Two game windows on one display set up an online match the way players would: one
// hosts from the options screen, the other opens the join screen and joins; Start on the
// host starts the match in both. Each step waits for what the window shows and leaves
// its last screenshot in online_<what>.xwd in the working directory.

#include "tests/e2e/x_display.h"

#include <string>

namespace e2e::online {

// "online_<test>_<name>.xwd": a screenshot's file, of the running test's own.
std::string Shot(const std::string& name);

extern const Seconds kPatience;

// Places the window's top-left corner at (x, y) on the screen.
void Place(GameWindow& window, int x, int y);
// Gives the window the keyboard focus, as a click would under a window manager: a window
// without it stands still, unless it is in a game with others.
void Focus(const GameWindow& window);
// Clicks the button at client (x, y), a point of its face, once it lights under the
// pointer; false when it never lit.
bool Press(const VirtualDisplay& display, const GameWindow& window, int x, int y, const std::string& what);

// From the intro: New Game, then Host game. `who` names the screenshots.
bool Host(const VirtualDisplay& display, const GameWindow& window, const std::string& who);
// From the intro: New Game, then Join game, up to the join screen with its address field.
bool OpenJoin(const VirtualDisplay& display, const GameWindow& window, const std::string& who);
// The Join button of the join screen.
bool Join(const VirtualDisplay& display, const GameWindow& window, const std::string& who);
// Whether the host's options screen comes to show a joined player at player 2's place.
bool SeesJoined(const VirtualDisplay& display, const GameWindow& host);
// Start on the host; whether both windows then show the match.
bool Start(const VirtualDisplay& display, const GameWindow& host, const GameWindow& guest);
// Whether the window comes to show the game-over screen within `limit`.
bool SeesGameOver(const VirtualDisplay& display, const GameWindow& window, const std::string& who, Seconds limit);

// The count of client pixels inside the box (x0, y0)-(x1, y1), corners included, that
// differ between the two windows in one screenshot.
int Differences(const Picture& picture, const GameWindow& a, const GameWindow& b, int x0 = 0, int y0 = 0,
                int x1 = 511, int y1 = 511);

// The count of client pixels where the two windows differ by more than how they draw
// text: a pixel of the field's grey, of a button's green or of anything else ("ink")
// in one window must be the same in the other, unless ink lies within `reach` pixels of
// it there. Glyphs smoothed in one window and not in the other, or a pixel apart, pass;
// another word, another number or another screen does not.
int DifferencesBeyondText(const Picture& picture, const GameWindow& a, const GameWindow& b, int reach = 2);

}  // namespace e2e::online
