#include "model/names.h"

#include <string>

str SendableName(const str& name, unsigned int number)
{
    std::string kept;
    bool shows = false;
    for (const char* c = name; *c && kept.size() < kMaxNameLength; ++c) {
        const bool printable = *c >= 0x20 && *c <= 0x7e;
        kept += printable ? *c : '?';
        shows = shows || *c != ' ';
    }
    if (!shows) return str("Player ") + str(number);
    return str(kept.c_str());
}
