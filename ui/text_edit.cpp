#include "ui/text_edit.h"

#include "screens/data.h"
#include "ui/text.h"
#include "ui/widget_parts.h"

#include <cctype>
#include <climits>
#include <string>

namespace {

constexpr unsigned int kWidth = 100;
constexpr unsigned int kHeight = 20;

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

bool ShiftHeld() { return GetAsyncKeyState(VK_SHIFT) != 0; }

}  // namespace

char NameCharacter(unsigned int key, bool shift)
{
    const UINT c = MapVirtualKey(key, MAPVK_VK_TO_CHAR);
    // Dead keys come back with the top bit set; only plain characters are classified.
    if (c > UCHAR_MAX || !std::isalnum(static_cast<int>(c))) return 0;
    return static_cast<char>(shift ? c : std::tolower(static_cast<int>(c)));
}

CTextEdit::CTextEdit(unsigned int x, unsigned int y, str* target, const LList<CObject>& parents)
    : CGraphic(parents, Rect(x, y, x + kWidth, y + kHeight)), target(target), savedText(*target)
{
    type.Load("CTextEdit");
    new CNormText(*target, LList<CObject>(false, 2, this, GetParent(str("CGraphicHolder"), false, 1)), Rect());
}

CTextEdit::~CTextEdit()
{
    // A name cannot be left empty. When the whole tree is torn down, the shared settings
    // that hold the name go before the screens, and there is nothing left to restore.
    if (!FindData(this)) return;
    if (target->Size() == 0) *target = savedText;
}

bool CTextEdit::HasType(str t) const { return t == "CTextEdit" || CGraphic::HasType(t); }

void CTextEdit::KeyDown(unsigned int key, bool down)
{
    CGraphic::KeyDown(key, down);
    if (!down) EditKey(key);
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
    default:
        if (char c = NameCharacter(key, ShiftHeld())) Enter(c);
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

void CTextEdit::Enter(char c)
{
    *target = WithCharacter(*target, cursor, c);
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
    caretX = before.cx + WidgetText(this, "::Paint").extent.left;
}
