#include "platform/user/menu.h"

#include "platform/gdi/gdi32.h"
#include "platform/gdi/surface.h"
#include "platform/user/keyboard_layout.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace user {
namespace {

constexpr int kBarPadding = 7;       // left and right of a bar item's text
constexpr int kPopupTextLeft = 20;   // room for a check mark, as Windows leaves
constexpr int kPopupTextRight = 20;
constexpr int kShortcutGap = 24;
constexpr int kPopupItemHeight = 18;
constexpr int kSeparatorHeight = 9;
constexpr int kPopupBorder = 2;
constexpr int kCheckLeft = 4;        // the check mark's left end, inside the pop-up's border

constexpr COLORREF kMenuFace = RGB(240, 240, 240);
constexpr COLORREF kMenuText = RGB(0, 0, 0);
constexpr COLORREF kHighlight = RGB(0, 120, 215);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);
constexpr COLORREF kBorder = RGB(160, 160, 160);
constexpr COLORREF kSeparator = RGB(200, 200, 200);

std::string LabelPart(const std::string& text)
{
    return text.substr(0, text.find('\t'));
}

// A device context for measuring and drawing menu text in the default GUI font.
class MenuDC {
public:
    explicit MenuDC(gdi::Surface* surface)
        : dc(surface ? gdi::CreateSurfaceDC(surface) : CreateCompatibleDC(nullptr))
    {
        if (dc) SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    }
    ~MenuDC()
    {
        if (dc) DeleteDC(dc);
    }
    MenuDC(const MenuDC&) = delete;
    MenuDC& operator=(const MenuDC&) = delete;

    HDC Get() const { return dc; }

private:
    HDC dc;
};

int TextWidth(HDC dc, const std::string& text)
{
    SIZE size{};
    if (!dc || text.empty()) return 0;
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int TextHeight(HDC dc)
{
    SIZE size{};
    if (dc) GetTextExtentPoint32(dc, "Ag", 2, &size);
    return size.cy;
}

void FillBox(HDC dc, RECT box, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// A check mark in the margin before an item's text: a short stroke down to the bottom
// point at (x + 3, y + 2), a long one up from it, each two pixels thick.
void DrawCheck(HDC dc, int x, int y, COLORREF color)
{
    for (int thick = 0; thick < 2; ++thick) {
        DrawLine(dc, x, y - 1 + thick, x + 3, y + 2 + thick, color);
        DrawLine(dc, x + 3, y + 2 + thick, x + 9, y - 4 + thick, color);
    }
}

// Draws a label with its mnemonic underlined, the text cell's top-left at x, y.

void DrawLabel(HDC dc, const std::string& text, int x, int y, COLORREF color)
{
    const std::string label = Menu::Label(text);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    TextOut(dc, x, y, label.c_str(), static_cast<int>(label.size()));
    const std::size_t marker = LabelPart(text).find('&');
    if (marker == std::string::npos || marker + 1 >= LabelPart(text).size()) return;
    const std::string before = Menu::Label(text.substr(0, marker));
    const int left = x + TextWidth(dc, before);
    const int right = left + TextWidth(dc, std::string(1, text[marker + 1]));
    const int underline = y + TextHeight(dc) - 1;
    DrawLine(dc, left, underline, right, underline, color);
}

}  // namespace

Menu::Menu(std::vector<MenuEntry> entries) : bar(std::move(entries)) {}

std::string Menu::Label(const std::string& text)
{
    std::string label;
    const std::string part = LabelPart(text);
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] == '&' && i + 1 < part.size()) ++i;  // "&&" stands for one '&'
        label += part[i];
    }
    return label;
}

char Menu::MnemonicOf(const std::string& text)
{
    const std::string part = LabelPart(text);
    for (std::size_t i = 0; i + 1 < part.size(); ++i) {
        if (part[i] != '&') continue;
        if (part[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(part[i + 1])));
        ++i;
    }
    return 0;
}

