#pragma once
// A match as a value: everything that decides how it goes on, from the ball to the
// random numbers. Saving it and restoring it later puts the match back exactly as it was,
// so that running the same frames with the same inputs again ends in the same state and
// the same picture. Objects that have gone since (a broken brick, a player out, sudden
// death that had not begun) come back; objects that were not there yet go.

#include "model/side.h"
#include "play/main_game.h"
#include "play/computer_input.h"
#include "play/match_random.h"
#include "play/vector.h"

#include <array>
#include <cstdint>

struct SMatchState {
    static constexpr unsigned int kPlayers = 4;
    static constexpr unsigned int kSides = 5;  // indexed by Side
    static constexpr unsigned int kBricks = 64;
    // Computer players under one paddle: the player's own and a stand-in for a machine
    // that left.
    static constexpr unsigned int kMinds = 2;

    struct Box {
        long left = 0, top = 0, right = 0, bottom = 0;
        bool operator==(const Box&) const = default;
    };
    struct Ball {
        Box rect;
        CVector velocity{0, 0};
        unsigned int owner = 0;  // the owning player's number, 0 for none
        Side holder = SideNone;  // the side of the paddle that holds it
        Side holderSide = SideNone;
        bool waiting = false;
        unsigned int frames = 0;
        unsigned int untouched = 0;
        bool operator==(const Ball&) const = default;
    };
    struct Paddle {
        bool present = false;
        Box rect;
        unsigned int frames = 0;
        unsigned int minds = 0;
        std::array<SComputerMind, kMinds> mind{};
        bool operator==(const Paddle&) const = default;
    };
    struct Player {
        bool in = false;
        unsigned int score = 0, meter = 0;
        bool scoreShown = false;
        bool operator==(const Player&) const = default;
    };
    enum class Brick : std::uint8_t { Gone, Whole, Breaking };
    struct BrickState {
        Brick state = Brick::Gone;
        Box rect;
        unsigned int frames = 0;
        bool operator==(const BrickState&) const = default;
    };
    struct Sudden {
        bool on = false;
        double angleSpeed = 0, accell = 0;
        unsigned int lastEffectSound = 0, frames = 0;
        bool operator==(const Sudden&) const = default;
    };

    Ball ball;
    std::array<Paddle, kSides> paddles{};
    std::array<Player, kPlayers> players{};
    unsigned int playersIn = 0;
    std::array<BrickState, kBricks> bricks{};
    unsigned int bricksLeft = 0, bricksLaid = 0;
    Sudden sudden;
    unsigned int countdown = 0, countdownFrames = 0;
    unsigned int winner = 0;
    bool gameOver = false;
    EDecision decision = DecidedByNobody;
    std::array<bool, kPlayers> played{};
    std::array<bool, kPlayers> out{};
    std::array<unsigned int, kPlayers> finalScores{};
    CMatchRandom random;
    unsigned int frames = 0;
    SRecordMark record;

    bool operator==(const SMatchState&) const = default;
};

SMatchState SaveMatch(CMainGame& match);
// Puts `match` back as it was when `state` was saved of it (or of a match with the same
// lineup). No sound plays meanwhile.
void RestoreMatch(CMainGame& match, const SMatchState& state);
// Prepares the graphics that the match made during a frame (sudden death's banner), as
// the paint after the frame would, for frames that are run again without painting:
// preparing takes a step of each, and a frame run again must end as the frame painted.
void PrepareNewGraphics(CMainGame& match);
// A checksum of everything in the state, for comparing matches between machines.
std::uint32_t Checksum(const SMatchState& state);
