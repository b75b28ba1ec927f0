#pragma once
// The players' settings between runs: every player's name, colour, paddle shape and
// controls, who plays at which side and whether sound is on, kept in an INI file through
// the profile API (on Windows in %APPDATA%\Quorvel, elsewhere in
// $XDG_CONFIG_HOME/quorvel, ~/.config/quorvel when that is unset).
//
// Loading takes what is sound and leaves the rest at its defaults, saying once on
// standard error what it ignored. Saving hands the sections that changed to a writer
// thread (the disk is slow); a folder that cannot be made or written is reported once,
// and the settings stay for the run.

#include "app/settings_writer.h"

#include <map>
#include <memory>
#include <set>
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
    // False when there is no folder to write into; the writing itself goes on behind.
    bool Save(const CData& data);
    // Waits for the writes handed over; false when one failed.
    bool Flush();

private:
    bool PrepareFolder();
    void Warn(const std::string& what);

    std::string folder;
    std::string path;
    std::map<std::string, std::string> saved;  // sections as last loaded or written
    std::set<std::string> stale;               // unknown sections found by Load, dropped by Save
    std::unique_ptr<SettingsWriter> writer;    // made by the first save that writes
    bool warned = false;
};
