#pragma once
// The players' settings between runs: every player's name, colour, paddle shape and
// controls, who plays at which side and whether sound is on, kept in an INI file through
// the profile API (on Windows in %APPDATA%\Quorvel, elsewhere in
// $XDG_CONFIG_HOME/quorvel, ~/.config/quorvel when that is unset).
//
// Loading takes what is sound and leaves the rest at its defaults, saying once on
// standard error what it ignored. Saving writes only when something changed; a folder
// that cannot be written is reported once, and the settings stay for the run.

#include <map>
#include <string>
#include <vector>

class CData;

class SettingsFile {
public:
    // The file in the user's settings folder.
    SettingsFile();
    // A file of the caller's choice (tests, benchmarks); no folder is made for it.
    explicit SettingsFile(std::string path);

    // The data holds its defaults; what the file has replaces them. Returns what was
    // ignored, one line each (also written to standard error, once).
    std::vector<std::string> Load(CData& data);
    // False when the settings could not be written.
    bool Save(const CData& data);

    const std::string& Path() const { return path; }

private:
    bool PrepareFolder();
    void Warn(const std::string& what);

    std::string folder;
    std::string path;
    std::map<std::string, std::string> saved;  // sections as last loaded or written
    std::vector<std::string> stale;            // unknown sections found by Load, dropped by Save
    bool warned = false;
};
