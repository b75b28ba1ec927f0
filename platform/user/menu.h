#pragma once
// A window's menu bar and its pop-ups: layout, drawing onto the window's frame, and
// the rules by which the pointer and the keyboard choose an item. The bar sits above
// the client area; an open pop-up hangs below its bar item, over the client area.
// Choosing a command yields its id; the window system posts the WM_COMMAND.

#include "platform/user/resources.h"

#include <optional>
#include <string>
#include <vector>

namespace gdi {
class Surface;
}

namespace user {

// What the menu did with an event.
struct MenuOutcome {
    bool consumed = false;        // the window does not see the event
    std::optional<WORD> command;  // a command was chosen
    bool changed = false;         // the picture changed
};

class Menu {
public:
    static constexpr int kBarHeight = 20;

    explicit Menu(std::vector<MenuEntry> bar);

    const std::vector<MenuEntry>& Entries() const { return bar; }
    bool IsOpen() const { return openIndex.has_value(); }

    // Pointer events in frame coordinates (the bar's top-left is 0, 0).
    MenuOutcome PointerMove(POINT point);
    MenuOutcome PointerDown(POINT point);
    MenuOutcome PointerUp(POINT point);

    // Alt+character: opens the pop-up, or chooses the bar command, with that mnemonic.
    MenuOutcome Mnemonic(char character);
    // A key while a pop-up is open: its item mnemonics, the arrows (left and right go
    // to the neighbouring pop-ups), Enter and Esc.
    MenuOutcome Key(UINT vk);
    MenuOutcome Close();

    // Where the pointer clicks, in frame coordinates, to choose the command whose label
    // (the text without '&' markers and shortcut) is text: its bar item, or its pop-up's bar item and then the item. Empty when none.
    std::vector<POINT> ClickPath(const std::string& text);

    // Sets or clears the check mark of the pop-up item with this command id; its former
    // state, or nothing when there is no such item.
    std::optional<bool> Check(WORD id, bool checked);

    // Draws the bar over the frame's top rows and the open pop-up below it.
    void Draw(gdi::Surface& frame);

    // Text helpers, shared with drawing and tests: the label without '&' markers, the
    // mnemonic character (lower case) or 0, and the shortcut text after the tab.
    static std::string Label(const std::string& text);
    static char MnemonicOf(const std::string& text);
    static std::string Shortcut(const std::string& text);

private:
    struct Span {
        int begin;
        int end;
    };
    void Layout();
    std::optional<std::size_t> BarItemAt(POINT point) const;
    std::optional<std::size_t> PopupItemAt(POINT point) const;
    RECT PopupRect(std::size_t popup) const;
    int PopupItemTop(std::size_t popup, std::size_t item) const;
    int PopupItemHeight(std::size_t popup, std::size_t item) const;
    POINT BarItemCentre(std::size_t index) const;
    MenuOutcome Choose(const MenuEntry& entry);
    MenuOutcome Open(std::size_t index);
    MenuOutcome MoveHighlight(int step);
    MenuOutcome OpenNeighbour(int step);
    const std::vector<MenuEntry>& OpenItems() const { return bar[*openIndex].popup; }
    void DrawBar(HDC dc);
    void DrawPopup(HDC dc);

    std::vector<MenuEntry> bar;
    std::vector<Span> barSpans;
    std::vector<int> popupWidths;
    bool laidOut = false;
    std::optional<std::size_t> openIndex;
    std::optional<std::size_t> highlight;  // the pop-up item under the pointer or keys
};

}  // namespace user
