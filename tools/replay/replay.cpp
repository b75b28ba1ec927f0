#include "tools/replay/replay.h"

#include "app/gamer.h"
#include "app/main_window.h"
#include "net/enet_link.h"
#include "online/online.h"
#include "screens/replay_shelf.h"
#include "ui/game.h"
#include "model/sounds.h"
#include "tools/replay/png_file.h"
#include "tools/replay/script.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <thread>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>

namespace replay {
namespace {

using user::input::Button;

constexpr DWORD kFrameMs = 20;
// How long the network may take to do what a script waits for.
constexpr auto kNetworkPatience = std::chrono::minutes(5);

using RealClock = std::chrono::steady_clock;

COnline* ProgramOnline()
{
    CGamer* engine = CurrentGamer();
    return engine ? FindOnline(engine) : nullptr;
}

// Characters a script may type, and the key (with Shift or not) that types each.
struct Typed {
    UINT key;
    bool shift;
};

std::optional<Typed> KeyFor(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u)) return Typed{static_cast<UINT>(std::toupper(u)), std::isupper(u) != 0};
    switch (c) {
    case ' ': return Typed{VK_SPACE, false};
    case '.': return Typed{VK_OEM_PERIOD, false};
    case '-': return Typed{VK_OEM_MINUS, false};
    case ':': return Typed{VK_OEM_1, true};
    default: return std::nullopt;
    }
}

// A shot's file name stays inside the output folder.
bool SafeFileName(const std::string& name)
{
    return !name.empty() && name.front() != '/' && name.find("..") == std::string::npos;
}

std::string Hex(COLORREF pixelAsColor)
{
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(gdi::PixelFromColor(pixelAsColor)));
    return text;
}

class Runner {
public:
    Runner(headless::EntryPoint entry, std::string outDir, std::ostream& out, std::ostream& errors)
        : program(session, entry), outDir(std::move(outDir)), out(out), errors(errors)
    {
        ReportBoxes();
    }

    int Execute(const Command& command)
    {
        if (program.Finished() && command.verb != Verb::Seed) return Fail(command, "the program has ended");
        const int status = Perform(command);
        ReportBoxes();
        ReportSounds();
        return status;
    }

private:
    int Perform(const Command& command)
    {
        const auto& n = command.numbers;
        switch (command.verb) {
        case Verb::Seed:
            std::srand(static_cast<unsigned>(n[0]));
            return kOk;
        case Verb::Wait:
            Wait(static_cast<int>(n[0]));
            return kOk;
        case Verb::Port:
            net::SetHostPort(static_cast<std::uint16_t>(n[0]));
            return kOk;
        case Verb::WaitJoined:
            return FollowUntil(command, "machines joined", [&] {
                COnline* online = ProgramOnline();
                return online && online->Session().Joined() >= static_cast<unsigned int>(n[0]);
            });
        case Verb::WaitScreen:
            return FollowUntil(command, "the screen " + command.text, [&] {
                CGamer* engine = CurrentGamer();
                CGame* screen = engine ? engine->GetGame() : nullptr;
                return screen && screen->HasType(str(command.text.c_str()));
            });
        case Verb::WaitFrame:
            return WaitConfirmed(command, static_cast<std::uint32_t>(n[0]));
        case Verb::Watch:
            Watch(command.text);
            return kOk;
        case Verb::WatchLatest:
            return WatchLatest(command);
        case Verb::ExpectScores:
            return ExpectScores(command);
        case Verb::Move:
            program.MoveTo(static_cast<int>(n[0]), static_cast<int>(n[1]));
            return kOk;
        case Verb::Down:
            program.Press(static_cast<Button>(n[0]));
            return kOk;
        case Verb::Up:
            program.Release(static_cast<Button>(n[0]));
            return kOk;
        case Verb::Click:
            program.Click(static_cast<int>(n[0]), static_cast<int>(n[1]));
            return kOk;
        case Verb::Wheel:
            program.Wheel(static_cast<int>(std::clamp(n[0], -100L, 100L)));
            return kOk;
        case Verb::Key:
            program.KeyDown(static_cast<UINT>(n[0]));
            return kOk;
        case Verb::KeyUp:
            program.KeyUp(static_cast<UINT>(n[0]));
            return kOk;
        case Verb::Tap:
            program.Tap(static_cast<UINT>(n[0]));
            return kOk;
        case Verb::Type:
            return Type(command);
        case Verb::Command:
            program.Command(static_cast<WORD>(n[0]));
            return kOk;
        case Verb::Menu:
            return program.Menu(command.text) ? kOk : Fail(command, "no menu item '" + command.text + "'");
        case Verb::Focus:
            program.Focus(n[0] != 0);
            return kOk;
        case Verb::Shot:
            return Shot(command);
        case Verb::ExpectPixel:
            return ExpectPixel(command);
        case Verb::ExpectSound:
            return ExpectSound(command);
        case Verb::ExpectSilence:
            return ExpectSilence(command);
        case Verb::PadConnect:
        case Verb::PadDisconnect:
        case Verb::PadButton:
        case Verb::PadStick:
        case Verb::PadTrigger:
            Pad(command);
            return kOk;
        }
        return kScriptError;
    }

