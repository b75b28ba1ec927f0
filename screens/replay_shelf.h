#pragma once
// The recordings on disk: a file for each match in the replays folder, named after the
// moment it ended. The newest kReplaysKept stay; older ones go, except those the player
// keeps for good. A file is written to a temporary name and renamed, so that a crash
// leaves no half recording.

#include "core/global.h"
#include "play/replay_file.h"

#include <optional>
#include <string>
#include <vector>

class CReplayShelf : public CGlobal {
public:
    static constexpr const char* kType = "CReplayShelf";
    static constexpr std::size_t kReplaysKept = 50;

    // `folder`: where the files go (made when the first is written); `version`: this
    // program's, which every recording carries and must match to be played.
    CReplayShelf(std::string folder, std::string version, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    struct Entry {
        std::string path;
        bool kept = false;
        bool readable = false;  // the header could be read
        std::string problem;    // why not
        SReplayHeader header;
    };

    // Stamps the recording with this program's version (and the time, unless it has
    // one), writes it and lets the
    // oldest go. Returns the file, or an empty string (said once on standard error) when the
    // folder cannot be written.
    std::string Save(SReplay recording);
    // Every recording, newest first.
    std::vector<Entry> List() const;
    // The recording in a file anywhere; XReplayError says why it cannot be played.
    SReplay Load(const std::string& path) const;
    // The recording stays for good; false when the file cannot be renamed.
    bool Keep(const std::string& path);

    // A match (or a recording of one) has ended: how.
    void Ended(const SReplayHeader& result) { lastMatch = result; }
    const std::optional<SReplayHeader>& LastMatch() const { return lastMatch; }

    const std::string& Folder() const { return folder; }
    const std::string& Version() const { return version; }

private:
    void Prune() const;

    std::string folder;
    std::string version;
    bool warned = false;
    std::optional<SReplayHeader> lastMatch;
};

// The tree's shelf of recordings, or null.
CReplayShelf* FindReplayShelf(CObject* from);
