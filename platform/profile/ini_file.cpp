#include "platform/profile/ini_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace profile {
namespace {

std::function<void()>& BeforeRename()
{
    static std::function<void()> hook;
    return hook;
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text)
{
    const std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return "";
    const std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

// A value in matching quotes loses them, as Windows reads it.
std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string OneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

bool WriteAll(int fd, const std::string& text)
{
    const char* at = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, at, left);
        if (written <= 0) return false;
        at += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// A plain file's bytes; nullopt for anything else.
std::optional<std::string> ReadAll(int fd)
{
    struct stat about {};
    if (::fstat(fd, &about) != 0 || !S_ISREG(about.st_mode)) return std::nullopt;
    std::string text(static_cast<std::size_t>(about.st_size), '\0');
    std::size_t have = 0;
    while (have < text.size()) {
        const ssize_t got = ::read(fd, text.data() + have, text.size() - have);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        have += static_cast<std::size_t>(got);
    }
    text.resize(have);
    return text;
}

}  // namespace

std::optional<IniFile> IniFile::Read(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? std::optional<IniFile>(IniFile()) : std::nullopt;
    std::optional<std::string> text = ReadAll(fd);
    ::close(fd);
    if (!text) return std::nullopt;
    return Parse(*text);
}

IniFile IniFile::Parse(const std::string& text)
{
    IniFile file;
    std::string section;
    bool others = false;  // the last line is a run of comments, blanks or junk
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t newline = text.find('\n', begin);
        const std::size_t end = newline == std::string::npos ? text.size() : newline;
        std::string raw = text.substr(begin, end - begin);
        begin = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        Line line{raw, section, "", false};
        const std::string trimmed = Trim(raw);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            section = Lower(Trim(trimmed.substr(1, trimmed.size() - 2)));
            line.section = section;
            line.header = true;
        } else if (const std::size_t equals = trimmed.find('='); equals != std::string::npos && equals > 0 &&
                                                                   trimmed.front() != ';') {
            line.key = Lower(Trim(trimmed.substr(0, equals)));
        } else if (others) {
            file.lines.back().text += "\n" + raw;
            continue;
        }
        others = !line.header && line.key.empty();
        file.lines.push_back(std::move(line));
    }
    return file;
}

std::optional<std::size_t> IniFile::FindKey(const std::string& section, const std::string& key) const
{
    if (index.empty())
        for (std::size_t i = lines.size(); i-- > 0;)
            if (!lines[i].key.empty()) index[lines[i].section + "\n" + lines[i].key] = i;
    const auto at = index.find(Lower(section) + "\n" + Lower(key));
    if (at == index.end()) return std::nullopt;
    return at->second;
}

std::optional<std::size_t> IniFile::LastLineOf(const std::string& section) const
{
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].section == section && (lines[i].header || !lines[i].key.empty())) last = i;
    return last;
}

std::optional<std::string> IniFile::Get(const std::string& section, const std::string& key) const
{
    const std::optional<std::size_t> at = FindKey(section, key);
    if (!at) return std::nullopt;
    const std::string& text = lines[*at].text;
    return Unquote(Trim(text.substr(text.find('=') + 1)));
}

std::vector<std::string> IniFile::Sections() const
{
    std::vector<std::string> names;
    for (const Line& line : lines) {
        if (!line.header) continue;
        const std::string trimmed = Trim(line.text);
        names.push_back(Trim(trimmed.substr(1, trimmed.size() - 2)));
    }
    return names;
}

std::vector<std::string> IniFile::Keys(const std::string& section) const
{
    std::vector<std::string> keys;
    const std::string s = Lower(section);
    for (const Line& line : lines)
        if (!line.header && line.section == s && !line.key.empty())
            keys.push_back(Trim(Trim(line.text).substr(0, Trim(line.text).find('='))));
    return keys;
}

// A line break inside a name or value would make lines of its own: it becomes a space.
void IniFile::Set(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string s = Lower(section);
    Line line{OneLine(key) + "=" + OneLine(value), s, Lower(Trim(OneLine(key))), false};
    if (const std::optional<std::size_t> at = FindKey(section, key)) {
        lines[*at] = line;
        return Changed();
    }
    if (const std::optional<std::size_t> last = LastLineOf(s)) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*last + 1), line);
        return Changed();
    }
    lines.push_back(Line{"[" + section + "]", s, "", true});
    lines.push_back(line);
    Changed();
}

void IniFile::Remove(const std::string& section, const std::string& key)
{
    if (const std::optional<std::size_t> at = FindKey(section, key))
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
    Changed();
}

void IniFile::RemoveSection(const std::string& section)
{
    const std::string s = Lower(section);
    std::erase_if(lines, [&](const Line& line) { return line.section == s && (line.header || !line.key.empty()); });
    Changed();
}

void IniFile::ClearSection(const std::string& section)
{
    const std::string s = Lower(section);
    std::erase_if(lines, [&](const Line& line) { return line.section == s && !line.header && !line.key.empty(); });
    if (!LastLineOf(s)) lines.push_back(Line{"[" + section + "]", s, "", true});
    Changed();
}

std::string IniFile::Text() const
{
    std::string text;
    for (const Line& line : lines) text += line.text + "\n";
    return text;
}

bool ReplaceFile(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || !RenameFile(temporary, path, false)) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool RenameFile(const std::string& from, const std::string& to, bool writeThrough)
{
    if (BeforeRename()) BeforeRename()();
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    if (!writeThrough) return true;
    const std::size_t slash = to.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : to.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool flushed = ::fsync(fd) == 0;
    ::close(fd);
    return flushed;
}

void SetBeforeRenameHook(std::function<void()> hook) { BeforeRename() = std::move(hook); }

}  // namespace profile
