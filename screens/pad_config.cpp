#include "screens/pad_config.h"

#include "model/controls.h"
#include "screens/control_screen.h"
#include "model/data.h"
#include "screens/menu.h"
#include "screens/player_options.h"
#include "ui/text.h"

#include <cstring>

namespace {

constexpr unsigned int kSlotX = 156;
constexpr unsigned int kSlotTop = 96;
constexpr unsigned int kSlotPitch = 40;
constexpr unsigned int kSlotWidth = 200;
constexpr COLORREF kOtherSlot = RGB(192, 192, 192);
constexpr UINT kNameSize = 64;

// Whether anything on the pad is pressed or pulled.
bool AnyButton(const XINPUT_GAMEPAD& g)
{
    return g.wButtons != 0 || g.bLeftTrigger > XINPUT_GAMEPAD_TRIGGER_THRESHOLD ||
           g.bRightTrigger > XINPUT_GAMEPAD_TRIGGER_THRESHOLD;
}

// A slot's button: its caption follows what is plugged in, and it lights up while its
// pad's buttons are held.
class CPadSlotButton : public CButton {
public:
    static constexpr const char* kType = "CPadSlotButton";
    CPadSlotButton(unsigned int slot, COLORREF color, CGame* screen)
        : CButton(CPadConfig::DoSlot, AsContext(slot), kSlotX, kSlotTop + kSlotPitch * slot, str(" "),
                  Under(screen), color, kSlotWidth, kButtonHeight, PadRectangular, SideBottom),
          slot(slot)
    {
        type.Load(kType);
        Follow();
    }

    bool HasType(const str& t) const override { return t == kType || CButton::HasType(t); }

    void Animate() override
    {
        CButton::Animate();
        Follow();
    }

private:
    void Follow()
    {
        XINPUT_STATE state{};
        const bool there = XInputGetState(slot, &state) == ERROR_SUCCESS;
        lit = there && AnyButton(state.Gamepad);
        char name[kNameSize] = "";
        if (there) GetPadName(slot, name, kNameSize);
        if (there == shownThere && std::strcmp(name, shownName) == 0) return;
        shownThere = there;
        std::memcpy(shownName, name, sizeof name);
        if (auto* caption = GetChild<CText>())
            caption->text = str(static_cast<int>(slot + 1)) + str(": ") +
                            (there ? str(*name ? name : "pad") : str("not connected"));
    }

    unsigned int slot;
    bool shownThere = false;
    char shownName[kNameSize] = "?";
};

}  // namespace

CPadConfig::CPadConfig(SPlayerOptions* options, const LList<CObject>& parents) : CGame(parents), options(options)
{
    type.Load(kType);
    AddBackground(this);
    AddTitle(this, str("Controller for ") + options->name);
    CControls& input = RequireInput(this, *options);
    if (input.kind != CControls::Controller) input.SetPad(input.pad);
    for (unsigned int slot = 0; slot < XUSER_MAX_COUNT; ++slot)
        new CPadSlotButton(slot, slot == input.pad ? kGreen : kOtherSlot, this);
    new CNormText(str("Hold a button of a pad to light its slot; click a slot to take that pad"), Under(this), Rect());
    AddFootButton(this, DoNext, AsContext(0));
}

bool CPadConfig::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CPadConfig::NextGame()
{
    if (choice == Slot) return new CPadConfig(options, Successor());
    return new CPlayerOptions(options, Successor());
}

bool CPadConfig::DoNext(void*, CObject* screen)
{
    return FinishScreen<CPadConfig>(screen, [](CPadConfig& config) { config.choice = Back; });
}

bool CPadConfig::DoSlot(void* context, CObject* screen)
{
    return FinishScreen<CPadConfig>(screen, [&](CPadConfig& config) {
        RequireInput(&config, *config.options).SetPad(static_cast<unsigned int>(ContextValue(context)));
        config.choice = Slot;
    });
}
