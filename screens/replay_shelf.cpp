#include "screens/replay_shelf.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".qrv";
constexpr const char* kKeptPrefix = "kept-";

bool IsKept(const fs::path& file) { return file.filename().string().rfind(kKeptPrefix, 0) == 0; }

// The name without the mark of a kept file: the moment, which orders the files.
std::string Moment(const fs::path& file)
{
    std::string name = file.filename().string();
    if (IsKept(file)) name.erase(0, std::char_traits<char>::length(kKeptPrefix));
    return name;
}

std::vector<fs::path> Files(const std::string& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file(error) && entry.path().extension() == kExtension) files.push_back(entry.path());
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) { return Moment(a) > Moment(b); });
    return files;
}

// The file's bytes; one too large to be a recording is not read beyond the limit.
std::string ReadBytes(const std::string& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in) throw XReplayError("This replay cannot be read");
    std::string bytes(kMaxReplayBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// "YYYYMMDD-HHMMSS-": the start of the names of the recordings of that second.
std::string SecondOf(std::int64_t date)
{
    const std::time_t when = static_cast<std::time_t>(date);
    const std::tm* found = std::gmtime(&when);
    const std::tm utc = found ? *found : std::tm{};
    char name[96];
    std::snprintf(name, sizeof name, "%04d%02d%02d-%02d%02d%02d-", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                  utc.tm_hour, utc.tm_min, utc.tm_sec);
    return name;
}

// The number of the next recording of that second: after every one there, kept or not,
// so that names keep the order in which matches ended even when older ones were pruned.
unsigned int NextNumber(const std::string& folder, const std::string& second)
{
    unsigned int next = 0;
    for (const fs::path& file : Files(folder)) {
        const std::string moment = Moment(file);
        if (moment.rfind(second, 0) != 0) continue;
        const unsigned int n = static_cast<unsigned int>(std::strtoul(moment.c_str() + second.size(), nullptr, 10));
        next = std::max(next, n + 1);
    }
    return next;
}

std::string FileName(const std::string& second, unsigned int n)
{
    char number[16];
    std::snprintf(number, sizeof number, "%03u", n);
    return second + number + kExtension;
}

bool WriteAtomically(const fs::path& path, const std::string& bytes)
{
    fs::path temporary = path;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) return false;
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (!error) return true;
    fs::remove(temporary, error);
    return false;
}

}  // namespace

CReplayShelf::CReplayShelf(std::string f, std::string v, const LList<CObject>& parents)
    : CGlobal(parents), folder(std::move(f)), version(std::move(v))
{
    type.Load(kType);
}

bool CReplayShelf::HasType(const str& t) const { return t == kType || CGlobal::HasType(t); }

std::string CReplayShelf::Save(SReplay recording)
{
    recording.header.version = version;
    if (recording.header.date == 0) recording.header.date = static_cast<std::int64_t>(std::time(nullptr));
    std::error_code error;
    if (!folder.empty()) fs::create_directories(fs::path(folder), error);
    const std::string second = SecondOf(recording.header.date);
    const unsigned int n = NextNumber(folder, second);
    const fs::path path = fs::path(folder) / FileName(second, n);
    if (folder.empty() || error || n > 999 || !WriteAtomically(path, EncodeReplay(recording))) {
        if (!warned) std::fprintf(stderr, "Quorvel: cannot write replays into %s\n", folder.c_str());
        warned = true;
        return "";
    }
    Prune();
    return path.string();
}

void CReplayShelf::Prune() const
{
    std::size_t seen = 0;
    std::error_code error;
    for (const fs::path& file : Files(folder))
        if (!IsKept(file) && ++seen > kReplaysKept) fs::remove(file, error);
}

std::vector<CReplayShelf::Entry> CReplayShelf::List() const
{
    std::vector<Entry> entries;
    for (const fs::path& file : Files(folder)) {
        Entry entry;
        entry.path = file.string();
        entry.kept = IsKept(file);
        try {
            entry.header = DecodeReplayHeader(ReadBytes(entry.path));
            entry.readable = true;
        } catch (const XReplayError& e) {
            entry.problem = static_cast<const char*>(e.text);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

SReplay CReplayShelf::Load(const std::string& path) const { return DecodeReplay(ReadBytes(path), version); }

bool CReplayShelf::Keep(const std::string& path)
{
    const fs::path file(path);
    if (IsKept(file)) return true;
    std::error_code error;
    fs::rename(file, file.parent_path() / (kKeptPrefix + file.filename().string()), error);
    return !error;
}

CReplayShelf* FindReplayShelf(CObject* from) { return from->Find<CReplayShelf>(); }
