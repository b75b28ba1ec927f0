#include "screens/player_options.h"

#include "screens/choose_paddle.h"
#include "screens/color_options.h"
#include "screens/computer_config.h"
#include "model/data.h"
#include "screens/keyboard_config.h"
#include "screens/menu.h"
#include "screens/mouse_config.h"
#include "screens/options.h"
#include "screens/pad_config.h"
#include "ui/text.h"
#include "model/controls.h"
#include "ui/mark.h"
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
    type.Load(kType);
    AddBackground(this);
    AddTitle(this, options->name);
    AddFootButton(this, DoNext, AsContext(Back));
    AddButton(this, DoNext, AsContext(Color), 218, 302, str("Color"), options->color);
    AddNameField();
    MarkKind(CControls::Keyboard, AddButton(this, DoNext, AsContext(Keyboard), 143, 171, str("Keyboard"), kGreen));
    MarkKind(CControls::Mouse, AddButton(this, DoNext, AsContext(Mouse), 143, 96, str("Mouse"), kGreen));
    MarkKind(CControls::Network, AddButton(this, DoNext, AsContext(Network), 293, 96, str("Network"), kGreen));
    MarkKind(CControls::Controller, AddButton(this, DoNext, AsContext(Controller), 293, 171, str("Controller"), kGreen));
    MarkKind(CControls::Computer, AddButton(this, DoNext, AsContext(Computer), 218, 134, str("Computer"), kGreen));
    AddShapeButton();
}

// The button of the kind of input the player has is framed.
void CPlayerOptions::MarkKind(unsigned int kind, CButton* button)
{
    if (options->input && options->input->kind == kind) new CMark(button->rect, Under(this));
}

void CPlayerOptions::AddNameField()
{
    const int x = rect.width / 2 - 33;
    const unsigned int y = (static_cast<unsigned int>(rect.height) - kNameFieldHeight) / 2;
    auto* field = new CTextEdit(x, y, &options->name, Under(this));
    new CRightNormText(str("Name:"), LList<CObject>(false, 2, field, this), Rect());
}

void CPlayerOptions::AddShapeButton()
{
    new CButton(DoNext, AsContext(Shape), 193, 375, ShapeName(options->padType), Under(this), kGreen, kShapeWidth,
                kShapeHeight, options->padType, SideBottom);
}

bool CPlayerOptions::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CPlayerOptions::NextGame()
{
    // The next screen shows the name: an emptied one is back before it is built.
    if (auto* field = GetChild<CTextEdit>()) field->Settle();
    switch (choice) {
    case Back: return new COptions(Successor());
    case Network:
        // The player's place waits for a player on another machine to take it.
        if (options->input) options->input->SetNet();
        return new COptions(Successor());
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