    // The pads change at once; the program sees them when it next reads them.
    void Pad(const Command& command)
    {
        const auto& n = command.numbers;
        const DWORD slot = static_cast<DWORD>(n[0]);
        headless::HeadlessPads& pads = session.Pads();
        switch (command.verb) {
        case Verb::PadConnect: pads.Connect(slot, command.text); break;
        case Verb::PadDisconnect: pads.Disconnect(slot); break;
        case Verb::PadButton: pads.Press(slot, static_cast<WORD>(n[1]), n[2] != 0); break;
        case Verb::PadStick: pads.Stick(slot, static_cast<SHORT>(n[1]), static_cast<SHORT>(n[2])); break;
        case Verb::PadTrigger: pads.Trigger(slot, n[1] != 0, static_cast<BYTE>(n[2])); break;
        default: break;
        }
    }

    int Type(const Command& command)
    {
        for (const char c : command.text)
            if (!KeyFor(c)) return Fail(command, std::string("cannot type '") + c + "'");
        for (const char c : command.text) {
            const Typed typed = *KeyFor(c);
            if (typed.shift) program.KeyDown(VK_SHIFT);
            program.Tap(typed.key);
            if (typed.shift) program.KeyUp(VK_SHIFT);
        }
        return kOk;
    }

    // Frames on the virtual clock; in a game with other machines, at the pace of real
    // time, which the network keeps.
    void Wait(int frames)
    {
        for (int i = 0; i < frames && !program.Finished(); ++i) Frame();
    }

    void Frame()
    {
        if (!ProgramOnline()) {
            program.Frames(1);
            return;
        }
        const auto now = RealClock::now();
        if (now - nextFrame > std::chrono::seconds(1)) nextFrame = now;  // starved: no catching up
        std::this_thread::sleep_until(nextFrame);
        nextFrame += std::chrono::milliseconds(kFrameMs);
        program.Frames(1);
    }

    template <class Done>
    int FollowUntil(const Command& command, const std::string& what, Done done)
    {
        const auto giveUp = RealClock::now() + kNetworkPatience;
        // Off the network the clock is virtual: five minutes of it.
        constexpr int kVirtualPatience = 15000;
        for (int frames = 0; !done(); ++frames) {
            if (program.Finished()) return Fail(command, "the program ended waiting for " + what);
            const bool online = ProgramOnline() != nullptr;
            if ((online && RealClock::now() > giveUp) || (!online && frames > kVirtualPatience))
                return Fail(command, "waited five minutes for " + what);
            Frame();
        }
        return kOk;
    }

    // Until frame `f` of the match is confirmed here; then the match shows it, as every
    // machine has it.
    int WaitConfirmed(const Command& command, std::uint32_t f)
    {
        const int status = FollowUntil(command, "frame " + std::to_string(f) + " of the match", [&] {
            COnline* online = ProgramOnline();
            return online && online->InMatch() && online->ConfirmedFrames() > f;
        });
        CGamer* engine = CurrentGamer();
        COnline* online = ProgramOnline();
        if (status != kOk || !engine || !online) return status;
        if (!online->ShowConfirmed(engine->GetGame(), f)) return Fail(command, "frame " + std::to_string(f) + " has gone by");
        InvalidateRect(session.Window(), nullptr, FALSE);
        program.Run();
        return kOk;
    }

    void Watch(const std::string& path)
    {
        const std::string why = WatchReplay(path);
        if (!why.empty()) out << "watch: " << path << ": " << why << "\n";
    }

    static CReplayShelf* Shelf()
    {
        CGamer* engine = CurrentGamer();
        return engine ? FindReplayShelf(engine) : nullptr;
    }

    int WatchLatest(const Command& command)
    {
        CReplayShelf* shelf = Shelf();
        const std::vector<CReplayShelf::Entry> entries = shelf ? shelf->List() : std::vector<CReplayShelf::Entry>{};
        if (entries.empty()) return Fail(command, "no match has been recorded");
        Watch(entries.front().path);
        return kOk;
    }

    int ExpectScores(const Command& command)
    {
        CReplayShelf* shelf = Shelf();
        if (!shelf || !shelf->LastMatch()) return Fail(command, "no match has ended");
        // Appended piece by piece: GCC 12 warns wrongly on "literal" + std::string here.
        std::string actual, expected;
        for (unsigned int i = 0; i < kReplaySlots; ++i) {
            const SReplayPlayer& player = shelf->LastMatch()->players[i];
            const long want = command.numbers[i];
            if (i) {
                actual += ' ';
                expected += ' ';
            }
            actual.append(player.played ? std::to_string(player.score) : "-");
            expected.append(want < 0 ? "-" : std::to_string(want));
        }
        if (actual == expected) return kOk;
        errors << "line " << command.line << ": the scores are " << actual << ", expected " << expected << "\n";
        return kExpectationFailed;
    }

