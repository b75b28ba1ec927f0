#include "screens/choose_paddle.h"

#include "model/data.h"
#include "screens/menu.h"
#include "screens/player_options.h"

namespace {

constexpr unsigned int kShapeX = 193;
constexpr unsigned int kShapeWidth = 125;
constexpr unsigned int kShapeHeight = 25;

void AddShapeButton(CGame* screen, EPadType shape, unsigned int y)
{
    new CButton(CChoosePaddle::DoNext, AsContext(shape), kShapeX, y, ShapeName(shape), Under(screen), kGreen,
                kShapeWidth, kShapeHeight, shape, SideBottom);
}

}  // namespace

CChoosePaddle::CChoosePaddle(SPlayerOptions* options, const LList<CObject>& parents)
    : CGame(parents), options(options)
{
    type.Load(kType);
    AddBackground(this);
    AddTitle(this, str("Choose a paddle"));
    AddFootButton(this, DoNext, AsContext(options->padType));
    AddShapeButton(this, PadRounded, 270);
    AddShapeButton(this, PadRectangular, 170);
}

bool CChoosePaddle::HasType(str t) const { return t == kType || CGame::HasType(t); }

CGame* CChoosePaddle::NextGame() { return new CPlayerOptions(options, Successor()); }

bool CChoosePaddle::DoNext(void* context, CObject* screen)
{
    return FinishScreen<CChoosePaddle>(screen, [&](CChoosePaddle& choose) {
        choose.options->padType = ContextValue(context) == PadRounded ? PadRounded : PadRectangular;
    });
}
