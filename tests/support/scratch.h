#pragma once
// Folders for tests that write files: each under the build tree, new for every test and
// every process, so that runs in parallel never meet. ConfigHome also points the game's
// settings (XDG_CONFIG_HOME) there while it lives.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <unistd.h>

inline std::filesystem::path ScratchFolder()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "scratch";
    for (char& c : name)
        if (c == '/') c = '_';
    static int made = 0;
    const std::filesystem::path folder = std::filesystem::path(QUORVEL_TEST_SCRATCH) /
                                         (name + "." + std::to_string(getpid()) + "." + std::to_string(++made));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class ConfigHome {
public:
    ConfigHome() : folder(ScratchFolder())
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) before = old;
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    ~ConfigHome()
    {
        if (before)
            setenv("XDG_CONFIG_HOME", before->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

    // Where the game keeps its settings under this home.
    std::filesystem::path SettingsFile() const { return folder / "quorvel" / "quorvel.ini"; }

    const std::filesystem::path folder;

private:
    std::optional<std::string> before;
};
