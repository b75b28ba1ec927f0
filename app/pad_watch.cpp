#include "app/pad_watch.h"

#include "model/controls.h"
#include "play/player.h"
#include "ui/game.h"

CPadWatch::Request CPadWatch::Poll(unsigned int inUse)
{
    Request request = Nothing;
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        XINPUT_STATE state{};
        const bool there = XInputGetState(slot, &state) == ERROR_SUCCESS;
        const bool start = there && (state.Gamepad.wButtons & XINPUT_GAMEPAD_START) != 0;
        const bool used = (inUse & (1u << slot)) != 0;
        const bool newlyUsed = used && (wasInUse & (1u << slot)) == 0;
        if (used && !there && (connected[slot] || newlyUsed))
            request = Pause;
        else if (used && start && !startHeld[slot] && request == Nothing)
            request = TogglePause;
        connected[slot] = there;
        startHeld[slot] = start;
    }
    wasInUse = inUse;
    return request;
}

bool PadMissing(unsigned int inUse)
{
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        XINPUT_STATE state{};
        if ((inUse & (1u << slot)) != 0 && XInputGetState(slot, &state) != ERROR_SUCCESS) return true;
    }
    return false;
}

unsigned int PadSlotsInUse(CGame* screen)
{
    CPlayers* players = screen->GetChild<CPlayers>();
    if (!players) return 0;
    unsigned int slots = 0;
    for (unsigned int n = 1; auto* player = players->GetChild<CPlayer>(n); ++n) {
        const CControls* maker = player->options.input;
        if (maker && maker->kind == CControls::Controller && player->InMatch()) slots |= 1u << maker->pad;
    }
    return slots;
}
