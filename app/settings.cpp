#include "app/settings.h"

#include "model/controls.h"
#include "net/link_maker.h"
#include "model/data.h"
#include "model/names.h"
#include "ui/text_edit.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>

namespace {

constexpr char kFileName[] = "quorvel.ini";
// A settings file is a few hundred bytes; anything past this is not one of ours.
constexpr std::uintmax_t kLargestFile = 1 << 20;
// What the report lists one by one; the rest is counted.
constexpr std::size_t kLongestReport = 4;

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

bool Printable(char c) { return c >= ' ' && c <= '~'; }

// Text from outside as a report shows it: cut short, without unprintable bytes.
std::string Shown(const std::string& text, std::size_t longest = 24)
{
    std::string shown;
    for (const char c : text.substr(0, longest)) shown += Printable(c) ? c : '?';
    return text.size() > longest ? shown + "..." : shown;
}

std::string Trim(const std::string& text)
{
    const std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
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

    // Printable characters only; a longer name than a name may be is cut to fit.
    std::optional<std::string> Name(const std::string& section, const char* key)
    {
        std::optional<std::string> text = Raw(section, key, 256);
        if (!text) return std::nullopt;
        if (text->empty() || !std::all_of(text->begin(), text->end(), Printable)) {
            Ignore("[" + section + "] " + key + "=" + Shown(*text) + " (wants 1 to " + std::to_string(kMaxNameLength) +
                   " letters, digits or signs)");
            return std::nullopt;
        }
        if (text->size() > kMaxNameLength) {
            Ignore("[" + section + "] " + key + ": longer than " + std::to_string(kMaxNameLength) +
                   " characters, cut to " + text->substr(0, kMaxNameLength));
            text->resize(kMaxNameLength);
        }
        return text;
    }

    // The lines that the profile functions pass over without a word: junk, headers
    // without their bracket, settings before the first section.
    void CheckLines(const std::string& text)
    {
        bool inSection = false;
        std::size_t number = 0;
        for (std::size_t begin = 0; begin < text.size(); ++number) {
            const std::size_t end = std::min(text.find('\n', begin), text.size());
            const std::string line = Trim(text.substr(begin, end - begin));
            begin = end + 1;
            if (line.empty() || line.front() == ';') continue;
            const bool header = line.size() >= 2 && line.front() == '[' && line.back() == ']';
            const bool setting = !header && line.find('=') != std::string::npos && line.front() != '=';
            inSection = inSection || header;
            if (header || (setting && inSection)) continue;
            if (ignored.size() >= kLongestReport) {
                ++more;  // only counted: a file of junk costs no message a line
                continue;
            }
            const std::string where = "line " + std::to_string(number + 1) + ": ";
            if (setting)
                Ignore(where + Shown(line) + " (before any section)");
            else if (!std::all_of(line.begin(), line.end(), [](char c) { return Printable(c) || c == '\t'; }))
                Ignore(where + "bytes that are not text");
            else if (line.front() == '[')
                Ignore(where + Shown(line) + " (a section header without its ])");
            else
                Ignore(where + Shown(line) + " (not a setting)");
        }
    }

    // Unknown sections and keys, and names given twice (only the first counts).
    void CheckNames()
    {
        const auto known = KnownKeys();
        std::set<std::string> seen;
        for (const std::string& section : List(nullptr)) {
            if (!seen.insert(Lower(section)).second) {
                Ignore("section [" + Shown(section) + "] given twice");
                continue;
            }
            const auto keys = known.find(Lower(section));
            if (keys == known.end()) {
                Ignore("unknown section [" + Shown(section) + "]");
                continue;
            }
            std::set<std::string> seenKeys;
            for (const std::string& key : List(section.c_str()))
                if (!keys->second.contains(Lower(key)))
                    Ignore("unknown key [" + section + "] " + Shown(key));
                else if (!seenKeys.insert(Lower(key)).second)
                    Ignore("[" + section + "] " + Shown(key) + " given twice");
        }
    }

    void Ignore(const std::string& what)
    {
        if (ignored.size() < kLongestReport)
            ignored.push_back(what);
        else
            ++more;
    }

    // What was ignored, as the report says it: the first few, then how many more.
    std::vector<std::string> Report() const
    {
        std::vector<std::string> lines = ignored;
        if (more > 0) lines.push_back(std::to_string(more) + " more");
        return lines;
    }

private:
    std::vector<std::string> ignored;
    std::size_t more = 0;

    // Section names, or a section's keys: the profile API's list of null-ended names,
    // never cut short for a file that is read at all.
    std::vector<std::string> List(const char* section)
    {
        std::string buffer(2 * kLargestFile, '\0');
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

using Sections = SettingsWriter::Sections;

// Why the file is no settings file to read, if it is not: something that is not a plain
// file (a pipe or a device would never end, or never start), or one far too large.
std::optional<std::string> WhyNotRead(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return std::nullopt;
    if (error) return "cannot be looked at";
    if (!std::filesystem::is_regular_file(status)) return "is not a plain file";
    if (std::filesystem::file_size(path, error) > kLargestFile || error) return "is larger than 1 MB";
    return std::nullopt;
}

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

void Read(Reader& file, const std::string& path, CData& data)
{
    std::ifstream in(path, std::ios::binary);
    std::string text(kLargestFile, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    file.CheckLines(text);
    for (unsigned int i = 0; i < CData::kPlayers; ++i) LoadPlayer(file, i, data.players[i]);
    for (unsigned int slot = 0; slot < kPadSlots; ++slot)
        if (const auto number = file.Number(kSidesSection, kSideKeys[slot], 1, CData::kPlayers))
            data.padPlayers[slot] = *number;
    if (const auto sound = file.Number(kGameSection, "Sound", 0, 1)) data.sound = *sound == 1;
    if (const auto address = file.Address(kGameSection, "Join")) data.joinAddress = str(address->c_str());
    file.CheckNames();
}

// Out of the way under another name, so that the next start does not meet it again; what
// cannot be moved is left alone, and never written over. Returns whether it was left.
bool SetAside(Reader& file, const std::string& path, const std::string& why)
{
    const std::string aside = path + ".bad";
    std::error_code error;
    std::filesystem::rename(path, aside, error);
    if (error)
        file.Ignore("everything: it " + why + " and cannot be moved (" + error.message() +
                    "); the settings are kept for this run only");
    else
        file.Ignore("everything: it " + why + "; set aside as " + Shown(aside, 200));
    return error.operator bool();
}

}  // namespace

SettingsFile::SettingsFile() : folder(SettingsFolder()), path(folder.empty() ? "" : InFolder(folder, kFileName)) {}

SettingsFile::SettingsFile(std::string path) : path(std::move(path)) {}

std::vector<std::string> SettingsFile::Load(CData& data)
{
    if (path.empty()) return {};
    Reader file(path);
    if (const std::optional<std::string> odd = WhyNotRead(path))
        leftAlone = SetAside(file, path, *odd);
    else
        Read(file, path, data);
    const std::vector<std::string> report = file.Report();
    for (const std::string& line : report) std::fprintf(stderr, "Quorvel: %s: %s\n", Shown(path, 200).c_str(), line.c_str());
    saved = report.empty() ? SectionsOf(data) : Sections();
    return report;
}

bool SettingsFile::Save(const CData& data)
{
    const Sections sections = SectionsOf(data);
    if (sections == saved || leftAlone) return !leftAlone;
    if (!PrepareFolder()) return false;
    if (!writer) writer = std::make_unique<SettingsWriter>(path);
    writer->Write(sections);
    saved = sections;
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
    Warn("cannot make the settings folder " + Shown(folder, 200) + " (" + error.message() + "); the settings are kept for this run only");
    return false;
}

void SettingsFile::Warn(const std::string& what)
{
    if (warned) return;
    warned = true;
    std::fprintf(stderr, "Quorvel: %s\n", what.c_str());
}
