#pragma once
// The players' settings between runs: every player's name, colour, paddle shape and
// controls, who plays at which side and whether sound is on, kept in an INI file through
// the profile API (on Windows in %APPDATA%\Quorvel, elsewhere in
// $XDG_CONFIG_HOME/quorvel, ~/.config/quorvel when that is unset).
//
// Loading takes what is sound and leaves the rest at its defaults, saying once on
// standard error, in a few lines, what it ignored; a file that is not a plain file or is
// far too large is not read but set aside. Saving hands the whole file to a writer
// thread (the disk is slow), which replaces the old one in one step; a folder that
// cannot be made or written is reported once, and the settings stay for the run.

#include "app/settings_writer.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CData;

// Where recorded matches go: %APPDATA%\Quorvel\replays on Windows, elsewhere
// $XDG_DATA_HOME/quorvel/replays (~/.local/share/quorvel/replays when that is unset); empty
// when there is no such folder.
std::string ReplaysFolder();
// The hall of fame's file, in the settings folder; empty when there is none.
std::string RecordsFile();

class SettingsFile {
public:
    // The file in the user's settings folder.
    SettingsFile();
    // A file of the caller's choice (tests, benchmarks); no folder is made for it.
    explicit SettingsFile(std::string path);

    // The data holds its defaults; what the file has replaces them. Returns what was
    // ignored as the report says it, one line each (also written to standard error):
    // the first few things, then how many more.
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
    SettingsWriter::Sections saved;          // the file as last loaded or written
    std::unique_ptr<SettingsWriter> writer;  // made by the first save that writes
    bool leftAlone = false;                  // something that is no settings file is there
    bool warned = false;
};
