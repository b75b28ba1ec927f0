#include "tools/replay/script.h"

#include "platform/user/user32.h"
#include "model/sounds.h"
#include "platform/xinput/xinput.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>

namespace replay {
namespace {

struct VerbSyntax {
    Verb verb;
    enum class Args { Numbers, Key, Text, Focus, Pad, Scores } args;
    std::size_t count;  // numbers expected
};

const std::map<std::string, VerbSyntax>& Verbs()
{
    using A = VerbSyntax::Args;
    static const std::map<std::string, VerbSyntax> verbs = {
        {"seed", {Verb::Seed, A::Numbers, 1}},         {"wait", {Verb::Wait, A::Numbers, 1}},
        {"move", {Verb::Move, A::Numbers, 2}},         {"down", {Verb::Down, A::Numbers, 1}},
        {"up", {Verb::Up, A::Numbers, 1}},             {"click", {Verb::Click, A::Numbers, 2}},
        {"wheel", {Verb::Wheel, A::Numbers, 1}},
        {"key", {Verb::Key, A::Key, 1}},               {"keyup", {Verb::KeyUp, A::Key, 1}},
        {"tap", {Verb::Tap, A::Key, 1}},               {"type", {Verb::Type, A::Text, 0}},
        {"command", {Verb::Command, A::Numbers, 1}},   {"menu", {Verb::Menu, A::Text, 0}},
        {"focus", {Verb::Focus, A::Focus, 0}},         {"shot", {Verb::Shot, A::Text, 0}},
        {"expect-pixel", {Verb::ExpectPixel, A::Numbers, 3}},
        {"expect-sound", {Verb::ExpectSound, A::Text, 0}}, {"expect-silence", {Verb::ExpectSilence, A::Numbers, 0}},
        {"pad", {Verb::PadConnect, A::Pad, 0}},  // the action word decides the verb
        {"port", {Verb::Port, A::Numbers, 1}},         {"wait-joined", {Verb::WaitJoined, A::Numbers, 1}},
        {"wait-screen", {Verb::WaitScreen, A::Text, 0}}, {"wait-frame", {Verb::WaitFrame, A::Numbers, 1}},
        {"watch", {Verb::Watch, A::Text, 0}},          {"watch-latest", {Verb::WatchLatest, A::Numbers, 0}},
        {"expect-scores", {Verb::ExpectScores, A::Scores, 4}},
    };
    return verbs;
}

const std::map<std::string, UINT>& KeyNames()
{
    static const std::map<std::string, UINT> names = {
        {"VK_BACK", VK_BACK},         {"VK_TAB", VK_TAB},         {"VK_RETURN", VK_RETURN},
        {"VK_SHIFT", VK_SHIFT},       {"VK_CONTROL", VK_CONTROL}, {"VK_MENU", VK_MENU},
        {"VK_PAUSE", VK_PAUSE},       {"VK_CAPITAL", VK_CAPITAL}, {"VK_ESCAPE", VK_ESCAPE},
        {"VK_SPACE", VK_SPACE},       {"VK_PRIOR", VK_PRIOR},     {"VK_NEXT", VK_NEXT},
        {"VK_END", VK_END},           {"VK_HOME", VK_HOME},       {"VK_LEFT", VK_LEFT},
        {"VK_UP", VK_UP},             {"VK_RIGHT", VK_RIGHT},     {"VK_DOWN", VK_DOWN},
        {"VK_INSERT", VK_INSERT},     {"VK_DELETE", VK_DELETE},   {"VK_MULTIPLY", VK_MULTIPLY},
        {"VK_ADD", VK_ADD},           {"VK_SUBTRACT", VK_SUBTRACT}, {"VK_DECIMAL", VK_DECIMAL},
        {"VK_DIVIDE", VK_DIVIDE},     {"VK_NUMLOCK", VK_NUMLOCK}, {"VK_SCROLL", VK_SCROLL},
        {"VK_OEM_1", VK_OEM_1},       {"VK_OEM_PLUS", VK_OEM_PLUS}, {"VK_OEM_COMMA", VK_OEM_COMMA},
        {"VK_OEM_MINUS", VK_OEM_MINUS}, {"VK_OEM_PERIOD", VK_OEM_PERIOD}, {"VK_OEM_2", VK_OEM_2},
        {"VK_OEM_3", VK_OEM_3},       {"VK_OEM_4", VK_OEM_4},     {"VK_OEM_5", VK_OEM_5},
        {"VK_OEM_6", VK_OEM_6},       {"VK_OEM_7", VK_OEM_7},
    };
    return names;
}

std::optional<long> ParseNumber(const std::string& word, int base = 10)
{
    if (word.empty()) return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, base);
    if (*end != '\0') return std::nullopt;
    return value;
}

// Function keys and keypad digits by number: VK_F1..VK_F12, VK_NUMPAD0..VK_NUMPAD9.
UINT NumberedKey(const std::string& name, const std::string& prefix, UINT first, long count)
{
    if (name.rfind(prefix, 0) != 0) return 0;
    const std::optional<long> n = ParseNumber(name.substr(prefix.size()));
    const long offset = prefix == "VK_F" ? 1 : 0;
    if (!n || *n < offset || *n >= count + offset) return 0;
    return first + static_cast<UINT>(*n - offset);
}

std::string RestOfLine(std::istringstream& words)
{
    std::string rest;
    std::getline(words, rest);
    const std::size_t start = rest.find_first_not_of(" \t");
    const std::size_t end = rest.find_last_not_of(" \t\r");
    return start == std::string::npos ? std::string() : rest.substr(start, end - start + 1);
}

std::string ParsePad(std::istringstream& words, Command& command);

std::string ParseArguments(const VerbSyntax& syntax, std::istringstream& words, Command& command)
{
    using A = VerbSyntax::Args;
    std::string word;
    switch (syntax.args) {
    case A::Pad:
        return ParsePad(words, command);
    case A::Text:
        command.text = RestOfLine(words);
        return command.text.empty() ? "missing text" : "";
    case A::Focus:
        words >> word;
        if (word != "on" && word != "off") return "focus wants on or off";
        command.numbers.push_back(word == "on");
        break;
    case A::Key: {
        words >> word;
        const UINT vk = ParseKey(word);
        if (vk == 0) return "unknown key '" + word + "'";
        command.numbers.push_back(vk);
        break;
    }
    case A::Scores:
        for (std::size_t i = 0; i < syntax.count; ++i) {
            if (!(words >> word)) return "wants four scores ('-' for a player who did not play)";
            const std::optional<long> n = word == "-" ? std::optional<long>(-1) : ParseNumber(word);
            if (!n || *n < -1) return "bad score '" + word + "'";
            command.numbers.push_back(*n);
        }
        break;
    case A::Numbers:
        for (std::size_t i = 0; i < syntax.count; ++i) {
            if (!(words >> word)) return "missing number";
            const bool colour = command.verb == Verb::ExpectPixel && i == 2;
            const std::optional<long> n = ParseNumber(word, colour ? 16 : 10);
            if (!n || (colour && word.size() != 6)) return "bad number '" + word + "'";
            command.numbers.push_back(*n);
        }
        break;
    }
    if (words >> word) return "unexpected '" + word + "'";
    return "";
}

bool KnownSound(const std::string& name)
{
    for (const SoundResource& resource : kSoundResources)
        if (name == resource.name) return true;
    return false;
}

// Values that the host could not carry: negative waits, unknown buttons, sounds.
std::string CheckRanges(const Command& command)
{
    const auto& n = command.numbers;
    switch (command.verb) {
    case Verb::ExpectSound:
        return KnownSound(command.text) ? "" : "no sound is called '" + command.text + "'";
    case Verb::Wait:
    case Verb::WaitFrame:
        return n[0] < 0 || n[0] > 1000000 ? "waits are 0 to 1000000 frames" : "";
    case Verb::Port:
        return n[0] < 1 || n[0] > 65535 ? "ports are 1 to 65535" : "";
    case Verb::WaitJoined:
        return n[0] < 0 || n[0] > 3 ? "wait-joined wants 0 to 3 machines" : "";
    case Verb::Down:
    case Verb::Up:
        return n[0] < 0 || n[0] > 2 ? "buttons are 0, 1 and 2" : "";
    case Verb::Command:
        return n[0] < 0 || n[0] > 0xFFFF ? "command ids are 0 to 65535" : "";
    case Verb::Move:
    case Verb::Click:
    case Verb::ExpectPixel:
        return n[0] < -32768 || n[0] > 32767 || n[1] < -32768 || n[1] > 32767 ? "coordinate out of range" : "";
    default:
        return "";
    }
}

const std::map<std::string, WORD>& PadButtons()
{
    static const std::map<std::string, WORD> buttons = {
        {"A", XINPUT_GAMEPAD_A},        {"B", XINPUT_GAMEPAD_B},
        {"X", XINPUT_GAMEPAD_X},        {"Y", XINPUT_GAMEPAD_Y},
        {"START", XINPUT_GAMEPAD_START}, {"BACK", XINPUT_GAMEPAD_BACK},
        {"LB", XINPUT_GAMEPAD_LEFT_SHOULDER}, {"RB", XINPUT_GAMEPAD_RIGHT_SHOULDER},
        {"UP", XINPUT_GAMEPAD_DPAD_UP}, {"DOWN", XINPUT_GAMEPAD_DPAD_DOWN},
        {"LEFT", XINPUT_GAMEPAD_DPAD_LEFT}, {"RIGHT", XINPUT_GAMEPAD_DPAD_RIGHT},
    };
    return buttons;
}

// A number of the line within [low, high].
std::string ReadNumberIn(std::istringstream& words, long low, long high, const char* what, Command& command)
{
    std::string word;
    if (!(words >> word)) return std::string("missing ") + what;
    const std::optional<long> n = ParseNumber(word);
    if (!n || *n < low || *n > high)
        return std::string(what) + " wants " + std::to_string(low) + " to " + std::to_string(high);
    command.numbers.push_back(*n);
    return "";
}

// pad N connect NAME | disconnect | button NAME down|up | stick X Y | trigger L|R VALUE
std::string ParsePad(std::istringstream& words, Command& command)
{
    if (std::string error = ReadNumberIn(words, 0, 3, "pad slot", command); !error.empty()) return error;
    std::string action, word;
    words >> action;
    if (action == "connect") {
        command.verb = Verb::PadConnect;
        command.text = RestOfLine(words);
        return command.text.empty() ? "missing pad name" : "";
    }
    if (action == "disconnect") {
        command.verb = Verb::PadDisconnect;
    } else if (action == "button") {
        command.verb = Verb::PadButton;
        words >> word;
        const auto button = PadButtons().find(word);
        if (button == PadButtons().end()) return "unknown pad button '" + word + "'";
        command.numbers.push_back(button->second);
        words >> word;
        if (word != "down" && word != "up") return "a pad button goes down or up";
        command.numbers.push_back(word == "down");
    } else if (action == "stick") {
        command.verb = Verb::PadStick;
        for (const char* axis : {"stick x", "stick y"})
            if (std::string error = ReadNumberIn(words, -32768, 32767, axis, command); !error.empty()) return error;
    } else if (action == "trigger") {
        command.verb = Verb::PadTrigger;
        words >> word;
        if (word != "L" && word != "R") return "a trigger is L or R";
        command.numbers.push_back(word == "R");
        if (std::string error = ReadNumberIn(words, 0, 255, "trigger", command); !error.empty()) return error;
    } else {
        return "unknown pad action '" + action + "'";
    }
    if (words >> word) return "unexpected '" + word + "'";
    return "";
}

}  // namespace

UINT ParseKey(const std::string& name)
{
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    if (const auto found = KeyNames().find(name); found != KeyNames().end()) return found->second;
    if (const UINT f = NumberedKey(name, "VK_F", VK_F1, 12)) return f;
    if (const UINT pad = NumberedKey(name, "VK_NUMPAD", VK_NUMPAD0, 10)) return pad;
    const std::optional<long> number = ParseNumber(name);
    return number && *number > 0 && *number < 256 ? static_cast<UINT>(*number) : 0;
}

ParseResult ParseScript(std::istream& in)
{
    ParseResult result;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string verb;
        if (!(words >> verb)) continue;
        const auto syntax = Verbs().find(verb);
        if (syntax == Verbs().end()) {
            result.errors.push_back("line " + std::to_string(number) + ": unknown command '" + verb + "'");
            continue;
        }
        Command command{syntax->second.verb, number, {}, ""};
        std::string error = ParseArguments(syntax->second, words, command);
        if (error.empty()) error = CheckRanges(command);
        if (!error.empty())
            result.errors.push_back("line " + std::to_string(number) + ": " + verb + ": " + error);
        else
            result.commands.push_back(command);
    }
    return result;
}

}  // namespace replay
