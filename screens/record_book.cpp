#include "screens/record_book.h"

#include "model/controls.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kHeading = "quorvel-records 1";
constexpr std::size_t kMaxName = 40;

bool SoundName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxName) return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= 32 && c <= 126; });
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

template <class Number>
bool ReadNumber(const std::string& text, Number& value)
{
    if (text.empty() || text.size() > 19 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const unsigned long long n = std::stoull(text);
    value = static_cast<Number>(n);
    return static_cast<unsigned long long>(value) == n;
}

}  // namespace

std::string RecordName(const SReplayPlayer& player)
{
    if (!player.played || player.kind == CControls::Network) return "";
    if (player.kind == CControls::Computer) return player.name + " (" + ComputerLevelName(player.level) + ")";
    return player.name;
}

CRecordBook::CRecordBook(std::string p, const LList<CObject>& parents) : CGlobal(parents), path(std::move(p))
{
    type.Load(kType);
    if (path.empty()) return;
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Read(text.str());
}

bool CRecordBook::HasType(const str& t) const { return t == kType || CGlobal::HasType(t); }

void CRecordBook::Count(const SReplayHeader& match)
{
    for (unsigned int i = 0; i < kReplaySlots; ++i) {
        const SReplayPlayer& player = match.players[i];
        const std::string name = RecordName(player);
        if (name.empty()) continue;
        auto record = std::find_if(players.begin(), players.end(), [&](const SPlayerRecord& r) { return r.name == name; });
        if (record == players.end()) record = players.insert(players.end(), SPlayerRecord{name});
        ++record->played;
        if (match.winner == i + 1) ++record->won;
        record->best = std::max(record->best, player.score);
        record->last = std::max(record->last, match.date);
        best.push_back(SBestScore{name, player.score, match.date});
    }
    // The higher score first; of equal ones, the earlier.
    std::stable_sort(best.begin(), best.end(), [](const SBestScore& a, const SBestScore& b) {
        return a.score != b.score ? a.score > b.score : a.date < b.date;
    });
    if (best.size() > kBestScores) best.resize(kBestScores);
    Write();
}

void CRecordBook::Clear()
{
    players.clear();
    best.clear();
    Write();
}

std::vector<SPlayerRecord> CRecordBook::Players() const
{
    std::vector<SPlayerRecord> sorted = players;
    std::sort(sorted.begin(), sorted.end(), [](const SPlayerRecord& a, const SPlayerRecord& b) {
        if (a.won != b.won) return a.won > b.won;
        if (a.played != b.played) return a.played > b.played;
        return a.name < b.name;
    });
    return sorted;
}

std::string CRecordBook::Text() const
{
    std::string text = std::string(kHeading) + "\n";
    for (const SPlayerRecord& r : players)
        text += "player\t" + r.name + "\t" + std::to_string(r.played) + "\t" + std::to_string(r.won) + "\t" +
                std::to_string(r.best) + "\t" + std::to_string(r.last) + "\n";
    for (const SBestScore& b : best)
        text += "best\t" + b.name + "\t" + std::to_string(b.score) + "\t" + std::to_string(b.date) + "\n";
    return text;
}

// Lines that are not whole and sound are left out; the rest stands.
void CRecordBook::Read(const std::string& text)
{
    players.clear();
    best.clear();
    std::stringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeading) return;
    while (std::getline(in, line)) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() == 6 && f[0] == "player" && SoundName(f[1])) {
            SPlayerRecord r{f[1]};
            const bool sound = ReadNumber(f[2], r.played) && ReadNumber(f[3], r.won) && ReadNumber(f[4], r.best) &&
                               ReadNumber(f[5], r.last) && r.won <= r.played;
            const bool known = std::any_of(players.begin(), players.end(), [&](const SPlayerRecord& p) { return p.name == r.name; });
            if (sound && !known) players.push_back(r);
        } else if (f.size() == 4 && f[0] == "best" && SoundName(f[1]) && best.size() < kBestScores) {
            SBestScore b{f[1]};
            if (ReadNumber(f[2], b.score) && ReadNumber(f[3], b.date)) best.push_back(b);
        }
    }
}

void CRecordBook::Write() const
{
    if (path.empty()) return;
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    const fs::path temporary = fs::path(path + ".new");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const std::string text = Text();
        if (!out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush()) return;
    }
    fs::rename(temporary, fs::path(path), error);
    if (error) fs::remove(temporary, error);
}

CRecordBook* FindRecordBook(CObject* from) { return from->Find<CRecordBook>(); }

std::string LocalDate(std::int64_t seconds)
{
    const std::time_t when = static_cast<std::time_t>(seconds);
    const std::tm* found = std::localtime(&when);
    const std::tm local = found ? *found : std::tm{};
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", &local);
    return date;
}
