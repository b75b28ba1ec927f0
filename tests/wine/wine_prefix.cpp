#include "tests/wine/wine_prefix.h"

#include <cstdlib>
#include <filesystem>

namespace wine {

namespace {

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string WinePath() { return Trimmed(e2e::Shell("command -v wine").text); }

}  // namespace

std::optional<std::string> Missing()
{
    if (WinePath().empty()) return "Wine is not installed (tools/deps.sh installs it)";
    return std::nullopt;
}

Prefix::Prefix(const std::string& directory) : wine(WinePath()), directory(directory)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::remove_all(directory, error);
    fs::create_directories(fs::path(directory).parent_path(), error);
    setenv("WINEPREFIX", directory.c_str(), 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);  // no Mono or Gecko, so no prompts
    setenv("WINEDEBUG", "-all", 1);
    unsetenv("WINEARCH");

    const e2e::Output boot = e2e::Shell("wineboot --init 2>&1 && wineserver --wait");
    if (boot.status != 0) {
        log = "wineboot failed: " + boot.text;
        return;
    }
    const std::string fonts = fs::path(QUORVEL_SOURCE_DIR) / "tests" / "wine" / "fonts.reg";
    const e2e::Output registry =
        e2e::Shell("wine regedit /S \"$(winepath -w " + e2e::Quote(fonts) + ")\" 2>&1 && wineserver --wait");
    if (registry.status != 0) {
        log = "the font replacements were not taken: " + registry.text;
        return;
    }
    ready = true;
}

Prefix::~Prefix()
{
    e2e::Shell("WINEPREFIX=" + e2e::Quote(directory) + " wineserver --kill");
}

e2e::Process Prefix::Start(const std::string& program, const std::string& workingDirectory,
                           const std::vector<std::string>& arguments) const
{
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return e2e::Process(wine, workingDirectory, {}, all);
}

std::optional<int> Prefix::Run(const std::string& program, const std::string& workingDirectory,
                               const std::vector<std::string>& arguments, e2e::Seconds limit) const
{
    e2e::Process process = Start(program, workingDirectory, arguments);
    return process.Wait(limit);
}

bool Prefix::WaitUntilIdle(e2e::Seconds limit) const
{
    const long seconds = static_cast<long>(limit.count());
    return e2e::Shell("timeout " + std::to_string(seconds) + " wineserver --wait").status == 0;
}

}  // namespace wine