std::string Menu::Shortcut(const std::string& text)
{
    const std::size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

void Menu::Layout()
{
    if (laidOut) return;
    MenuDC measure(nullptr);
    int x = 0;
    barSpans.clear();
    popupWidths.clear();
    for (const MenuEntry& entry : bar) {
        const int width = TextWidth(measure.Get(), Label(entry.text)) + 2 * kBarPadding;
        barSpans.push_back(Span{x, x + width});
        x += width;
        int popupWidth = 0;
        for (const MenuEntry& item : entry.popup) {
            const std::string shortcut = Shortcut(item.text);
            const int shortcutWidth = shortcut.empty() ? 0 : kShortcutGap + TextWidth(measure.Get(), shortcut);
            popupWidth = std::max(popupWidth, TextWidth(measure.Get(), Label(item.text)) + shortcutWidth);
        }
        popupWidths.push_back(popupWidth + kPopupTextLeft + kPopupTextRight + 2 * kPopupBorder);
    }
    laidOut = true;
}

std::optional<std::size_t> Menu::BarItemAt(POINT point) const
{
    if (point.y < 0 || point.y >= kBarHeight) return std::nullopt;
    for (std::size_t i = 0; i < barSpans.size(); ++i)
        if (point.x >= barSpans[i].begin && point.x < barSpans[i].end) return i;
    return std::nullopt;
}

int Menu::PopupItemHeight(std::size_t popup, std::size_t item) const
{
    return bar[popup].popup[item].separator ? kSeparatorHeight : kPopupItemHeight;
}

int Menu::PopupItemTop(std::size_t popup, std::size_t item) const
{
    int top = kBarHeight + kPopupBorder;
    for (std::size_t i = 0; i < item; ++i) top += PopupItemHeight(popup, i);
    return top;
}

RECT Menu::PopupRect(std::size_t popup) const
{
    const int left = barSpans[popup].begin;
    const int bottom = PopupItemTop(popup, bar[popup].popup.size()) + kPopupBorder;
    return RECT{left, kBarHeight, left + popupWidths[popup], bottom};
}

POINT Menu::BarItemCentre(std::size_t index) const
{
    return POINT{(barSpans[index].begin + barSpans[index].end) / 2, kBarHeight / 2};
}

std::vector<POINT> Menu::ClickPath(const std::string& text)
{
    Layout();
    for (std::size_t i = 0; i < bar.size(); ++i) {
        if (!bar[i].IsPopup()) {
            if (!bar[i].separator && Label(bar[i].text) == text) return {BarItemCentre(i)};
            continue;
        }
        for (std::size_t item = 0; item < bar[i].popup.size(); ++item) {
            const MenuEntry& entry = bar[i].popup[item];
            if (entry.separator || entry.IsPopup() || Label(entry.text) != text) continue;
            const RECT box = PopupRect(i);
            return {BarItemCentre(i), POINT{(box.left + box.right) / 2, PopupItemTop(i, item) + kPopupItemHeight / 2}};
        }
    }
    return {};
}

std::optional<std::size_t> Menu::PopupItemAt(POINT point) const
{
    if (!openIndex) return std::nullopt;
    const RECT box = PopupRect(*openIndex);
    if (point.x < box.left || point.x >= box.right) return std::nullopt;
    for (std::size_t i = 0; i < OpenItems().size(); ++i) {
        const int top = PopupItemTop(*openIndex, i);
        if (point.y >= top && point.y < top + PopupItemHeight(*openIndex, i) && !OpenItems()[i].separator) return i;
    }
    return std::nullopt;
}

MenuOutcome Menu::Open(std::size_t index)
{
    openIndex = index;
    highlight.reset();
    return MenuOutcome{true, std::nullopt, true};
}

MenuOutcome Menu::Close()
{
    const bool wasOpen = IsOpen();
    openIndex.reset();
    highlight.reset();
    return MenuOutcome{true, std::nullopt, wasOpen};
}

MenuOutcome Menu::Choose(const MenuEntry& entry)
{
    const WORD id = entry.id;
    MenuOutcome outcome = Close();
    outcome.command = id;
    outcome.changed = true;
    return outcome;
}

MenuOutcome Menu::PointerMove(POINT point)
{
    Layout();
    const std::optional<std::size_t> barItem = BarItemAt(point);
    if (!IsOpen()) return MenuOutcome{barItem.has_value() || point.y < kBarHeight, std::nullopt, false};
    // While a pop-up is open, sliding along the bar opens its neighbours.
    if (barItem && *barItem != *openIndex && bar[*barItem].IsPopup()) return Open(*barItem);
    const std::optional<std::size_t> item = PopupItemAt(point);
    const RECT popup = PopupRect(*openIndex);
    const bool changed = item != highlight;
    if (item || !PtInRect(&popup, point)) highlight = item;
    return MenuOutcome{true, std::nullopt, changed};
}

MenuOutcome Menu::PointerDown(POINT point)
{
    Layout();
    const std::optional<std::size_t> barItem = BarItemAt(point);
    if (IsOpen()) {
        if (barItem && *barItem == *openIndex) return Close();
        if (barItem && bar[*barItem].IsPopup()) return Open(*barItem);
        const RECT popup = PopupRect(*openIndex);
        if (PtInRect(&popup, point)) return PointerMove(point);
        return Close();  // the click that dismisses a menu goes no further
    }
    if (barItem && bar[*barItem].IsPopup()) return Open(*barItem);
    return MenuOutcome{point.y >= 0 && point.y < kBarHeight, std::nullopt, false};
}

MenuOutcome Menu::PointerUp(POINT point)
{
    Layout();
    const std::optional<std::size_t> barItem = BarItemAt(point);
    if (IsOpen()) {
        const std::optional<std::size_t> item = PopupItemAt(point);
        if (item) return Choose(OpenItems()[*item]);
        return MenuOutcome{true, std::nullopt, false};
    }
    // Commands on the bar itself act on release, over the item pressed.
    if (barItem && !bar[*barItem].IsPopup() && !bar[*barItem].separator) return Choose(bar[*barItem]);
    return MenuOutcome{point.y >= 0 && point.y < kBarHeight, std::nullopt, false};
}

MenuOutcome Menu::Mnemonic(char character)
{
    const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    for (std::size_t i = 0; i < bar.size(); ++i) {
        if (bar[i].separator || MnemonicOf(bar[i].text) != wanted) continue;
        if (bar[i].IsPopup()) {
            Layout();
            MenuOutcome outcome = Open(i);
            MoveHighlight(1);
            return outcome;
        }
        return Choose(bar[i]);
    }
    return MenuOutcome{};
}

MenuOutcome Menu::MoveHighlight(int step)
{
    const std::size_t count = OpenItems().size();
    std::size_t index = highlight ? *highlight : (step > 0 ? count - 1 : 0);
    for (std::size_t tries = 0; tries < count; ++tries) {
        index = (index + count + static_cast<std::size_t>(step)) % count;
        if (!OpenItems()[index].separator) {
            highlight = index;
            break;
        }
    }
    return MenuOutcome{true, std::nullopt, true};
}

MenuOutcome Menu::Key(UINT vk)
{
    if (!IsOpen()) return MenuOutcome{};
    switch (vk) {
    case VK_ESCAPE:
        return Close();
    case VK_UP:
        return MoveHighlight(-1);
    case VK_DOWN:
        return MoveHighlight(1);
    case VK_LEFT:
        return OpenNeighbour(-1);
    case VK_RIGHT:
        return OpenNeighbour(1);
    case VK_RETURN:
        if (highlight) return Choose(OpenItems()[*highlight]);
        return Close();
    default:
        break;
    }
    const char typed = CharacterOfKey(vk, false);
    for (const MenuEntry& item : OpenItems())
        if (typed != 0 && !item.separator && MnemonicOf(item.text) == typed) return Choose(item);
    return MenuOutcome{true, std::nullopt, false};  // a menu open swallows other keys
}

// The next pop-up along the bar, wrapping around; commands on the bar are passed over.
MenuOutcome Menu::OpenNeighbour(int step)
{
    const std::size_t count = bar.size();
    std::size_t index = *openIndex;
    for (std::size_t tries = 0; tries < count; ++tries) {
        index = (index + count + static_cast<std::size_t>(step)) % count;
        if (bar[index].IsPopup()) break;
    }
    MenuOutcome outcome = Open(index);
    MoveHighlight(1);
    return outcome;
}

void Menu::DrawBar(HDC dc)
{
    const int textTop = (kBarHeight - TextHeight(dc)) / 2;
    FillBox(dc, RECT{0, 0, 1 << 15, kBarHeight}, kMenuFace);
    for (std::size_t i = 0; i < bar.size(); ++i) {
        const bool open = openIndex == i;
        if (open) FillBox(dc, RECT{barSpans[i].begin, 0, barSpans[i].end, kBarHeight}, kHighlight);
        DrawLabel(dc, bar[i].text, barSpans[i].begin + kBarPadding, textTop, open ? kHighlightText : kMenuText);
    }
}

void Menu::DrawPopup(HDC dc)
{
    const RECT box = PopupRect(*openIndex);
    FillBox(dc, box, kBorder);
    FillBox(dc, RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, kMenuFace);
    const int textOffset = (kPopupItemHeight - TextHeight(dc)) / 2;
    for (std::size_t i = 0; i < OpenItems().size(); ++i) {
        const MenuEntry& item = OpenItems()[i];
        const int top = PopupItemTop(*openIndex, i);
        if (item.separator) {
            const int y = top + kSeparatorHeight / 2;
            DrawLine(dc, box.left + kPopupBorder + 1, y, box.right - kPopupBorder - 1, y, kSeparator);
            continue;
        }
        const bool lit = highlight == i;
        if (lit) FillBox(dc, RECT{box.left + kPopupBorder, top, box.right - kPopupBorder, top + kPopupItemHeight}, kHighlight);
        const COLORREF color = lit ? kHighlightText : kMenuText;
        DrawLabel(dc, item.text, box.left + kPopupTextLeft, top + textOffset, color);
        if (item.checked) DrawCheck(dc, box.left + kPopupBorder + kCheckLeft, top + kPopupItemHeight / 2, color);
        const std::string shortcut = Shortcut(item.text);
        if (shortcut.empty()) continue;
        const int right = box.right - kPopupTextRight - TextWidth(dc, shortcut);
        SetTextColor(dc, color);
        TextOut(dc, right, top + textOffset, shortcut.c_str(), static_cast<int>(shortcut.size()));
    }
}

std::optional<bool> Menu::Check(WORD id, bool checked)
{
    for (MenuEntry& top : bar)
        for (MenuEntry& entry : top.popup)
            if (!entry.separator && entry.id == id) return std::exchange(entry.checked, checked);
    return std::nullopt;
}

void Menu::Draw(gdi::Surface& frame)
{
    Layout();
    MenuDC dc(&frame);
    if (!dc.Get()) return;
    DrawBar(dc.Get());
    if (IsOpen()) DrawPopup(dc.Get());
}

}  // namespace user
