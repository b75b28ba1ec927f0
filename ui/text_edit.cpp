#include "ui/text_edit.h"
#include "gfx/holder.h"

#include "model/data.h"
#include "ui/text.h"
#include "ui/widget_parts.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

constexpr unsigned int kWidth = 100;
constexpr unsigned int kHeight = 20;
// The text keeps this margin from each side of the field.
constexpr LONG kMargin = 4;

unsigned int FieldWidth(EEntry entry) { return entry == EEntry::Address ? CTextEdit::kAddressWidth : kWidth; }

str WithoutCharacter(const str& s, unsigned int at)
{
    std::string edited(static_cast<const char*>(s));
    edited.erase(at, 1);
    return str(edited.c_str());
}

str WithCharacter(const str& s, unsigned int at, char c)
{
    std::string edited(static_cast<const char*>(s));
    edited.insert(edited.begin() + at, c);
    return str(edited.c_str());
}

// Shift and Caps Lock as they were when the key went down, not when its message is read:
// typed fast, the Shift of "Bob" is up again before the B is handled.
bool Capitals()
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    return shift != capsLock;
}

// The width of `text` in the field's font (measured in a memory context: no window is
// needed), or 0 when there is nothing to measure in.
LONG TextWidth(const str& text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return 0;
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{0, 0};
    GetTextExtentPoint32(dc, text, static_cast<int>(text.Size()), &size);
    DeleteDC(dc);
    return size.cx;
}

}  // namespace

char NameCharacter(unsigned int key, bool capitals, bool shift)
{
    const UINT c = MapVirtualKey(key, MAPVK_VK_TO_CHAR);
    // Dead keys come back with the top bit set; only plain characters are classified.
    if (c > UCHAR_MAX || (c != ' ' && !std::isalnum(static_cast<int>(c)))) return 0;
    if (shift && std::isdigit(static_cast<int>(c))) return 0;
    return static_cast<char>(capitals ? c : std::tolower(static_cast<int>(c)));
}

char AddressCharacter(unsigned int key, bool shift)
{
    const UINT c = MapVirtualKey(key, MAPVK_VK_TO_CHAR);
    if (c == ';' && shift) return ':';
    if (shift || c > UCHAR_MAX) return 0;
    if (c == '.' || c == '-' || std::isdigit(static_cast<int>(c))) return static_cast<char>(c);
    return std::isalpha(static_cast<int>(c)) ? static_cast<char>(std::tolower(static_cast<int>(c))) : 0;
}

CTextEdit::CTextEdit(unsigned int x, unsigned int y, str* target, const LList<CObject>& parents, EEntry entry)
    : CGraphic(parents, Rect(x, y, x + FieldWidth(entry), y + kHeight)), target(target), savedText(*target),
      entry(entry)
{
    type.Load(kType);
    // An address is usually the last one again, or the last with another ending.
    if (entry == EEntry::Address) cursor = target->Size();
    new CNormText(*target, LList<CObject>(false, 2, this, GetParent<CGraphicHolder>()), Rect());
}

CTextEdit::~CTextEdit() { Settle(); }

// A name cannot be left empty. When the whole tree is torn down, the shared settings
// that hold the name go before the screens, and there is nothing left to restore.
void CTextEdit::Settle()
{
    if (!FindData(this)) return;
    if (target->Size() == 0) *target = savedText;
}

bool CTextEdit::HasType(const str& t) const { return t == kType || CGraphic::HasType(t); }

// Keys act as they go down, and again with every repeat while held.
void CTextEdit::KeyDown(unsigned int key, bool down)
{
    CGraphic::KeyDown(key, down);
    if (down) EditKey(key);
}

void CTextEdit::MouseMove(unsigned int x, unsigned int y)
{
    CGraphic::MouseMove(x, y);
    pointer = POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

void CTextEdit::MouseDown(unsigned int button, bool down)
{
    CGraphic::MouseDown(button, down);
    if (down && button == 0 && PtInRect(&rect, pointer)) cursor = CursorAt(pointer.x);
}

// Of the places between characters, the one nearest to `x`.
unsigned int CTextEdit::CursorAt(LONG x)
{
    const auto* text = GetChild<CText>();
    const LONG left = text ? text->extent.left : rect.left + kMargin;
    const std::string name(static_cast<const char*>(*target));
    unsigned int nearest = 0;
    LONG best = INT_MAX;
    for (unsigned int at = 0; at <= name.size(); ++at) {
        const LONG distance = std::abs(left + TextWidth(str(name.substr(0, at).c_str())) - x);
        if (distance < best) {
            best = distance;
            nearest = at;
        }
    }
    return nearest;
}

void CTextEdit::EditKey(unsigned int key)
{
    const unsigned int length = target->Size();
    if (cursor > length) cursor = length;
    switch (key) {
    case VK_BACK: Backspace(); break;
    case VK_DELETE: Delete(); break;
    case VK_LEFT:
        if (cursor > 0) --cursor;
        break;
    case VK_RIGHT:
        if (cursor < length) ++cursor;
        break;
    case VK_HOME: cursor = 0; break;
    case VK_END: cursor = length; break;
    default:
        if (char c = entry == EEntry::Name ? NameCharacter(key, Capitals(), GetKeyState(VK_SHIFT) < 0)
                                           : AddressCharacter(key, GetKeyState(VK_SHIFT) < 0))
            Enter(c);
    }
}

void CTextEdit::Backspace()
{
    if (cursor == 0) return;
    --cursor;
    *target = WithoutCharacter(*target, cursor);
}

void CTextEdit::Delete()
{
    if (cursor >= target->Size()) return;
    *target = WithoutCharacter(*target, cursor);
}

// A name that would no longer fit on a paddle or in the field takes nothing more.
void CTextEdit::Enter(char c)
{
    const str longer = WithCharacter(*target, cursor, c);
    const unsigned int longest = entry == EEntry::Name ? kMaxName : kMaxAddress;
    if (longer.Size() > longest || TextWidth(longer) > static_cast<LONG>(FieldWidth(entry)) - 2 * kMargin) return;
    *target = longer;
    ++cursor;
}

void CTextEdit::Animate()
{
    CGraphic::Animate();
    WidgetText(this, "::Animate").text = *target;
    if (frames >= kBlinkFrames) {
        caretOn = !caretOn;
        frames = 0;
    }
}

// The caret is drawn where the name's text was laid out by its last paint before this
// one: the text, painted after the field, lays itself out again, and every paint of the
// field until the next must put the caret in the same place.
void CTextEdit::DescribeLook(PaintLook& look)
{
    caretLeft = WidgetText(this, "::Paint").extent.left;
    look.Add(caretOn);
    if (caretOn) look.Add(std::min(cursor, target->Size())).Add(*target).Add(*caretLeft);
}

bool CTextEdit::Paint(HDC dc)
{
    if (!CGraphic::Paint(dc)) return false;
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    PlaceCaret(dc);
    if (caretOn) {
        MoveToEx(dc, caretX, rect.top, nullptr);
        LineTo(dc, caretX, rect.bottom);
    }
    return true;
}

void CTextEdit::PlaceCaret(HDC dc)
{
    if (cursor > target->Size()) cursor = target->Size();
    // Measured in the font the text is drawn in.
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE before{0, 0};
    GetTextExtentPoint(dc, *target, static_cast<int>(cursor), &before);
    caretX = before.cx + caretLeft.value_or(WidgetText(this, "::Paint").extent.left);
}
