#pragma once
// Watching a recorded match: the match screen steered by the recording, with a bar that
// says so and keys to pause (P), step a frame while paused (S), go four times as fast
// (F) and leave (Backspace). At its end the game-over screen follows as after the match
// itself; a recording that went another way than the match it recorded goes back to the
// list of replays, which says why.

#include "play/main_game.h"

#include <memory>

class CText;

class CReplayScreen : public CMainGame {
public:
    static constexpr const char* kType = "CReplayScreen";
    static constexpr unsigned int kFastFrames = 4;
    static constexpr const char* kMismatch = "This replay does not match this version of Quorvel";

    CReplayScreen(std::shared_ptr<const SReplay> replay, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    void Animate() override;
    void KeyDown(unsigned int key, bool down) override;
    CGame* NextGame() override;

    bool paused = false;
    bool fast = false;
    bool leaving = false;

private:
    void ShowState();
    bool ScoresAsRecorded() const;

    std::shared_ptr<const SReplay> replay;
    bool stepPending = false;
    CText* bar;
};
