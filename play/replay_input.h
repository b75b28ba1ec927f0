#pragma once
// A paddle's input while a recording plays: what the recording says for the frame that
// runs.

#include "input/input.h"

class CMainGame;

class CReplayInput : public CInput {
public:
    static constexpr const char* kType = "CReplayInput";
    CReplayInput(CMainGame& match, unsigned int slot, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    unsigned int GetPos() override;
    bool GetButton(unsigned int i) override;
    // The recording holds every press.
    void SetButton(unsigned int, bool) override {}
    void TakeOverButton(unsigned int) override {}

private:
    CMainGame& match;
    unsigned int slot;
};

// The recorded input for the paddle that `parents` start with, when its match plays a
// recording; otherwise null.
CInput* MakeReplayInput(const LList<CObject>& parents);
