// The Windows program takes its menu, accelerators and About box from app/quorvel.rc;
// elsewhere app/resources.cpp registers them with our Win32. This reads the resource
// script and fails on any difference: every menu entry and id, every accelerator, the
// dialog's caption, place and size, and each of its controls.

#include "app/resources.h"
#include "app/version.h"
#include "platform/user/resources.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// ---- reading the script --------------------------------------------------------------

struct Token {
    enum Kind { Word, Number, Text, Punctuation } kind;
    std::string text;
    long number = 0;
};

std::string Unescape(const std::string& body)
{
    std::string text;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\\' && i + 1 < body.size()) {
            const char c = body[++i];
            text += c == 't' ? '\t' : c == 'n' ? '\n' : c;
        } else if (body[i] == '"' && i + 1 < body.size() && body[i + 1] == '"') {
            text += body[++i];
        } else {
            text += body[i];
        }
    }
    return text;
}

// The string macros the script takes from app/version.h, as their text.
std::optional<std::string> MacroText(const std::string& name)
{
    static const std::map<std::string, std::string> macros = {
        {"QUORVEL_ABOUT_VERSION_LINE", QUORVEL_ABOUT_VERSION_LINE}, {"QUORVEL_LICENCE_LINE", QUORVEL_LICENCE_LINE}};
    if (const auto found = macros.find(name); found != macros.end()) return found->second;
    return std::nullopt;
}

// Tokens of the script without comments and preprocessor lines; string macros are
// replaced by their text.
std::vector<Token> Tokens(const std::string& script)
{
    std::vector<Token> tokens;
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        std::size_t i = line.find_first_not_of(" \t\r");
        if (i == std::string::npos || line[i] == '#') continue;
        while (i < line.size()) {
            const char c = line[i];
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++i;
            } else if (line.compare(i, 2, "//") == 0) {
                break;
            } else if (c == '"') {
                std::size_t end = i + 1;
                while (end < line.size() && (line[end] != '"' || (end + 1 < line.size() && line[end + 1] == '"'))) {
                    end += line[end] == '\\' || line[end] == '"' ? 2 : 1;
                }
                tokens.push_back({Token::Text, Unescape(line.substr(i + 1, end - i - 1))});
                i = end + 1;
            } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-') {
                std::size_t used = 0;
                const long value = std::stol(line.substr(i), &used, 0);
                tokens.push_back({Token::Number, line.substr(i, used), value});
                i += used;
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                std::size_t end = i;
                while (end < line.size() && (std::isalnum(static_cast<unsigned char>(line[end])) || line[end] == '_'))
                    ++end;
                const std::string word = line.substr(i, end - i);
                if (const auto text = MacroText(word))
                    tokens.push_back({Token::Text, *text});
                else
                    tokens.push_back({Token::Word, word});
                i = end;
            } else {
                tokens.push_back({Token::Punctuation, std::string(1, c)});
                ++i;
            }
        }
    }
    return tokens;
}

// The names the script uses for numbers.
long NamedValue(const std::string& name)
{
    static const std::map<std::string, long> names = {
        {"IDOK", IDOK}, {"IDCANCEL", IDCANCEL}, {"VK_ESCAPE", VK_ESCAPE}, {"VK_SPACE", VK_SPACE},
        {"VK_RETURN", VK_RETURN}, {"VK_TAB", VK_TAB}, {"VK_BACK", VK_BACK}, {"VK_PAUSE", VK_PAUSE},
    };
    if (const auto found = names.find(name); found != names.end()) return found->second;
    if (name.rfind("VK_F", 0) == 0 && name.size() > 4) return VK_F1 + std::stol(name.substr(4)) - 1;
    throw std::runtime_error("the resource script uses a name this test does not know: " + name);
}

class Script {
public:
    explicit Script(const std::string& text) : tokens(Tokens(text)) {}

    bool AtEnd() const { return at >= tokens.size(); }
    const Token& Peek() const
    {
        if (AtEnd()) throw std::runtime_error("the resource script ends too early");
        return tokens[at];
    }
    Token Next()
    {
        const Token token = Peek();
        ++at;
        return token;
    }
    bool Take(const std::string& text)
    {
        if (AtEnd() || Peek().text != text || Peek().kind == Token::Text) return false;
        ++at;
        return true;
    }
    void Expect(const std::string& text)
    {
        if (!Take(text)) throw std::runtime_error("expected " + text + " before " + Peek().text);
    }
    std::string Text()
    {
        const Token token = Next();
        if (token.kind != Token::Text) throw std::runtime_error("expected a string, not " + token.text);
        return token.text;
    }
    long Value()
    {
        const Token token = Next();
        if (token.kind == Token::Number) return token.number;
        if (token.kind == Token::Word) return NamedValue(token.text);
        throw std::runtime_error("expected a number, not " + token.text);
    }
    // A style: names joined by |, which this test does not compare.
    void SkipFlags()
    {
        do Next();
        while (Take("|"));
    }

private:
    std::vector<Token> tokens;
    std::size_t at = 0;
};

