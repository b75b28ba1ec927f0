#include "screens/control_screen.h"

#include "model/controls.h"
#include "model/data.h"
#include "screens/menu.h"

void AddControlTitle(CGame* screen, const SPlayerOptions& player)
{
    AddTitle(screen, str("Controls for ") + player.name);
}

CControls& RequireInput(CGame* screen, const SPlayerOptions& player)
{
    if (!player.input) throw XChildError(screen->type + str("::Input"));
    return *player.input;
}
