#include "platform/profile/profile.h"

#include "platform/profile/ini_file.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include <sys/stat.h>

namespace {

// What tells one state of a file from another without reading it.
struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec changed{};
    bool operator==(const Identity& other) const
    {
        return device == other.device && inode == other.inode && size == other.size &&
               changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
    }
};

std::optional<Identity> IdentityOf(const std::string& path)
{
    struct stat about {};
    if (::stat(path.c_str(), &about) != 0) return std::nullopt;
    return Identity{about.st_dev, about.st_ino, about.st_size, about.st_mtim};
}

// The last file read or written, parsed, as Windows keeps it: a run of lookups parses
// the file once, and a file changed on the disk since is read again. Every call goes
// through here under one lock, so the writer thread and the game never meet half-way.
class Cache {
public:
    // The file as it is now, kept here until the next call; null when something is there
    // that cannot be read as a plain file. A missing file is an empty one.
    const profile::IniFile* Read(const std::string& path)
    {
        const std::optional<Identity> now = IdentityOf(path);
        if (file && path == cachedPath && now == identity) return file.get();
        std::optional<profile::IniFile> read = profile::IniFile::Read(path);
        if (!read) return nullptr;
        Keep(path, now, std::move(*read));
        return file.get();
    }

    bool Write(const std::string& path, profile::IniFile changed)
    {
        if (!profile::ReplaceFile(path, changed.Text())) return false;
        Keep(path, IdentityOf(path), std::move(changed));
        return true;
    }

    std::mutex lock;

private:
    void Keep(const std::string& path, const std::optional<Identity>& now, profile::IniFile read)
    {
        cachedPath = path;
        identity = now;
        file = std::make_unique<profile::IniFile>(std::move(read));
    }

    std::string cachedPath;
    std::optional<Identity> identity;  // none: the file was missing
    std::unique_ptr<profile::IniFile> file;
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

// One string into the caller's buffer, cut to fit; returns the characters copied.
DWORD CopyString(const std::string& text, LPSTR buffer, DWORD size)
{
    if (!buffer || size == 0) return 0;
    const std::size_t length = std::min<std::size_t>(std::strlen(text.c_str()), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<DWORD>(length);
}

// Names one after another, each ended by a null, the list by a second null; a list
// that does not fit is cut and still ends in two nulls, and the result is size - 2.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    if (!buffer || size == 0) return 0;
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::string list;
    for (const std::string& name : names) list += std::string(name.c_str()) + '\0';
    if (list.size() + 1 > size) {
        std::memcpy(buffer, list.data(), size - 2);
        buffer[size - 2] = buffer[size - 1] = '\0';
        return size - 2;
    }
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    if (list.empty()) buffer[1] = '\0';
    return static_cast<DWORD>(list.size());
}

// A default loses its trailing blanks, as Windows hands it back.
std::string Fallback(LPCSTR fallback)
{
    std::string text = fallback ? fallback : "";
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The file for reading: one that cannot be read reads as empty.
const profile::IniFile& ReadOrEmpty(const std::string& path)
{
    static const profile::IniFile empty;
    const profile::IniFile* file = TheCache().Read(path);
    return file ? *file : empty;
}

// Reads the file, changes it and replaces it. Something that is there but cannot be
// read (a folder, a pipe, a device) is not replaced: the write fails.
template <typename Change>
BOOL Rewrite(LPCSTR fileName, Change change)
{
    Cache& cache = TheCache();
    const profile::IniFile* read = cache.Read(fileName);
    if (!read) return FALSE;
    profile::IniFile file = *read;
    change(file);
    return cache.Write(fileName, std::move(file)) ? TRUE : FALSE;
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                               LPCSTR fileName)
{
    if (!fileName) return CopyString(Fallback(fallback), buffer, size);
    std::lock_guard hold(TheCache().lock);
    const profile::IniFile& file = ReadOrEmpty(fileName);
    if (!section) return CopyList(file.Sections(), buffer, size);
    if (!key) return CopyList(file.Keys(section), buffer, size);
    const std::optional<std::string> value = file.Get(section, key);
    return CopyString(value ? *value : Fallback(fallback), buffer, size);
}

// The value's leading decimal number (with its sign); a value without one reads 0.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR fileName)
{
    if (!section || !key || !fileName) return static_cast<UINT>(fallback);
    std::lock_guard hold(TheCache().lock);
    const std::optional<std::string> value = ReadOrEmpty(fileName).Get(section, key);
    if (!value) return static_cast<UINT>(fallback);
    const char* text = value->c_str();
    const bool negative = *text == '-';
    if (negative || *text == '+') ++text;
    unsigned long long number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) number = (number * 10 + static_cast<unsigned>(*text - '0')) & 0xFFFFFFFFull;
    const UINT result = static_cast<UINT>(number);
    return negative ? 0u - result : result;
}

// All three names null flushes Windows' cache of profile files and returns FALSE; every
// write here is on the disk when it returns, so there is nothing to flush.
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    if (!section || !fileName) return FALSE;
    std::lock_guard hold(TheCache().lock);
    return Rewrite(fileName, [&](profile::IniFile& file) {
        if (!key)
            file.RemoveSection(section);
        else if (!value)
            file.Remove(section, key);
        else
            file.Set(section, key, value);
    });
}

BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR keysAndValues, LPCSTR fileName)
{
    if (!section || !keysAndValues || !fileName) return FALSE;
    std::lock_guard hold(TheCache().lock);
    return Rewrite(fileName, [&](profile::IniFile& file) {
        file.ClearSection(section);
        for (const char* entry = keysAndValues; *entry; entry += std::strlen(entry) + 1) {
            const char* equals = std::strchr(entry, '=');
            if (equals && equals != entry) file.Set(section, std::string(entry, equals), equals + 1);
        }
    });
}
