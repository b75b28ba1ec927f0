#pragma once
// The screen on which a match is played: background, ball, the wall of bricks and the
// players, built in that order, which is also the order in which they animate and paint.
// The playfield's rules end the match through `winner` and `gameOver`; the match screen
// (screens/match_screen.h) then finishes it and builds what follows.

#include "model/data.h"
#include "play/match_random.h"
#include "play/replay_file.h"
#include "ui/game.h"

#include <vector>

class CCountdown;
class CPlayer;

// The rule that decided a match.
enum EDecision { DecidedByNobody, LastStanding, MostPoints, SuddenDeathDecided };

// How the game-over screen names the rule, or "" when nothing decided the match.
const char* DecisionText(EDecision decision);

// How far the match has kept its own recording: the frames run, the random numbers drawn
// and the events waiting for the next frame.
struct SRecordMark {
    std::size_t frames = 0, draws = 0;
    std::uint8_t events = 0;
    bool operator==(const SRecordMark&) const = default;
};

class CMainGame : public CGame {
public:
    static constexpr const char* kType = "CMainGame";
    explicit CMainGame(const LList<CObject>& parents);
    // The match of a recording, which outlives the screen: its players, sides and
    // inputs, frame by frame, and whatever happened between frames.
    CMainGame(const LList<CObject>& parents, const SReplay& replay);
    bool HasType(const str& t) const override;

    // A frame: the inputs of every paddle are kept (or, playing a recording, taken from
    // it), the playfield runs, and every few seconds the match's checksum is kept (or
    // compared with the recorded one).
    void Animate() override;
    // Tilt: the ball turns. A recording tilts by itself; the keys do not.
    bool Tilt();
    // A random number of the match, 0 to 32767: the program's, kept in the recording, or
    // the recorded one.
    int Draw();
    // Playing a recording: the input of pad slot `slot` in the frame that runs.
    SSlotInput RecordedInput(unsigned int slot) const;
    // The recording of the match as it ended (after Finish).
    const SReplay& Recording();
    // Whether the recording holds every frame (a match beyond kMaxReplayFrames is not
    // recorded to its end).
    bool Recorded() const { return !playing && recording.frames.size() == frame; }
    SRecordMark Mark() const { return SRecordMark{frame, drawn, pendingEvents}; }
    // The match is put back to where it stood at `mark`: what the recording kept since goes,
    // and the frames run again keep their inputs anew.
    void Rewind(const SRecordMark& mark);

    // The match is over: the players still in keep their scores, the winner is cheered.
    void Finish();
    // The match counts down again before it goes on, and says when it is paused.
    void Resumed() override;
    void Paused(bool paused) override;

    // "<winner's name> Wins!", with "Nobody" when nobody won.
    str WinnerText();
    // The rule that made the winner, as the game-over screen names it; "" when nobody won.
    str DecisionLine() const;

    // The players go, with the countdown over them, and are seated again as the match
    // started; the field, the ball and the wall stay as they are.
    void Reseat();

    // Keeps a player's score as its match ends (when it drops out, or at the end).
    void Record(const CPlayer& player);
    // A player has dropped out: its score is kept and it is marked out.
    void RecordOut(const CPlayer& player);
    // "<name>: <score>" for every player who played, with "(out)" after those who dropped
    // out: the winner first, then the highest scores (a tie in player order).
    std::vector<str> ScoreLines();

    // Who plays, and where: the settings' players, or those of the online match seated.
    SLineup lineup;
    // The number (1 to 4) of the player who won, 0 for none; valid once the match is over.
    unsigned int winner = 0;
    // The rule by which `winner` won; valid once the match is over.
    EDecision decision = DecidedByNobody;

    // Every chance the match takes: from the seated match's seed, or from the runtime's
    // random numbers (which a replay script seeds).
    CMatchRandom random;
    CCountdown* countdown = nullptr;
    bool played[CData::kPlayers] = {};
    unsigned int finalScores[CData::kPlayers] = {};
    bool out[CData::kPlayers] = {};

    // The recording being played, or null.
    const SReplay* playing = nullptr;
    // Playing, the match went another way than the recording (another version of the
    // program, or a damaged recording): it is over.
    bool mismatch = false;
    // Frames run.
    std::size_t frame = 0;

protected:
    // Whether the frames of the recording are all played.
    bool PlayedOut() const { return playing && frame >= playing->frames.size(); }

private:
    void Build(CData& data);
    void KeepInputs();
    void PlayEvents();
    void KeepChecksum();
    void Mismatch();

    SReplay recording;
    std::uint8_t pendingEvents = 0;
    std::size_t inputFrame = 0;
    std::size_t drawn = 0;  // random numbers drawn (or, playing, taken from the recording)
};

// A checksum of what a match is: the ball, the paddles, the bricks, the scores.
std::uint32_t MatchChecksum(CMainGame& game);

// The lineup of the match that `inMatch` belongs to; outside a match, the settings'.
SLineup MatchLineup(CObject* inMatch, const char* context);
