#include "platform/profile/ini_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
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

}  // namespace

IniFile IniFile::Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return IniFile();
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

IniFile IniFile::Parse(const std::string& text)
{
    IniFile file;
    std::string section;
    std::istringstream in(text);
    for (std::string raw; std::getline(in, raw);) {
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
        }
        file.lines.push_back(line);
    }
    return file;
}

std::optional<std::size_t> IniFile::FindKey(const std::string& section, const std::string& key) const
{
    const std::string s = Lower(section), k = Lower(key);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].header && lines[i].section == s && lines[i].key == k) return i;
    return std::nullopt;
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
        return;
    }
    if (const std::optional<std::size_t> last = LastLineOf(s)) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*last + 1), line);
        return;
    }
    lines.push_back(Line{"[" + section + "]", s, "", true});
    lines.push_back(line);
}

void IniFile::Remove(const std::string& section, const std::string& key)
{
    if (const std::optional<std::size_t> at = FindKey(section, key))
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
}

void IniFile::RemoveSection(const std::string& section)
{
    const std::string s = Lower(section);
    std::erase_if(lines, [&](const Line& line) { return line.section == s && (line.header || !line.key.empty()); });
}

void IniFile::ClearSection(const std::string& section)
{
    const std::string s = Lower(section);
    std::erase_if(lines, [&](const Line& line) { return line.section == s && !line.header && !line.key.empty(); });
    if (!LastLineOf(s)) lines.push_back(Line{"[" + section + "]", s, "", true});
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
    if (::close(fd) != 0 || !written) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (BeforeRename()) BeforeRename()();
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

void SetBeforeRenameHook(std::function<void()> hook) { BeforeRename() = std::move(hook); }

}  // namespace profile
