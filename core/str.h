#pragma once
// The program's own text: one exclusively owned, exactly sized, NUL-terminated buffer of
// 8-bit characters. Every change allocates a new block of exactly the needed size.

class str {
public:
    str();
    str(const char* s);
    str(const str& o);
    explicit str(bool b);
    explicit str(char c);
    explicit str(int n);
    explicit str(unsigned int n);
    explicit str(float f);
    explicit str(double d);
    explicit str(long double d);
    ~str();

    void Load(const char* s);

    str& operator=(const str& o);
    str& operator+=(const str& o);
    str operator+(const str& o) const;

    unsigned Size() const;
    char& GetChar(unsigned int i);
    char& operator[](unsigned int i);
    unsigned FindStr(str s) const;
    unsigned operator[](str s) const;

    operator char*() const { return buffer; }
    explicit operator int() const;
    explicit operator unsigned int() const;
    explicit operator double() const;
    explicit operator float() const;
    explicit operator long double() const;

    bool operator==(const str& o) const;
    bool operator!=(const str& o) const;
    bool operator<(const str& o) const;
    bool operator<=(const str& o) const;
    bool operator>(const str& o) const;
    bool operator>=(const str& o) const;

private:
    int Compare(const str& o) const;
    void Format(const char* format, ...);

    char spare = 0;
    char* buffer = nullptr;
};

// Comparisons with a literal, so that `name == "CBall"` compares texts, not pointers,
// without making a str of the literal (every type test does this).
bool operator==(const str& a, const char* b);
inline bool operator!=(const str& a, const char* b) { return !(a == b); }