    int Shot(const Command& command)
    {
        if (!SafeFileName(command.text)) return Fail(command, "the file must lie inside the output folder");
        const gdi::Surface* client = session.Client();
        if (!client) return Fail(command, "there is no window");
        const std::string path = outDir + "/" + command.text;
        if (!WritePng(path, *client)) return Fail(command, "cannot write " + path);
        return kOk;
    }

    int ExpectPixel(const Command& command)
    {
        const auto& n = command.numbers;
        const COLORREF actual = session.Pixel(static_cast<int>(n[0]), static_cast<int>(n[1]));
        const COLORREF expected = gdi::ColorFromPixel(static_cast<std::uint32_t>(n[2]));
        if (actual == expected) return kOk;
        errors << "line " << command.line << ": pixel (" << n[0] << ", " << n[1] << ") is "
               << (actual == CLR_INVALID ? std::string("outside the window") : Hex(actual)) << ", expected "
               << Hex(expected) << "\n";
        return kExpectationFailed;
    }

    // The sounds started since the last expect-sound or expect-silence, by name.
    std::vector<std::string> SoundsSinceCheck()
    {
        std::vector<std::string> names;
        const auto& played = session.Sounds();
        for (std::size_t i = checkedSounds; i < played.size(); ++i) names.push_back(NameOf(played[i].id));
        checkedSounds = played.size();
        return names;
    }

    int ExpectSound(const Command& command)
    {
        const std::vector<std::string> names = SoundsSinceCheck();
        for (const std::string& name : names)
            if (name == command.text) return kOk;
        errors << "line " << command.line << ": no sound '" << command.text << "' since the last check"
               << (names.empty() ? std::string(" (none played)") : " (played: " + Listed(names) + ")") << "\n";
        return kExpectationFailed;
    }

    int ExpectSilence(const Command& command)
    {
        const std::vector<std::string> names = SoundsSinceCheck();
        if (names.empty()) return kOk;
        errors << "line " << command.line << ": sounds played since the last check: " << Listed(names) << "\n";
        return kExpectationFailed;
    }

    static std::string NameOf(WORD id)
    {
        if (const char* name = SoundName(id)) return name;
        std::string number = "#";  // appended, not added: GCC 12 warns wrongly on "#" + ...
        number += std::to_string(id);
        return number;
    }

    static std::string Listed(const std::vector<std::string>& names)
    {
        std::string list;
        for (const std::string& name : names) list += (list.empty() ? "" : " ") + name;
        return list;
    }

    // Each sound as it starts, with the frame it started in (frames of 20 ms on the clock).
    void ReportSounds()
    {
        const auto& played = session.Sounds();
        for (; reportedSounds < played.size(); ++reportedSounds)
            out << "sound: " << NameOf(played[reportedSounds].id) << " in frame " << played[reportedSounds].time / kFrameMs
                << "\n";
    }

    int Fail(const Command& command, const std::string& why)
    {
        errors << "line " << command.line << ": " << why << "\n";
        return kScriptError;
    }

    void ReportBoxes()
    {
        const auto& boxes = session.Boxes();
        for (; reported < boxes.size(); ++reported)
            out << "message box: [" << boxes[reported].caption << "] " << boxes[reported].text << "\n";
    }

    headless::Session session;
    headless::Program program;
    std::string outDir;
    std::ostream& out;
    std::ostream& errors;
    std::size_t reported = 0;
    std::size_t reportedSounds = 0;
    std::size_t checkedSounds = 0;
    RealClock::time_point nextFrame = RealClock::now();
};

}  // namespace

int Run(std::istream& script, const std::string& outDir, headless::EntryPoint entry, std::ostream& out,
        std::ostream& errors)
{
    const ParseResult parsed = ParseScript(script);
    for (const std::string& error : parsed.errors) errors << error << "\n";
    if (!parsed.errors.empty()) return kScriptError;
    // Scripts reach other machines over ENet, unless the program has its own way.
    net::EnetLinkMaker enet;
    const bool ownLinks = net::Links() == nullptr;
    if (ownLinks) net::SetLinks(&enet);
    struct Restore {
        bool own;
        ~Restore()
        {
            if (own) net::SetLinks(nullptr);
        }
    } restore{ownLinks};
    Runner runner(entry, outDir, out, errors);
    for (const Command& command : parsed.commands)
        if (const int status = runner.Execute(command); status != kOk) return status;
    return kOk;
}

int RunFile(const std::string& scriptPath, const std::string& outDir, headless::EntryPoint entry)
{
    std::ifstream script(scriptPath);
    if (!script) {
        std::cerr << "cannot read " << scriptPath << "\n";
        return kScriptError;
    }
    return Run(script, outDir, entry, std::cout, std::cerr);
}

}  // namespace replay
