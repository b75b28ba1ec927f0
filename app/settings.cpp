#include "app/settings.h"

#include "model/controls.h"
#include "net/link_maker.h"
#include "model/data.h"
#include "ui/text_edit.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

namespace {

constexpr char kFileName[] = "quorvel.ini";
constexpr unsigned int kLongestName = 255;
constexpr std::size_t kLongestReport = 12;

constexpr const char* kControlKeys[CControls::ControlCount] = {"Up",   "Down",    "Left", "Right",
                                                                 "Grab", "Special", "Speed"};
constexpr const char* kSideKeys[kPadSlots] = {"Bottom", "Left", "Top", "Right"};
constexpr unsigned int kDefaultKeys[CControls::ControlCount] = {VK_UP,    VK_DOWN, VK_LEFT, VK_RIGHT,
                                                                  VK_SPACE, VK_UP,   VK_SHIFT};

const char* const kSidesSection = "Sides";
const char* const kGameSection = "Game";

std::string PlayerSection(unsigned int index) { return "Player" + std::to_string(index + 1); }

// A folder of the user's: `windows` under %APPDATA%\Quorvel on Windows; elsewhere `path`
// under the folder that the XDG variable `xdg` names, or under HOME/`home` when it is
// unset (or not absolute). Empty when there is none.
std::string UserFolder(const char* windows, const char* xdg, const char* home, const char* path)
{
#ifdef _WIN32
    (void)xdg, (void)home, (void)path;
    const char* appData = std::getenv("APPDATA");
    return appData && *appData ? std::string(appData) + "\\Quorvel" + windows : "";
#else
    (void)windows;
    const char* base = std::getenv(xdg);
    if (base && base[0] == '/') return std::string(base) + "/" + path;
    const char* user = std::getenv("HOME");
    return user && *user ? std::string(user) + "/" + home + "/" + path : "";
#endif
}

std::string SettingsFolder() { return UserFolder("", "XDG_CONFIG_HOME", ".config", "quorvel"); }

}  // namespace

std::string RecordsFile()
{
    const std::string folder = SettingsFolder();
#ifdef _WIN32
    return folder.empty() ? "" : folder + "\\records.txt";
#else
    return folder.empty() ? "" : folder + "/records.txt";
#endif
}

std::string ReplaysFolder() { return UserFolder("\\replays", "XDG_DATA_HOME", ".local/share", "quorvel/replays"); }