// ---- one description for both sides --------------------------------------------------
// Each resource becomes lines of text, so that a failure shows the lines that differ.

using Lines = std::vector<std::string>;

void DescribeMenu(const std::vector<user::MenuEntry>& entries, const std::string& path, Lines& lines)
{
    for (const user::MenuEntry& entry : entries) {
        if (entry.separator)
            lines.push_back(path + "separator");
        else if (entry.IsPopup())
            DescribeMenu(entry.popup, path + entry.text + " > ", lines);
        else
            lines.push_back(path + entry.text + " = " + std::to_string(entry.id));
    }
}

std::string DescribeKey(const ACCEL& key)
{
    return "flags " + std::to_string(key.fVirt) + ", key " + std::to_string(key.key) + " -> " + std::to_string(key.cmd);
}

std::string Rect(const RECT& r)
{
    return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom);
}

Lines DescribeDialog(const user::DialogTemplate& dialog)
{
    Lines lines{"caption \"" + dialog.title + "\" at " + Rect(dialog.bounds)};
    for (const user::DialogControl& control : dialog.controls) {
        const char* kind = control.kind == user::DialogControlKind::Static ? "static"
                           : control.kind == user::DialogControlKind::Icon ? "icon"
                           : control.isDefault                             ? "default button"
                                                                           : "button";
        lines.push_back(std::string(kind) + " \"" + control.text + "\" id " + std::to_string(control.id) + " at " +
                        Rect(control.bounds));
    }
    return lines;
}

// ---- the script's resources, parsed ----------------------------------------------------

std::vector<user::MenuEntry> ParseMenu(Script& script)
{
    std::vector<user::MenuEntry> entries;
    script.Expect("BEGIN");
    while (!script.Take("END")) {
        if (script.Take("POPUP")) {
            std::string text = script.Text();
            entries.push_back(user::MenuPopup(std::move(text), ParseMenu(script)));
        } else {
            script.Expect("MENUITEM");
            if (script.Take("SEPARATOR")) {
                entries.push_back(user::MenuSeparator());
                continue;
            }
            std::string text = script.Text();
            script.Expect(",");
            entries.push_back(user::MenuItem(std::move(text), static_cast<WORD>(script.Value())));
            while (script.Take(",")) script.Next();
        }
    }
    return entries;
}

std::vector<ACCEL> ParseAccelerators(Script& script)
{
    static const std::map<std::string, BYTE> flags = {
        {"VIRTKEY", FVIRTKEY}, {"ASCII", 0}, {"NOINVERT", FNOINVERT}, {"ALT", FALT}, {"SHIFT", FSHIFT},
        {"CONTROL", FCONTROL}};
    std::vector<ACCEL> table;
    script.Expect("BEGIN");
    while (!script.Take("END")) {
        ACCEL key{};
        const Token first = script.Peek();
        if (first.kind == Token::Text) {
            script.Next();
            if (first.text.size() != 1) throw std::runtime_error("an accelerator key of more than one character");
            key.key = static_cast<unsigned char>(first.text[0]);
        } else {
            key.key = static_cast<WORD>(script.Value());
        }
        script.Expect(",");
        key.cmd = static_cast<WORD>(script.Value());
        while (script.Take(",")) key.fVirt |= flags.at(script.Next().text);
        table.push_back(key);
    }
    return table;
}

RECT ParseBounds(Script& script)
{
    RECT r{};
    r.left = script.Value();
    script.Expect(",");
    r.top = script.Value();
    script.Expect(",");
    r.right = script.Value();
    script.Expect(",");
    r.bottom = script.Value();
    return r;
}

user::DialogControl ParseControl(Script& script)
{
    const std::string keyword = script.Next().text;
    user::DialogControl control{};
    if (keyword == "ICON") {
        control.kind = user::DialogControlKind::Icon;
        script.Next();  // the icon resource it shows
    } else if (keyword == "LTEXT" || keyword == "CTEXT" || keyword == "RTEXT") {
        control.kind = user::DialogControlKind::Static;
        control.text = script.Text();
    } else if (keyword == "PUSHBUTTON" || keyword == "DEFPUSHBUTTON") {
        control.kind = user::DialogControlKind::PushButton;
        control.isDefault = keyword == "DEFPUSHBUTTON";
        control.text = script.Text();
    } else {
        throw std::runtime_error("a dialog control this test does not know: " + keyword);
    }
    script.Expect(",");
    control.id = static_cast<int>(script.Value());
    script.Expect(",");
    control.bounds = ParseBounds(script);
    while (script.Take(",")) script.SkipFlags();
    return control;
}

user::DialogTemplate ParseDialog(Script& script)
{
    user::DialogTemplate dialog{};
    dialog.bounds = ParseBounds(script);
    while (!script.Take("BEGIN")) {
        const std::string statement = script.Next().text;
        if (statement == "CAPTION") {
            dialog.title = script.Text();
        } else if (statement == "FONT") {
            script.Value();
            script.Expect(",");
            script.Text();
        } else if (statement == "STYLE" || statement == "EXSTYLE") {
            script.SkipFlags();
        } else {
            throw std::runtime_error("a dialog statement this test does not know: " + statement);
        }
    }
    while (!script.Take("END")) dialog.controls.push_back(ParseControl(script));
    return dialog;
}

