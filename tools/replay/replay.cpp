#include "tools/replay/replay.h"

#include "tools/replay/png_file.h"
#include "tools/replay/script.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

namespace replay {
namespace {

using user::input::Button;

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
            program.Frames(static_cast<int>(n[0]));
            return kOk;
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
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != ' ')
                return Fail(command, std::string("cannot type '") + c + "'");
        for (const char c : command.text) {
            const bool capital = std::isupper(static_cast<unsigned char>(c));
            if (capital) program.KeyDown(VK_SHIFT);
            program.Tap(c == ' ' ? VK_SPACE : static_cast<UINT>(std::toupper(static_cast<unsigned char>(c))));
            if (capital) program.KeyUp(VK_SHIFT);
        }
        return kOk;
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
};

}  // namespace

int Run(std::istream& script, const std::string& outDir, headless::EntryPoint entry, std::ostream& out,
        std::ostream& errors)
{
    const ParseResult parsed = ParseScript(script);
    for (const std::string& error : parsed.errors) errors << error << "\n";
    if (!parsed.errors.empty()) return kScriptError;
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
