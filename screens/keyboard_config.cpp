#include "screens/keyboard_config.h"

#include "model/controls.h"
#include "screens/control_screen.h"
#include "model/data.h"
#include "screens/menu.h"
#include "screens/player_options.h"
#include "ui/get_key.h"
#include "ui/text.h"

namespace {

constexpr const char* kLabels[CControls::ControlCount] = {"Up:",   "Down:",    "Left:", "Right:",
                                                             "Grab:", "Special:", "Speed:"};

}  // namespace

CKeyboardConfig::CKeyboardConfig(SPlayerOptions* options, const LList<CObject>& parents)
    : CGame(parents), options(options)
{
    type.Load(kType);
    AddBackground(this);
    AddControlTitle(this, *options);
    AddFootButton(this, DoNext, AsContext(0));
    CControls& input = RequireInput(this, *options);
    if (input.kind != CControls::Keyboard)
        input.SetKeyboard(VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE, VK_UP, VK_SHIFT);
    for (unsigned int i = 0; i < CControls::ControlCount; ++i) AddKeyField(i);
}

void CKeyboardConfig::AddKeyField(unsigned int control)
{
    const int x = rect.width / 2 + 5;
    const unsigned int y = (50 * control + static_cast<unsigned int>(rect.height) - 220) / 2;
    auto* field = new CGetKey(x, y, &options->input->keys[control], Under(this));
    new CRightNormText(str(kLabels[control]), LList<CObject>(false, 2, field, this), Rect());
}

bool CKeyboardConfig::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CKeyboardConfig::NextGame() { return new CPlayerOptions(options, Successor()); }

bool CKeyboardConfig::DoNext(void*, CObject* screen)
{
    return FinishScreen<CKeyboardConfig>(screen, [](CKeyboardConfig&) {});
}
