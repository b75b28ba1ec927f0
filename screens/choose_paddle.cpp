#include "screens/choose_paddle.h"

#include "model/data.h"
#include "screens/menu.h"
#include "screens/player_options.h"
#include "ui/mark.h"

namespace {

constexpr unsigned int kShapeX = 193;
constexpr unsigned int kShapeWidth = 125;
constexpr unsigned int kShapeHeight = 25;

// The player's shape is framed.
void AddShapeButton(CGame* screen, EPadType shape, unsigned int y, EPadType current)
{
    auto* button = new CButton(CChoosePaddle::DoNext, AsContext(shape), kShapeX, y, ShapeName(shape), Under(screen),
                               kGreen, kShapeWidth, kShapeHeight, shape, SideBottom);
    if (shape == current) new CMark(button->rect, Under(screen));
}

}  // namespace

CChoosePaddle::CChoosePaddle(SPlayerOptions* options, const LList<CObject>& parents)
    : CGame(parents), options(options)
{
    type.Load(kType);
    AddBackground(this);
    AddTitle(this, str("Choose a paddle"));
    AddFootButton(this, DoNext, AsContext(options->padType));
    AddShapeButton(this, PadRounded, 270, options->padType);
    AddShapeButton(this, PadRectangular, 170, options->padType);
}

bool CChoosePaddle::HasType(const str& t) const { return t == kType || CGame::HasType(t); }

CGame* CChoosePaddle::NextGame() { return new CPlayerOptions(options, Successor()); }

bool CChoosePaddle::DoNext(void* context, CObject* screen)
{
    return FinishScreen<CChoosePaddle>(screen, [&](CChoosePaddle& choose) {
        choose.options->padType = ContextValue(context) == PadRounded ? PadRounded : PadRectangular;
    });
}
