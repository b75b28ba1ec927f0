#pragma once
// The game's sound effects: WAVE resources that the project makes itself (tools/sfx),
// played with PlaySound unless the players turned sound off.

#include "platform/win32.h"

#include <vector>

class CObject;

enum ESound : WORD {
    SoundPaddle = 401,  // the ball off a paddle
    SoundWall,          // the ball off the edge of the field
    SoundBrick,         // a brick breaks
    SoundGrab,          // a paddle catches the ball
    SoundDropOut,       // a player drops out
    SoundSuddenDeath,   // sudden death starts
    SoundEffect,        // sudden death strikes the ball
    SoundWinner,        // somebody won
    SoundClick,         // a button is pressed
};

struct SoundResource {
    ESound id;
    const char* name;  // the WAV file's name without ".wav"
};

constexpr SoundResource kSoundResources[] = {
    {SoundPaddle, "paddle"}, {SoundWall, "wall"},       {SoundBrick, "brick"},
    {SoundGrab, "grab"},     {SoundDropOut, "dropout"}, {SoundSuddenDeath, "sudden_death"},
    {SoundEffect, "effect"}, {SoundWinner, "winner"},   {SoundClick, "click"},
};

// The name of the sound resource with that id, or null.
const char* SoundName(WORD id);

// Starts the sound at once, over any that still play, unless sound is off in the
// settings of from's tree.
void PlayEffect(CObject* from, ESound sound);

// While one lives, PlayEffect plays nothing: a match that is run again over frames it
// has already shown makes no sound.
class CSoundMute {
public:
    CSoundMute() { ++depth; }
    ~CSoundMute() { --depth; }
    CSoundMute(const CSoundMute&) = delete;
    CSoundMute& operator=(const CSoundMute&) = delete;
    static bool On() { return depth > 0; }

private:
    static inline int depth = 0;
};

// While one lives (and no CSoundMute), PlayEffect keeps the sounds instead of playing
// them: Release plays them, in order; a hold that ends without it drops them, as a frame
// that was taken back before it was shown makes no sound.
class CSoundHold {
public:
    CSoundHold();
    ~CSoundHold();
    CSoundHold(const CSoundHold&) = delete;
    CSoundHold& operator=(const CSoundHold&) = delete;
    void Release();
    // The hold that keeps PlayEffect's sounds now, or null.
    static CSoundHold* Current() { return current; }
    std::vector<ESound> kept;

private:
    CSoundHold* outer;
    static inline CSoundHold* current = nullptr;
};
