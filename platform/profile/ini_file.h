#pragma once
// An INI file as lines, the way the profile functions read and change it: unknown
// lines, comments and other sections stay as they were.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace profile {

class IniFile {
public:
    // The file's text; a missing or unreadable file reads as empty.
    static IniFile Read(const std::string& path);
    static IniFile Parse(const std::string& text);

    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(const std::string& section) const;

    void Set(const std::string& section, const std::string& key, const std::string& value);
    void Remove(const std::string& section, const std::string& key);
    void RemoveSection(const std::string& section);
    // Removes the section's keys and keeps its header (made when missing).
    void ClearSection(const std::string& section);

    std::string Text() const;

private:
    struct Line {
        std::string text;
        std::string section;  // the section the line belongs to (lower case)
        std::string key;      // lower case; empty for headers, comments and junk
        bool header = false;
    };
    std::optional<std::size_t> FindKey(const std::string& section, const std::string& key) const;
    std::optional<std::size_t> LastLineOf(const std::string& section) const;

    std::vector<Line> lines;
};

// Writes text to a temporary file beside path, flushes it to the disk and renames it
// over path. False (and path untouched) on any failure.
bool ReplaceFile(const std::string& path, const std::string& text);

// Runs between writing the temporary file and renaming it; tests use it to stop a save
// half-way, as a crash would.
void SetBeforeRenameHook(std::function<void()> hook);

}  // namespace profile
