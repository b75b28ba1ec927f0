#include "platform/profile/profile.h"

#include "platform/profile/ini_file.h"

#include <cstdlib>
#include <cstring>

namespace {

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

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                               LPCSTR fileName)
{
    if (!fileName) return CopyString(Fallback(fallback), buffer, size);
    const profile::IniFile file = profile::IniFile::Read(fileName);
    if (!section) return CopyList(file.Sections(), buffer, size);
    if (!key) return CopyList(file.Keys(section), buffer, size);
    const std::optional<std::string> value = file.Get(section, key);
    return CopyString(value ? *value : Fallback(fallback), buffer, size);
}

// The value's leading decimal number (with its sign); a value without one reads 0.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT fallback, LPCSTR fileName)
{
    if (!section || !key || !fileName) return static_cast<UINT>(fallback);
    const std::optional<std::string> value = profile::IniFile::Read(fileName).Get(section, key);
    if (!value) return static_cast<UINT>(fallback);
    const char* text = value->c_str();
    const bool negative = *text == '-';
    if (negative || *text == '+') ++text;
    unsigned long long number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) number = (number * 10 + static_cast<unsigned>(*text - '0')) & 0xFFFFFFFFull;
    const UINT result = static_cast<UINT>(number);
    return negative ? 0u - result : result;
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    if (!section || !fileName) return FALSE;
    profile::IniFile file = profile::IniFile::Read(fileName);
    if (!key)
        file.RemoveSection(section);
    else if (!value)
        file.Remove(section, key);
    else
        file.Set(section, key, value);
    return profile::ReplaceFile(fileName, file.Text()) ? TRUE : FALSE;
}

BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR keysAndValues, LPCSTR fileName)
{
    if (!section || !keysAndValues || !fileName) return FALSE;
    profile::IniFile file = profile::IniFile::Read(fileName);
    file.ClearSection(section);
    for (const char* entry = keysAndValues; *entry; entry += std::strlen(entry) + 1) {
        const char* equals = std::strchr(entry, '=');
        if (equals && equals != entry) file.Set(section, std::string(entry, equals), equals + 1);
    }
    return profile::ReplaceFile(fileName, file.Text()) ? TRUE : FALSE;
}
