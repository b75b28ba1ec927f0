#include "platform/gdi/font.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class FontFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        prefix = fs::temp_directory_path() / ("quorvel_font_file_" + std::to_string(getpid()));
        fs::create_directories(prefix / "bin");
    }
    void TearDown() override { fs::remove_all(prefix); }

    fs::path Installed() const { return prefix / "share" / "quorvel" / "fonts.conf"; }
    void Install() const
    {
        fs::create_directories(Installed().parent_path());
        std::ofstream(Installed()) << "<fontconfig/>\n";
    }

    const fs::path source = fs::path(QUORVEL_ASSET_DIR) / "fonts.conf";
    fs::path prefix;
};

TEST_F(FontFile, AnInstalledProgramReadsTheFileBesideIt)
{
    Install();
    EXPECT_EQ(gdi::FontConfigFileFor(prefix / "bin" / "quorvel"), Installed().lexically_normal().string());
}

TEST_F(FontFile, WithoutAnInstalledFileTheSourceTreesFileIsRead)
{
    EXPECT_EQ(gdi::FontConfigFileFor(prefix / "bin" / "quorvel"), source.string());
    EXPECT_EQ(gdi::FontConfigFileFor(fs::path()), source.string());
    EXPECT_TRUE(fs::is_regular_file(source));
    EXPECT_EQ(std::string(gdi::FontConfigFile()), source.string()) << "a program in the build tree";
}

TEST_F(FontFile, ADirectoryInThePlaceOfTheFileDoesNotCount)
{
    fs::create_directories(Installed());
    EXPECT_EQ(gdi::FontConfigFileFor(prefix / "bin" / "quorvel"), source.string());
}

}  // namespace
