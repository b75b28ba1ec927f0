#pragma once
// An INI file as lines, the way the profile functions read and change it: unknown
// lines, comments and other sections stay as they were.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace profile {

class IniFile {
public:
    // The file's text. A missing file reads as empty; nullopt when something is there
    // that cannot be read as a plain file (a folder, a pipe, a device, no right to read).
    // Opening never waits for a writer, as opening a pipe would.
    static std::optional<IniFile> Read(const std::string& path);
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
        std::string text;     // a run of comments, blanks and junk is one line of several
        std::string section;  // the section the line belongs to (lower case)
        std::string key;      // lower case; empty for headers, comments and junk
        bool header = false;
    };
    std::optional<std::size_t> FindKey(const std::string& section, const std::string& key) const;
    std::optional<std::size_t> LastLineOf(const std::string& section) const;
    void Changed() { index.clear(); }

    std::vector<Line> lines;
    // Where each section's keys first appear ("section\nkey"), made by the first lookup
    // after a change: a long file is searched once, not once a lookup.
    mutable std::map<std::string, std::size_t> index;
};

// Writes text to a temporary file beside path, flushes it to the disk and renames it
// over path. False (and path untouched) on any failure.
bool ReplaceFile(const std::string& path, const std::string& text);

// Renames a file over another, through the same hook; with writeThrough the folder is
// flushed to the disk as well, so that the rename itself survives a power cut.
bool RenameFile(const std::string& from, const std::string& to, bool writeThrough);

// Runs before every rename; tests use it to stop a save half-way, as a crash would, or
// to make renames slow, as on a slow disk.
void SetBeforeRenameHook(std::function<void()> hook);

}  // namespace profile
