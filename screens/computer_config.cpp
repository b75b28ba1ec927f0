#include "screens/computer_config.h"

#include "play/computer_input.h"
#include "model/controls.h"
#include "screens/control_screen.h"
#include "model/data.h"
#include "screens/menu.h"
#include "screens/player_options.h"
#include "ui/mark.h"

namespace {

constexpr unsigned int kLevelX = 218;
constexpr unsigned int kFirstLevelY = 171;
constexpr unsigned int kLevelPitch = 50;

}  // namespace

CComputerConfig::CComputerConfig(SPlayerOptions* options, const LList<CObject>& parents)
    : CGame(parents), options(options)
{
    type.Load(kType);
    AddBackground(this);
    AddControlTitle(this, *options);
    CControls& input = RequireInput(this, *options);
    if (input.kind != CControls::Computer) input.SetComputer(ComputerFair);
    AddFootButton(this, DoNext, AsContext(input.level));
    // The player's level is framed.
    for (unsigned int level = 0; level < ComputerLevels; ++level) {
        CButton* button = AddButton(this, DoNext, AsContext(level), kLevelX, kFirstLevelY + kLevelPitch * level,
                                    str(ComputerLevelName(level)), kGreen);
        if (level == input.level) new CMark(button->rect, Under(this));
    }
}

bool CComputerConfig::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CComputerConfig::NextGame() { return new CPlayerOptions(options, Successor()); }

bool CComputerConfig::DoNext(void* context, CObject* screen)
{
    return FinishScreen<CComputerConfig>(screen, [&](CComputerConfig& config) {
        RequireInput(&config, *config.options).SetComputer(static_cast<unsigned int>(ContextValue(context)));
    });
}
