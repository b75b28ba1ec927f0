#pragma once
// The hall of fame: for every player name, the matches played and won, the best score
// and when the player last played; and the best scores ever, with their dates. A
// computer player counts under its name and level ("Ann (Hard)"); in a match with other
// machines only this machine's own players count. The book lives in a file of the
// settings folder, rewritten whole under a temporary name and renamed; lines it cannot
// read are left out.

#include "core/global.h"
#include "play/replay_file.h"

#include <cstdint>
#include <string>
#include <vector>

struct SPlayerRecord {
    std::string name;
    std::uint32_t played = 0;
    std::uint32_t won = 0;
    std::uint32_t best = 0;
    std::int64_t last = 0;  // seconds since 1970
};

struct SBestScore {
    std::string name;
    std::uint32_t score = 0;
    std::int64_t date = 0;
};

class CRecordBook : public CGlobal {
public:
    static constexpr const char* kType = "CRecordBook";
    static constexpr std::size_t kBestScores = 10;

    // `path`: the book's file; empty keeps the book for the run only.
    CRecordBook(std::string path, const LList<CObject>& parents);
    bool HasType(const str& t) const override;

    // A match has ended: its players' records and the best scores take it in, and the
    // book is written.
    void Count(const SReplayHeader& match);
    // Forgets every record.
    void Clear();

    // The players, most matches won first (then most played, then by name).
    std::vector<SPlayerRecord> Players() const;
    const std::vector<SBestScore>& Best() const { return best; }

    // The book as its file holds it, and back.
    std::string Text() const;
    void Read(const std::string& text);

private:
    void Write() const;

    std::string path;
    std::vector<SPlayerRecord> players;
    std::vector<SBestScore> best;
};

// The name a player of `match` is counted under, or empty for a player this machine does
// not count (another machine's, or one who held no side).
std::string RecordName(const SReplayPlayer& player);

CRecordBook* FindRecordBook(CObject* from);

// A day and time as the player's clock has it: "2026-12-07 19:20".
std::string LocalDate(std::int64_t seconds);