struct ScriptResources {
    std::map<long, Lines> menus, accelerators, dialogs;
};

ScriptResources Parse(const std::string& text)
{
    ScriptResources found;
    Script script(text);
    while (!script.AtEnd()) {
        const long id = script.Value();
        const std::string kind = script.Next().text;
        if (kind == "MENU") {
            DescribeMenu(ParseMenu(script), "", found.menus[id]);
        } else if (kind == "ACCELERATORS") {
            for (const ACCEL& key : ParseAccelerators(script)) found.accelerators[id].push_back(DescribeKey(key));
        } else if (kind == "DIALOG") {
            found.dialogs[id] = DescribeDialog(ParseDialog(script));
        } else if (kind == "ICON" || kind == "WAVE") {
            script.Text();  // a file; the sound tests check the WAVE resources
        } else {
            throw std::runtime_error("a resource kind this test does not know: " + kind);
        }
    }
    return found;
}

std::string ReadScript()
{
    const auto path = std::filesystem::path(QUORVEL_ASSET_DIR).parent_path() / "app" / "quorvel.rc";
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// ---- the comparison --------------------------------------------------------------------

TEST(ResourceScript, AgreesWithTheRegisteredResources)
{
    resources::Register();
    const ScriptResources script = Parse(ReadScript());

    const auto* menu = user::FindMenu(MAKEINTRESOURCE(resources::kMenu));
    ASSERT_NE(menu, nullptr);
    Lines registeredMenu;
    DescribeMenu(*menu, "", registeredMenu);
    EXPECT_EQ(script.menus.count(resources::kMenu), 1u) << "no menu " << resources::kMenu << " in the script";
    EXPECT_EQ(script.menus.count(resources::kMenu) ? script.menus.at(resources::kMenu) : Lines{}, registeredMenu);

    const auto* keys = user::FindAccelerators(MAKEINTRESOURCE(resources::kAccelerators));
    ASSERT_NE(keys, nullptr);
    Lines registeredKeys;
    for (const ACCEL& key : *keys) registeredKeys.push_back(DescribeKey(key));
    EXPECT_EQ(script.accelerators.count(resources::kAccelerators) ? script.accelerators.at(resources::kAccelerators)
                                                                  : Lines{},
              registeredKeys);

    const auto* about = user::FindDialog(MAKEINTRESOURCE(resources::kAboutDialog));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(script.dialogs.count(resources::kAboutDialog) ? script.dialogs.at(resources::kAboutDialog) : Lines{},
              DescribeDialog(*about));

    EXPECT_EQ(script.menus.size() + script.accelerators.size() + script.dialogs.size(), 3u)
        << "the script holds resources the program does not register";
}

// The reader itself: a script that differs must be seen to differ.
TEST(ResourceScript, ReaderSeesEveryPart)
{
    const ScriptResources found = Parse(
        "#include <windows.h>\n"
        "7 MENU\nBEGIN\n  MENUITEM \"&Go\\tF5\", 12\n  POPUP \"&More\"\n  BEGIN\n"
        "    MENUITEM SEPARATOR\n    MENUITEM \"Say \"\"hi\"\"\", 13, GRAYED\n  END\nEND\n"
        "8 ACCELERATORS\nBEGIN\n  \"/\", 104, ASCII, ALT, NOINVERT\n  VK_F4, 12, VIRTKEY\nEND\n"
        "9 DIALOG 1, 2, 30, 40\nSTYLE WS_CAPTION | DS_SETFONT\nCAPTION \"About\"\nFONT 10, \"Arial\"\nBEGIN\n"
        "  ICON 107, 101, 14, 9, 0, 0 // empty\n  LTEXT \"Line\", -1, 5, 6, 7, 8, SS_NOPREFIX\n"
        "  LTEXT QUORVEL_LICENCE_LINE, -1, 5, 16, 7, 8\n"
        "  DEFPUSHBUTTON \"OK\", IDOK, 1, 2, 3, 4\nEND\n");
    EXPECT_EQ(found.menus.at(7), (Lines{"&Go\tF5 = 12", "&More > separator", "&More > Say \"hi\" = 13"}));
    EXPECT_EQ(found.accelerators.at(8),
              (Lines{"flags 18, key 47 -> 104", "flags 1, key " + std::to_string(VK_F4) + " -> 12"}));
    EXPECT_EQ(found.dialogs.at(9), (Lines{"caption \"About\" at 1, 2, 30, 40", "icon \"\" id 101 at 14, 9, 0, 0",
                                          "static \"Line\" id -1 at 5, 6, 7, 8",
                                          "static \"" QUORVEL_LICENCE_LINE "\" id -1 at 5, 16, 7, 8",
                                          "default button \"OK\" id 1 at 1, 2, 3, 4"}));
    EXPECT_THROW(Parse("1 MENU\nBEGIN\n  MENUITEM \"x\"\n"), std::runtime_error);
}

}  // namespace
