#include "ui/get_key.h"
#include "gfx/holder.h"

#include "input/mouse_input.h"
#include "ui/text.h"
#include "ui/widget_parts.h"

namespace {

constexpr unsigned int kWidth = 100;
constexpr unsigned int kHeight = 20;
constexpr int kNameSize = 64;
// Bits 16 to 23 of a key message's data hold the scan code, bit 24 the extended-key
// flag, which tells the arrows from their keypad twins ("Left", not "Num 4").
constexpr UINT kScanCodeMask = 0xFF;
constexpr UINT kExtendedPrefix = 0xE000;
constexpr UINT kExtendedFlag = 1u << 24;

}  // namespace

str KeyName(unsigned int key)
{
    const UINT code = MapVirtualKey(key, MAPVK_VK_TO_VSC_EX);
    UINT data = (code & kScanCodeMask) << 16;
    if ((code & 0xFF00) == kExtendedPrefix) data |= kExtendedFlag;
    char name[kNameSize] = {};
    if (GetKeyNameText(static_cast<LONG>(data), name, kNameSize) <= 0) name[0] = '\0';
    name[kNameSize - 1] = '\0';
    return str(name);
}

bool CancelKeyCapture(CObject* root)
{
    bool cancelled = false;
    for (unsigned int n = 1; root; ++n) {
        auto* field = root->FindChild<CGetKey>(n);
        if (!field) break;
        cancelled = cancelled || field->active;
        field->active = false;
    }
    return cancelled;
}

CGetKey::CGetKey(unsigned int x, unsigned int y, unsigned int* key, const LList<CObject>& parents)
    : CGraphic(parents, Rect(x, y, x + kWidth, y + kHeight)), key(key)
{
    type.Load(kType);
    new CNormText(KeyName(*key), LList<CObject>(false, 2, this, GetParent<CGraphicHolder>()), Rect());
    new CMouseInput(BothAxes, LList<CObject>(false, 1, this));
}

bool CGetKey::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

void CGetKey::KeyDown(unsigned int code, bool down)
{
    CGraphic::KeyDown(code, down);
    if (down || !active) return;
    *key = code;
    WidgetText(this, "::KeyDown").text = KeyName(code);
}

void CGetKey::Animate()
{
    CGraphic::Animate();
    CMouseInput& mouse = WidgetMouse(this, "::Animate");
    if (mouse.GetButton(0)) active = PtInRect(&rect, mouse.GetPoint());
}

void CGetKey::DescribeLook(PaintLook& look) { look.Add(active); }

bool CGetKey::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    SelectObject(dc, GetStockObject(active ? WHITE_BRUSH : GRAY_BRUSH));
    SelectObject(dc, GetStockObject(active ? BLACK_PEN : WHITE_PEN));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    return true;
}
