#pragma once
// Folders for tests that write files: each under the build tree, new for every test and
// every process, so that runs in parallel never meet.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// The settings folder that every test starts with (support/fresh_config.cpp makes it new
// for each test); a test that changes XDG_CONFIG_HOME gets the old value back at the end.
class ConfigHome {
public:
    ConfigHome() : folder(Current()) { setenv("XDG_CONFIG_HOME", folder.c_str(), 1); }
    ~ConfigHome() { setenv("XDG_CONFIG_HOME", folder.c_str(), 1); }
    ConfigHome(const ConfigHome&) = delete;
    ConfigHome& operator=(const ConfigHome&) = delete;

    // Where the game keeps its settings under this home.
    std::filesystem::path SettingsFile() const { return folder / "quorvel" / "quorvel.ini"; }

    const std::filesystem::path folder;

private:
    static std::filesystem::path Current()
    {
        const char* home = std::getenv("XDG_CONFIG_HOME");
        EXPECT_NE(home, nullptr) << "test programs run with a settings folder of their own";
        return home ? std::filesystem::path(home) : ScratchFolder();
    }
};
