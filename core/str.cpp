#include "core/str.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

char* Copy(const char* s)
{
    const std::size_t n = s ? std::strlen(s) : 0;
    char* block = new char[n + 1];
    if (n) std::memcpy(block, s, n);
    block[n] = '\0';
    return block;
}

}  // namespace

str::str() : buffer(Copy(nullptr)) {}
str::str(const char* s) : buffer(Copy(s)) {}
str::str(const str& o) : buffer(Copy(o.buffer)) {}
str::str(bool b) : buffer(Copy(b ? "True" : "False")) {}

str::str(char c) : buffer(new char[2]{c, '\0'}) {}

str::str(int n) { Format("%i", n); }
str::str(unsigned int n) { Format("%u", n); }
str::str(float f) { Format("%f", static_cast<double>(f)); }
str::str(double d) { Format("%f", d); }

str::str(long double d)
{
    // The long form needs the larger scratch block; the others fit in 64 bytes.
    char scratch[128];
    std::snprintf(scratch, sizeof scratch, "%Lf", d);
    buffer = Copy(scratch);
}

str::~str() { delete[] buffer; }

void str::Format(const char* format, ...)
{
    char scratch[64];
    va_list args;
    va_start(args, format);
    std::vsnprintf(scratch, sizeof scratch, format, args);
    va_end(args);
    buffer = Copy(scratch);
}

void str::Load(const char* s)
{
    char* block = Copy(s);
    delete[] buffer;
    buffer = block;
}

str& str::operator=(const str& o)
{
    if (this != &o) Load(o.buffer);
    return *this;
}

str& str::operator+=(const str& o)
{
    const std::size_t a = Size(), b = o.Size();
    char* block = new char[a + b + 1];
    std::memcpy(block, buffer, a);
    std::memcpy(block + a, o.buffer, b + 1);
    delete[] buffer;
    buffer = block;
    return *this;
}

str str::operator+(const str& o) const
{
    str result(*this);
    result += o;
    return result;
}

unsigned str::Size() const { return static_cast<unsigned>(std::strlen(buffer)); }

char& str::GetChar(unsigned int i) { return i < Size() ? buffer[i] : spare; }
char& str::operator[](unsigned int i) { return GetChar(i); }

unsigned str::FindStr(str s) const
{
    const char* found = std::strstr(buffer, s.buffer);
    return found ? static_cast<unsigned>(found - buffer) + 1 : 0;
}

unsigned str::operator[](str s) const { return FindStr(s); }

str::operator int() const { return static_cast<int>(std::strtol(buffer, nullptr, 10)); }
str::operator unsigned int() const { return static_cast<unsigned>(std::strtoul(buffer, nullptr, 10)); }
str::operator double() const { return std::strtod(buffer, nullptr); }
str::operator float() const { return std::strtof(buffer, nullptr); }
str::operator long double() const { return std::strtold(buffer, nullptr); }

int str::Compare(const str& o) const { return std::strcmp(buffer, o.buffer); }
bool str::operator==(const str& o) const { return Compare(o) == 0; }
bool str::operator!=(const str& o) const { return Compare(o) != 0; }
bool str::operator<(const str& o) const { return Compare(o) < 0; }
bool str::operator<=(const str& o) const { return Compare(o) <= 0; }
bool str::operator>(const str& o) const { return Compare(o) > 0; }
bool str::operator>=(const str& o) const { return Compare(o) >= 0; }

bool operator==(const str& a, const char* b) { return std::strcmp(a, b ? b : "") == 0; }
