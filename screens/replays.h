#pragma once
// The list of recorded matches, newest first: when each was played, who played and who
// won, with "Watch" and "Keep" beside each. The wheel, Up and Down (Page Up and Page Down
// a page) scroll; "Back" goes to the intro. A line under the title says why a replay could not
// be played.

#include "screens/replay_shelf.h"
#include "ui/game.h"

#include <vector>

class CReplays : public CGame {
public:
    static constexpr const char* kType = "CReplays";
    static constexpr unsigned int kRows = 8;

    explicit CReplays(const LList<CObject>& parents, const str& message = str(""), std::size_t first = 0);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;
    void KeyDown(unsigned int key, bool down) override;
    void MouseWheel(int notches) override;

    static bool DoWatch(void* context, CObject* screen);
    static bool DoKeep(void* context, CObject* screen);
    static bool DoBack(void* context, CObject* screen);

    enum Choice { Back, Watch, Keep, Scroll };
    Choice choice = Back;
    std::size_t row = 0;    // the entry chosen
    std::size_t first = 0;  // the first entry shown
    std::vector<CReplayShelf::Entry> entries;

private:
    void AddRow(std::size_t index, LONG top);
    void ScrollTo(std::size_t to);
    void ScrollBy(long rows);
};

// The lines that describe a recording in the list: when and who won, and who played.
str ReplayWhen(const SReplayHeader& header);
str ReplayWho(const SReplayHeader& header);
