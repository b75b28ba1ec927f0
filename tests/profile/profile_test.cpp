// The profile API on INI files: what reads return, what writes keep, and that a write
// stopped half-way leaves the old file whole.

#include "platform/profile/ini_file.h"
#include "platform/win32.h"
#include "support/scratch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

class ProfileTest : public ::testing::Test {
protected:
    std::string Get(const char* section, const char* key, const char* fallback = "none", DWORD size = 64)
    {
        std::string buffer(size, '#');
        const DWORD length = GetPrivateProfileString(section, key, fallback, buffer.data(), size, path.c_str());
        EXPECT_EQ(buffer.c_str(), buffer.substr(0, length)) << "the result ends where it says";
        return buffer.substr(0, length);
    }

    // A list of null-ended names as one text with '|' between them. The length counts
    // every name's null but not the list's; a list cut short ends in two nulls after it.
    std::string List(const char* section, DWORD size = 256)
    {
        std::string buffer(size, '#');
        const DWORD length = GetPrivateProfileString(section, nullptr, "", buffer.data(), size, path.c_str());
        EXPECT_EQ(buffer[length], '\0');
        const bool cut = length == size - 2;
        if (cut) {
            EXPECT_EQ(buffer[length + 1], '\0') << "two nulls end a list cut short";
        }
        std::string joined = buffer.substr(0, cut ? length : length - 1);
        for (char& c : joined)
            if (c == '\0') c = '|';
        return joined;
    }

    std::filesystem::path folder = ScratchFolder();
    std::string path = (folder / "test.ini").string();
};

TEST_F(ProfileTest, ReadsValuesTheWayWindowsDoes)
{
    WriteFile(path,
              "; a comment\n"
              "[Player1]\n"
              "  Name =  Harrow  \r\n"
              "Quoted=\"  spaced  \"\n"
              "Number=42xyz\n"
              "Negative=-7\n"
              "Junk line without equals\n"
              "[ second ]\n"
              "key=value=with equals\n");
    EXPECT_EQ(Get("player1", "NAME"), "Harrow") << "names without regard to case, blanks trimmed";
    EXPECT_EQ(Get("Player1", "Quoted"), "  spaced  ") << "matching quotes go";
    EXPECT_EQ(Get("Second", "Key"), "value=with equals");
    EXPECT_EQ(Get("Player1", "Missing", "fallback  "), "fallback") << "trailing blanks of a default go";
    EXPECT_EQ(Get("Nowhere", "Name", nullptr), "");
    EXPECT_EQ(Get("Player1", "Name", "", 4), "Har") << "cut to the buffer";

    EXPECT_EQ(GetPrivateProfileInt("Player1", "Number", 5, path.c_str()), 42u) << "the leading number";
    EXPECT_EQ(static_cast<int>(GetPrivateProfileInt("Player1", "Negative", 5, path.c_str())), -7);
    EXPECT_EQ(GetPrivateProfileInt("Player1", "Name", 5, path.c_str()), 0u) << "no number reads 0";
    EXPECT_EQ(GetPrivateProfileInt("Player1", "Missing", 5, path.c_str()), 5u);

    EXPECT_EQ(List(nullptr), "Player1|second");
    EXPECT_EQ(List("PLAYER1"), "Name|Quoted|Number|Negative");
    EXPECT_EQ(List("Player1", 8), "Name|Q") << "a list cut short still ends in two nulls";

    const std::string missing = (folder / "missing.ini").string();
    char buffer[16];
    EXPECT_EQ(GetPrivateProfileString("A", "B", "dflt", buffer, sizeof buffer, missing.c_str()), 4u);
    EXPECT_STREQ(buffer, "dflt");
}