namespace {

std::string InFolder(const std::string& folder, const char* name)
{
#ifdef _WIN32
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The names the file may hold, in lower case, by section; anything else is unknown.
std::map<std::string, std::set<std::string>> KnownKeys()
{
    std::set<std::string> player = {"name", "red", "green", "blue", "shape", "input", "level", "pad"};
    for (const char* key : kControlKeys) player.insert(Lower(key));
    std::map<std::string, std::set<std::string>> known;
    for (unsigned int i = 0; i < CData::kPlayers; ++i) known[Lower(PlayerSection(i))] = player;
    for (const char* key : kSideKeys) known[Lower(kSidesSection)].insert(Lower(key));
    known[Lower(kGameSection)] = {"sound", "join"};
    return known;
}

// Reads one file's values, checking each, and keeps a list of what it had to ignore.
class Reader {
public:
    explicit Reader(const std::string& path) : path(path) {}

    std::optional<std::string> Raw(const std::string& section, const char* key, DWORD size)
    {
        static const char kMissing[] = "\x01missing";
        std::string value(size, '\0');
        const DWORD length = GetPrivateProfileString(section.c_str(), key, kMissing, value.data(), size, path.c_str());
        value.resize(length);
        if (value == kMissing) return std::nullopt;
        return value;
    }

    std::optional<unsigned int> Number(const std::string& section, const char* key, unsigned int low,
                                       unsigned int high)
    {
        const std::optional<std::string> text = Raw(section, key, 16);
        if (!text) return std::nullopt;
        const bool digits = !text->empty() && text->size() <= 9 &&
                            text->find_first_not_of("0123456789") == std::string::npos;
        const unsigned long value = digits ? std::strtoul(text->c_str(), nullptr, 10) : 0;
        if (digits && value >= low && value <= high) return static_cast<unsigned int>(value);
        Ignore("[" + section + "] " + key + "=" + Shown(*text) + " (wants " + std::to_string(low) + " to " +
               std::to_string(high) + ")");
        return std::nullopt;
    }

    // The address last joined, when it is one.
    std::optional<std::string> Address(const std::string& section, const char* key)
    {
        const std::optional<std::string> text = Raw(section, key, CTextEdit::kMaxAddress + 2);
        if (!text) return std::nullopt;
        if (text->size() <= CTextEdit::kMaxAddress && net::ParseAddress(*text)) return text;
        Ignore("[" + section + "] " + key + "=" + Shown(*text) + " (not an address)");
        return std::nullopt;
    }

    // Printable characters only, at most kLongestName of them.
    std::optional<std::string> Name(const std::string& section, const char* key)
    {
        const std::optional<std::string> text = Raw(section, key, kLongestName + 2);
        if (!text) return std::nullopt;
        if (text->size() > kLongestName) {
            Ignore("[" + section + "] " + key + ": longer than " + std::to_string(kLongestName) + " characters");
            return std::nullopt;
        }
        for (const char c : *text)
            if (c < ' ' || c > '~') {
                Ignore("[" + section + "] " + key + ": characters that are not text");
                return std::nullopt;
            }
        return text;
    }

    // Unknown sections and keys, and a file with no sections at all (junk).
    void CheckNames()
    {
        const auto known = KnownKeys();
        const std::vector<std::string> sections = List(nullptr);
        std::error_code error;
        if (sections.empty() && std::filesystem::file_size(path, error) > 0 && !error)
            Ignore("everything: the file holds no settings");
        for (const std::string& section : sections) {
            const auto keys = known.find(Lower(section));
            if (keys == known.end()) {
                Ignore("unknown section [" + Shown(section) + "]");
                unknownSections.insert(section);
                continue;
            }
            for (const std::string& key : List(section.c_str()))
                if (!keys->second.contains(Lower(key))) Ignore("unknown key [" + section + "] " + Shown(key));
        }
    }

    void Ignore(const std::string& what) { ignored.push_back(what); }

    std::vector<std::string> ignored;
    std::set<std::string> unknownSections;

private:
    // Section names, or a section's keys: the profile API's list of null-ended names.
    std::vector<std::string> List(const char* section)
    {
        std::string buffer(1 << 16, '\0');
        const DWORD length =
            GetPrivateProfileString(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
        std::vector<std::string> names;
        for (std::size_t at = 0; at < length;) {
            const std::string name(buffer.c_str() + at);
            names.push_back(name);
            at += name.size() + 1;
        }
        return names;
    }

    // A value as the report shows it: cut short, without unprintable bytes.
    static std::string Shown(const std::string& text)
    {
        std::string shown;
        for (const char c : text.substr(0, 24)) shown += c >= ' ' && c <= '~' ? c : '?';
        return text.size() > 24 ? shown + "..." : shown;
    }

    std::string path;
};

void LoadControls(Reader& file, const std::string& section, CControls& input)
{
    std::optional<unsigned int> kind = file.Number(section, "Input", CControls::Keyboard, CControls::Computer);
    if (kind == CControls::Network) input.SetNet();
    if (kind == CControls::Mouse) input.SetMouse(0);
    if (kind == CControls::Computer) input.SetComputer(file.Number(section, "Level", 0, 2).value_or(1));
    if (kind == CControls::Controller) input.SetPad(file.Number(section, "Pad", 0, kPadSlots - 1).value_or(input.pad));
    if (kind != CControls::Keyboard) return;
    unsigned int keys[CControls::ControlCount];
    for (int i = 0; i < CControls::ControlCount; ++i)
        keys[i] = file.Number(section, kControlKeys[i], 1, 255).value_or(kDefaultKeys[i]);
    input.SetKeyboard(keys[0], keys[1], keys[2], keys[3], keys[4], keys[5], keys[6]);
}

void LoadPlayer(Reader& file, unsigned int index, SPlayerOptions& player)
{
    const std::string section = PlayerSection(index);
    if (const auto name = file.Name(section, "Name")) player.name = str(name->c_str());
    const auto red = file.Number(section, "Red", 0, 255);
    const auto green = file.Number(section, "Green", 0, 255);
    const auto blue = file.Number(section, "Blue", 0, 255);
    if (red && green && blue) player.color = RGB(*red, *green, *blue);
    if (const auto shape = file.Number(section, "Shape", PadRectangular, PadRounded))
        player.padType = static_cast<EPadType>(*shape);
    if (player.input) LoadControls(file, section, *player.input);
}

// Each section of the file as the profile API writes it: "key=value" strings, each
// ended by a null, the whole by a second null.
using Sections = std::map<std::string, std::string>;

void Put(std::string& block, const char* key, const std::string& value)
{
    block += std::string(key) + "=" + value;
    block += '\0';
}

std::string PlayerBlock(const SPlayerOptions& player)
{
    std::string block;
    Put(block, "Name", static_cast<const char*>(player.name));
    Put(block, "Red", std::to_string(GetRValue(player.color)));
    Put(block, "Green", std::to_string(GetGValue(player.color)));
    Put(block, "Blue", std::to_string(GetBValue(player.color)));
    Put(block, "Shape", std::to_string(player.padType));
    if (!player.input) return block;
    Put(block, "Input", std::to_string(player.input->kind));
    if (player.input->kind == CControls::Computer) Put(block, "Level", std::to_string(player.input->level));
    if (player.input->kind == CControls::Controller) Put(block, "Pad", std::to_string(player.input->pad));
    if (player.input->kind == CControls::Keyboard)
        for (int i = 0; i < CControls::ControlCount; ++i) Put(block, kControlKeys[i], std::to_string(player.input->keys[i]));
    return block;
}

Sections SectionsOf(const CData& data)
{
    Sections sections;
    for (unsigned int i = 0; i < CData::kPlayers; ++i) sections[PlayerSection(i)] = PlayerBlock(data.players[i]);
    std::string& sides = sections[kSidesSection];
    for (unsigned int slot = 0; slot < kPadSlots; ++slot) Put(sides, kSideKeys[slot], std::to_string(data.padPlayers[slot]));
    Put(sections[kGameSection], "Sound", data.sound ? "1" : "0");
    if (data.joinAddress.Size() > 0) Put(sections[kGameSection], "Join", static_cast<const char*>(data.joinAddress));
    return sections;
}

}  // namespace

SettingsFile::SettingsFile() : folder(SettingsFolder()), path(folder.empty() ? "" : InFolder(folder, kFileName)) {}

SettingsFile::SettingsFile(std::string path) : path(std::move(path)) {}

std::vector<std::string> SettingsFile::Load(CData& data)
{
    if (path.empty()) return {};
    Reader file(path);
    for (unsigned int i = 0; i < CData::kPlayers; ++i) LoadPlayer(file, i, data.players[i]);
    for (unsigned int slot = 0; slot < kPadSlots; ++slot)
        if (const auto number = file.Number(kSidesSection, kSideKeys[slot], 1, CData::kPlayers))
            data.padPlayers[slot] = *number;
    if (const auto sound = file.Number(kGameSection, "Sound", 0, 1)) data.sound = *sound == 1;
    if (const auto address = file.Address(kGameSection, "Join")) data.joinAddress = str(address->c_str());
    file.CheckNames();
    for (std::size_t i = 0; i < file.ignored.size() && i < kLongestReport; ++i)
        std::fprintf(stderr, "Quorvel: %s: ignored %s\n", path.c_str(), file.ignored[i].c_str());
    if (file.ignored.size() > kLongestReport)
        std::fprintf(stderr, "Quorvel: %s: ignored %zu more\n", path.c_str(), file.ignored.size() - kLongestReport);
    stale = file.unknownSections;
    saved = file.ignored.empty() ? SectionsOf(data) : Sections();
    return file.ignored;
}

bool SettingsFile::Save(const CData& data)
{
    Sections changed;
    for (const auto& [name, block] : SectionsOf(data)) {
        const auto before = saved.find(name);
        if (before == saved.end() || before->second != block) changed[name] = block;
    }
    if (changed.empty() && stale.empty()) return true;
    if (!PrepareFolder()) return false;
    if (!writer) writer = std::make_unique<SettingsWriter>(path);
    writer->Write(changed, stale);
    for (const auto& [name, block] : changed) saved[name] = block;
    stale.clear();
    return true;
}

bool SettingsFile::Flush() { return !writer || writer->Flush(); }

bool SettingsFile::PrepareFolder()
{
    if (path.empty()) {
        Warn("there is no folder for settings (HOME is not set); they are kept for this run only");
        return false;
    }
    if (folder.empty()) return true;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error) return true;
    Warn("cannot make the settings folder " + folder + " (" + error.message() + "); the settings are kept for this run only");
    return false;
}

void SettingsFile::Warn(const std::string& what)
{
    if (warned) return;
    warned = true;
    std::fprintf(stderr, "Quorvel: %s\n", what.c_str());
}
