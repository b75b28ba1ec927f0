#pragma once
// Resources as data. On Windows a resource script carries the program's menus,
// accelerator tables and dialog templates; here the program registers the same data
// under the same ids before it loads them (LoadMenu, the class menu, LoadAccelerators,
// DialogBoxParam).
//
//   user::RegisterMenu(979, {
//       user::MenuItem("!&Boss!", 302),
//       user::MenuPopup("&Game", {user::MenuItem("&New Game\tF2", 301), user::MenuSeparator()}),
//   });
//   user::RegisterAccelerators(109, {{FVIRTKEY | FNOINVERT, VK_F2, 301}, {FALT, '/', 104}});
//   user::RegisterDialog(103, {"", {22, 17, 191, 80}, {user::DialogStatic("Quorvel 0.5b"),
//                                                    user::DialogButton("OK", IDOK, true)}});

#include "platform/user/user32.h"

#include <optional>
#include <string>
#include <vector>

namespace user {

// One entry of a menu: a command (text and id), a separator, or a pop-up with entries.
struct MenuEntry {
    std::string text;
    WORD id = 0;
    bool separator = false;
    std::vector<MenuEntry> popup;
    bool checked = false;  // a check mark before the item's text

    bool IsPopup() const { return !popup.empty(); }
};

MenuEntry MenuItem(std::string text, WORD id);
MenuEntry MenuSeparator();
MenuEntry MenuPopup(std::string text, std::vector<MenuEntry> entries);

enum class DialogControlKind { Static, PushButton, Icon };

struct DialogControl {
    DialogControlKind kind;
    std::string text;
    int id;
    bool isDefault;
    RECT bounds;  // dialog units
};

DialogControl DialogStatic(std::string text, RECT bounds = {});
DialogControl DialogButton(std::string text, int id, bool isDefault, RECT bounds = {});
DialogControl DialogIcon(int id, RECT bounds = {});

struct DialogTemplate {
    std::string title;
    RECT bounds;  // dialog units: x, y, width, height as left, top, right, bottom
    std::vector<DialogControl> controls;
};

// Registering an id again replaces what it held.
void RegisterMenu(WORD id, std::vector<MenuEntry> bar);
void RegisterAccelerators(WORD id, std::vector<ACCEL> table);
void RegisterDialog(WORD id, DialogTemplate dialog);

// The id behind a resource name: an integer resource or a string of digits, "#979" or
// "979"; none for anything else.
std::optional<WORD> ResourceId(LPCSTR name);

// Look-ups by resource name; null when nothing is registered under it.
const std::vector<MenuEntry>* FindMenu(LPCSTR name);
const std::vector<ACCEL>* FindAccelerators(LPCSTR name);
const DialogTemplate* FindDialog(LPCSTR name);

}  // namespace user
