// `cmake --install` into a fresh prefix: everything a desktop game ships is there, the
// desktop entry passes desktop-file-validate, the software centres' metainfo and the
// entry it launches pass appstreamcli's check of the installed tree, and the installed
// game runs from another directory under Xvfb.

#include "tests/e2e/x_display.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using e2e::Quote;
using e2e::Seconds;

const Seconds kPatience(60);

std::string Read(const fs::path& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The value of `key=` in a desktop entry, or "".
std::string EntryValue(const std::string& entry, const std::string& key)
{
    std::istringstream lines(entry);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    return "";
}

class Installed : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string unique = std::to_string(getpid());
        prefix = fs::temp_directory_path() / ("quorvel_prefix_" + unique);
        elsewhere = fs::temp_directory_path() / ("quorvel_elsewhere_" + unique);
        fs::remove_all(prefix);
        fs::create_directories(elsewhere);
        const auto install = e2e::Shell("cmake --install " + Quote(QUORVEL_BUILD_DIR) + " --prefix " +
                                        Quote(prefix.string()) + " >/dev/null");
        ASSERT_EQ(install.status, 0) << "cmake --install failed";
    }
    void TearDown() override
    {
        fs::remove_all(prefix);
        fs::remove_all(elsewhere);
    }

    fs::path Share() const { return prefix / "share"; }

    fs::path prefix;
    fs::path elsewhere;
};

TEST_F(Installed, ThePrefixHoldsTheGameItsDataDesktopEntryIconAndManualPage)
{
    const fs::path binary = prefix / "bin" / "quorvel";
    ASSERT_TRUE(fs::is_regular_file(binary));
    EXPECT_EQ(access(binary.c_str(), X_OK), 0) << "the game is executable";
    EXPECT_NE(Read(Share() / "quorvel" / "fonts.conf").find("<fontconfig>"), std::string::npos);

    const std::string manual = Read(Share() / "man" / "man6" / "quorvel.6");
    EXPECT_EQ(manual.rfind(".TH QUORVEL 6", 0), 0u) << "a page of section 6";
    EXPECT_EQ(manual.find('@'), std::string::npos) << "every value of the page is filled in";
    for (const char* key : {"F1", "F2", "F3", "F12", "Esc", "Alt+/", "Space", "Shift"})
        EXPECT_NE(manual.find(key), std::string::npos) << "the manual names " << key;

    const fs::path desktop = Share() / "applications" / "io.github.quorvel.Quorvel.desktop";
    const auto validation = e2e::Shell("desktop-file-validate " + Quote(desktop.string()) + " 2>&1; echo $?");
    EXPECT_EQ(validation.text, "0\n") << "desktop-file-validate says:\n" << validation.text;
    const std::string entry = Read(desktop);
    EXPECT_EQ(EntryValue(entry, "Exec"), "quorvel");
    EXPECT_EQ(EntryValue(entry, "Categories"), "Game;ArcadeGame;ActionGame;");
    EXPECT_NE(EntryValue(entry, "Keywords"), "");
    const std::string icon = EntryValue(entry, "Icon");
    EXPECT_TRUE(fs::is_regular_file(Share() / "icons" / "hicolor" / "scalable" / "apps" / (icon + ".svg")));
    for (const char* size : {"32x32", "64x64", "128x128"})
        EXPECT_TRUE(fs::is_regular_file(Share() / "icons" / "hicolor" / size / "apps" / (icon + ".png"))) << size;

    const auto tree = e2e::Shell("appstreamcli validate-tree --no-net " + Quote(prefix.string()) + " 2>&1; echo $?");
    EXPECT_EQ(tree.text.substr(tree.text.size() - 2), "0\n") << "appstreamcli says:\n" << tree.text;
    const std::string metainfo = Read(Share() / "metainfo" / "io.github.quorvel.Quorvel.metainfo.xml");
    EXPECT_NE(metainfo.find("<release version=\"" QUORVEL_PACKAGE_VERSION "\""), std::string::npos)
        << "the metainfo lists this release";
}

TEST_F(Installed, TheInstalledGameRunsFromAnotherDirectory)
{
    e2e::VirtualDisplay display;
    ASSERT_TRUE(display.Ready()) << "Xvfb did not start (is the xvfb package installed?)";
    e2e::Process game = e2e::StartGame((prefix / "bin" / "quorvel").string(), elsewhere.string());
    const auto window = e2e::GameWindow::Find("Quorvel", kPatience);
    ASSERT_TRUE(window) << "the installed game showed no window";
    window->MoveTo(20, 20);
    const std::string shot = (elsewhere / "intro.xwd").string();
    EXPECT_TRUE(e2e::WaitForClientPixel(display, *window, 255, 330, 0x00FF00, shot, kPatience).has_value())
        << "the intro's green New Game button";
    window->Key("Escape");
    EXPECT_EQ(game.Wait(kPatience), std::optional<int>(0));
}

}  // namespace
