#include "screens/player_options.h"

#include "screens/choose_paddle.h"
#include "screens/color_options.h"
#include "screens/computer_config.h"
#include "screens/data.h"
#include "screens/keyboard_config.h"
#include "screens/menu.h"
#include "screens/mouse_config.h"
#include "screens/options.h"
#include "screens/pad_config.h"
#include "ui/text.h"
#include "ui/text_edit.h"

namespace {

constexpr unsigned int kNameFieldHeight = 20;
constexpr unsigned int kShapeWidth = 125;
constexpr unsigned int kShapeHeight = 25;

}  // namespace

str ShapeName(EPadType padType) { return str(padType == PadRounded ? "Rounded" : "Rectangular"); }

CPlayerOptions::CPlayerOptions(SPlayerOptions* options, const LList<CObject>& parents)
    : CGame(parents), options(options)
{
    type.Load("CPlayerOptions");
    AddBackground(this);
    AddTitle(this, options->name);
    AddFootButton(this, DoNext, AsContext(Back));
    AddButton(this, DoNext, AsContext(Color), 218, 302, str("Color"), options->color);
    AddNameField();
    AddButton(this, DoNext, AsContext(Keyboard), 143, 171, str("Keyboard"), kGreen);
    AddButton(this, DoNext, AsContext(Mouse), 143, 96, str("Mouse"), kGreen);
    AddDisabledButton(Network, 293, 96, str("Network"));
    AddButton(this, DoNext, AsContext(Controller), 293, 171, str("Controller"), kGreen);
    AddButton(this, DoNext, AsContext(Computer), 218, 134, str("Computer"), kGreen);
    AddShapeButton();
}

void CPlayerOptions::AddNameField()
{
    const int x = rect.width / 2 - 33;
    const unsigned int y = (static_cast<unsigned int>(rect.height) - kNameFieldHeight) / 2;
    auto* field = new CTextEdit(x, y, &options->name, Under(this));
    new CRightNormText(str("Name:"), LList<CObject>(false, 2, field, this), Rect());
}

void CPlayerOptions::AddDisabledButton(Choice code, unsigned int x, unsigned int y, const str& caption)
{
    AddButton(this, nullptr, AsContext(code), x, y, caption, kGreen)->enabled = false;
}

void CPlayerOptions::AddShapeButton()
{
    new CButton(DoNext, AsContext(Shape), 193, 375, ShapeName(options->padType), Under(this), kGreen, kShapeWidth,
                kShapeHeight, options->padType, SideBottom);
}

bool CPlayerOptions::HasType(str t) const { return t == "CPlayerOptions" || CGame::HasType(t); }

CGame* CPlayerOptions::NextGame()
{
    switch (choice) {
    case Back: return new COptions(Successor());
    case Keyboard: return new CKeyboardConfig(options, Successor());
    case Mouse: return new CMouseConfig(options, Successor());
    case Controller: return new CPadConfig(options, Successor());
    case Shape: return new CChoosePaddle(options, Successor());
    case Color: return new CColorOptions(options, Successor());
    case Computer: return new CComputerConfig(options, Successor());
    default: return nullptr;
    }
}

bool CPlayerOptions::DoNext(void* context, CObject* screen)
{
    return FinishScreen<CPlayerOptions>(screen, [&](CPlayerOptions& player) {
        player.choice = static_cast<unsigned int>(ContextValue(context));
    });
}