TEST_F(ProfileTest, WritesChangeOnlyWhatTheyNameAndKeepTheRest)
{
    WriteFile(path, "; kept\n[A]\nx=1\nunknown=kept too\n\n[B]\ny=2\n");
    ASSERT_TRUE(WritePrivateProfileString("a", "X", "10", path.c_str()));
    ASSERT_TRUE(WritePrivateProfileString("A", "z", "3", path.c_str()));
    ASSERT_TRUE(WritePrivateProfileString("C", "w", "4", path.c_str()));
    ASSERT_TRUE(WritePrivateProfileString("B", "y", nullptr, path.c_str()));
    EXPECT_EQ(ReadFile(path), "; kept\n[A]\nX=10\nunknown=kept too\nz=3\n\n[B]\n[C]\nw=4\n");

    ASSERT_TRUE(WritePrivateProfileString("A", nullptr, nullptr, path.c_str()));
    EXPECT_EQ(ReadFile(path), "; kept\n\n[B]\n[C]\nw=4\n");

    ASSERT_TRUE(WritePrivateProfileSection("C", "a=1\0b=two words\0\0", path.c_str()));
    ASSERT_TRUE(WritePrivateProfileSection("D", "c=3\0\0", path.c_str()));
    EXPECT_EQ(ReadFile(path), "; kept\n\n[B]\n[C]\na=1\nb=two words\n[D]\nc=3\n");

    ASSERT_TRUE(WritePrivateProfileString("C", "a", "line\nbreak", path.c_str()));
    EXPECT_EQ(Get("C", "a"), "line break") << "a value cannot make lines of its own";
    EXPECT_EQ(Get("C", "b"), "two words");
}

TEST_F(ProfileTest, AWriteIntoAMissingFolderFailsAndMakesNothing)
{
    const std::string nowhere = (folder / "no" / "such.ini").string();
    EXPECT_FALSE(WritePrivateProfileString("A", "x", "1", nowhere.c_str()));
    EXPECT_FALSE(std::filesystem::exists(folder / "no"));
    EXPECT_FALSE(WritePrivateProfileString(nullptr, "x", "1", path.c_str()));
}

// A pipe would make a reader wait for a writer for ever: it reads as empty at once, and
// a write does not replace it. The same for a folder.
TEST_F(ProfileTest, WhatIsNoPlainFileIsNeitherWaitedForNorWrittenOver)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    EXPECT_EQ(Get("A", "x", "none"), "none");
    char sections[16];
    EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, "", sections, sizeof sections, path.c_str()), 0u);
    EXPECT_FALSE(WritePrivateProfileString("A", "x", "1", path.c_str()));
    EXPECT_TRUE(std::filesystem::is_fifo(path));
    const std::string folderPath = (folder / "folder.ini").string();
    std::filesystem::create_directory(folderPath);
    EXPECT_FALSE(WritePrivateProfileSection("A", "x=1\0\0", folderPath.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(folderPath));
}

// The file is parsed once and kept while it is unchanged; a change on the disk is seen.
TEST_F(ProfileTest, AFileChangedBehindTheCacheIsReadAgain)
{
    WriteFile(path, "[A]\nx=1\n");
    EXPECT_EQ(Get("A", "x"), "1");
    WriteFile(path, "[A]\nx=22\n");
    EXPECT_EQ(Get("A", "x"), "22");
    const std::string other = (folder / "other.ini").string();
    WriteFile(other, "[A]\nx=3\n");
    ASSERT_TRUE(MoveFileEx(other.c_str(), path.c_str(), 0) == FALSE) << "not over a file without leave";
    ASSERT_TRUE(MoveFileEx(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(Get("A", "x"), "3") << "same size, another file";
    EXPECT_TRUE(DeleteFile(path.c_str()));
    EXPECT_EQ(Get("A", "x"), "none");
    EXPECT_FALSE(DeleteFile(path.c_str()));
}

// The process dies between writing the new file and renaming it over the old one, as in
// a crash or a power cut: the old file is whole, and the next write still works.
TEST_F(ProfileTest, ASaveStoppedBeforeTheRenameLeavesTheOldFileWhole)
{
    ASSERT_TRUE(WritePrivateProfileString("Player1", "Name", "Harrow", path.c_str()));
    const std::string before = ReadFile(path);
    EXPECT_EXIT(
        {
            profile::SetBeforeRenameHook([] { _exit(3); });
            WritePrivateProfileString("Player1", "Name", "Renamed", path.c_str());
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_TRUE(std::filesystem::exists(path + ".new")) << "the new file was written and not renamed";
    EXPECT_EQ(Get("Player1", "Name"), "Harrow");

    ASSERT_TRUE(WritePrivateProfileString("Player1", "Name", "Renamed", path.c_str()));
    EXPECT_EQ(Get("Player1", "Name"), "Renamed");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

}  // namespace
