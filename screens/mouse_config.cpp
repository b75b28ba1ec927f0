#include "screens/mouse_config.h"

#include "model/controls.h"
#include "screens/control_screen.h"
#include "model/data.h"
#include "screens/menu.h"
#include "screens/player_options.h"
#include "ui/text.h"

CMouseConfig::CMouseConfig(SPlayerOptions* options, const LList<CObject>& parents) : CGame(parents), options(options)
{
    type.Load(kType);
    AddBackground(this);
    AddControlTitle(this, *options);
    CControls& input = RequireInput(this, *options);
    if (input.kind != CControls::Mouse) input.SetMouse(0);
    new CNormText(str("OK, now go play ;)"), Under(this), Rect());
    AddFootButton(this, DoNext, AsContext(0));
}

bool CMouseConfig::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CMouseConfig::NextGame() { return new CPlayerOptions(options, Successor()); }

bool CMouseConfig::DoNext(void*, CObject* screen)
{
    return FinishScreen<CMouseConfig>(screen, [](CMouseConfig& config) {
        RequireInput(&config, *config.options).SetMouse(0);
    });
}
