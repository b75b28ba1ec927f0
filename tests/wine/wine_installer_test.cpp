// The Windows installer under Wine, run as a deployment script would run it: silently for
// the current user, the installed game started from its Start-menu entry, then removed
// by the command that Apps & features keeps, which must leave nothing behind but the
// player's settings. Then once more for all users, removed with the settings.

#include "tests/e2e/x_display.h"
#include "tests/wine/wine_prefix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using e2e::Seconds;

const Seconds kPatience(60);
const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvel";

// Every file and folder under `root`, relative to it.
std::set<std::string> Tree(const fs::path& root)
{
    std::set<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied))
        paths.insert(fs::relative(entry.path(), root).generic_string());
    return paths;
}

// What `after` holds that `before` did not, leaving out Windows' temporary files (the
// uninstaller runs from a copy there, which Windows deletes at the next start).
std::vector<std::string> Added(const std::set<std::string>& before, const std::set<std::string>& after)
{
    static const std::regex temporary("users/[^/]+/(Temp|AppData/Local/Temp)(/.*)?|windows/temp(/.*)?");
    std::vector<std::string> added;
    for (const std::string& path : after)
        if (!before.count(path) && !std::regex_match(path, temporary)) added.push_back(path);
    return added;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += "  " + line + "\n";
    return text;
}

class WineInstaller : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const auto missing = wine::Missing()) GTEST_SKIP() << *missing;
        ASSERT_TRUE(fs::exists(QUORVEL_INSTALLER)) << QUORVEL_INSTALLER << " was not built (is nsis installed?)";
        ASSERT_TRUE(display.Ready()) << "Xvfb did not start";
        prefix.emplace(kPrefix);
        ASSERT_TRUE(prefix->Ready()) << prefix->Log();
        for (const auto& entry : fs::directory_iterator(Drive() / "users"))
            if (entry.path().filename() != "Public") user = Drive() / "users" / entry.path().filename();
        ASSERT_FALSE(user.empty()) << "the prefix has no user folder";
    }

    fs::path Drive() const { return fs::path(kPrefix) / "drive_c"; }
    fs::path Settings() const { return user / "AppData" / "Roaming" / "Quorvel"; }

    // Runs a Windows program and waits until it and whatever it started have ended.
    void RunToEnd(const std::string& program, const std::vector<std::string>& arguments)
    {
        const auto code = prefix->Run(program, Drive().string(), arguments, kPatience);
        ASSERT_EQ(code, std::optional<int>(0)) << program << " failed";
        ASSERT_TRUE(prefix->WaitUntilIdle(kPatience)) << program << " left a Wine process running";
    }

    // A string value from the registry (HKCU or HKLM), or "" when there is none.
    std::string RegistryValue(const std::string& root, const std::string& key, const std::string& name) const
    {
        const e2e::Output query =
            e2e::Shell("wine reg query " + e2e::Quote(root + "\\" + key) + " /v " + e2e::Quote(name) + " 2>/dev/null");
        std::smatch match;
        const std::regex line("\\s" + name + "\\s+REG_SZ\\s+([^\\r\\n]*)");
        return std::regex_search(query.text, match, line) ? match[1].str() : "";
    }

    const std::string kPrefix = QUORVEL_BUILD_DIR "/wine/installer";
    e2e::VirtualDisplay display;
    std::optional<wine::Prefix> prefix;
    fs::path user;
};

TEST_F(WineInstaller, InstallsPlaysAndUninstallsKeepingOnlyTheSettingsUnlessAsked)
{
    const std::set<std::string> before = Tree(Drive());

    // For the current user: no administrator, the user's own folders and registry.
    RunToEnd(QUORVEL_INSTALLER, {"/S"});
    const fs::path shortcut = user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk";
    EXPECT_TRUE(fs::exists(user / "AppData/Local/Programs/Quorvel/quorvel.exe"));
    EXPECT_TRUE(fs::exists(user / "AppData/Local/Programs/Quorvel/LICENSE.txt"));
    ASSERT_TRUE(fs::exists(shortcut)) << "no Start-menu entry";
    EXPECT_EQ(RegistryValue("HKCU", kUninstallKey, "DisplayName"), "Quorvel");
    EXPECT_EQ(RegistryValue("HKCU", kUninstallKey, "DisplayVersion"), QUORVEL_PACKAGE_VERSION);
    const std::string uninstall = RegistryValue("HKCU", kUninstallKey, "QuietUninstallString");
    ASSERT_NE(uninstall, "") << "Apps & features has no way to remove it";

    // The Start-menu entry starts the game; a change of its settings (F4, the sound
    // switch) is saved at once.
    e2e::Process start = prefix->Start("start", Drive().string(), {"/unix", shortcut.string()});
    const auto window = e2e::GameWindow::Find("Quorvel", Seconds(120));
    ASSERT_TRUE(window) << "the Start-menu entry started no game";
    window->Key("F4");
    window->Key("Escape");
    ASSERT_TRUE(prefix->WaitUntilIdle(kPatience)) << "the game did not end on Esc";
    ASSERT_TRUE(fs::exists(Settings() / "quorvel.ini")) << "the game kept no settings";

    // Removed as Apps & features removes it: "C:\...\uninstall.exe" /CurrentUser /S.
    std::smatch command;
    ASSERT_TRUE(std::regex_match(uninstall, command, std::regex("\"([^\"]+)\"\\s+(.*)"))) << uninstall;
    std::vector<std::string> arguments;
    std::istringstream words(command[2].str());
    for (std::string word; words >> word;) arguments.push_back(word);
    RunToEnd(command[1].str(), arguments);
    EXPECT_EQ(RegistryValue("HKCU", kUninstallKey, "DisplayName"), "") << "still listed in Apps & features";
    const std::vector<std::string> left = Added(before, Tree(Drive()));
    const std::vector<std::string> settingsOnly = {
        fs::relative(Settings(), Drive()).generic_string(),
        fs::relative(Settings() / "quorvel.ini", Drive()).generic_string()};
    EXPECT_EQ(left, settingsOnly) << "left behind:\n" << Joined(left);

    // For all users, removed with the settings when asked: nothing at all is left.
    RunToEnd(QUORVEL_INSTALLER, {"/S", "/AllUsers"});
    EXPECT_TRUE(fs::exists(Drive() / "Program Files/Quorvel/quorvel.exe"));
    EXPECT_TRUE(fs::exists(Drive() / "ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvel.lnk"));
    EXPECT_EQ(RegistryValue("HKCU", kUninstallKey, "DisplayName"), "");
    EXPECT_EQ(RegistryValue("HKLM", kUninstallKey, "UninstallString"),
              "\"C:\\Program Files\\Quorvel\\uninstall.exe\" /AllUsers");
    RunToEnd("C:\\Program Files\\Quorvel\\uninstall.exe", {"/AllUsers", "/S", "/RemoveSettings"});
    EXPECT_EQ(RegistryValue("HKLM", kUninstallKey, "DisplayName"), "");
    const std::vector<std::string> leftAfterAll = Added(before, Tree(Drive()));
    EXPECT_TRUE(leftAfterAll.empty()) << "left behind:\n" << Joined(leftAfterAll);
}

}  // namespace
