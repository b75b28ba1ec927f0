#pragma once
// A 100 x 20 field that edits a name in place: letters, digits and spaces are entered as
// their key goes down (and repeat while it is held); Backspace, Delete, the arrows, Home
// and End edit around a blinking caret. A name is at most 12 characters and never wider
// than the field. A string left empty gets its first value back when the field goes away.
// An address field is 200 wide and takes what a network address is made of instead:
// letters, digits, dots, hyphens and a colon before the port.

#include "gfx/graphic.h"

#include <optional>

enum class EEntry { Name, Address };

class CTextEdit : public CGraphic {
public:
    static constexpr const char* kType = "CTextEdit";
    CTextEdit(unsigned int x, unsigned int y, str* target, const LList<CObject>& parents,
              EEntry entry = EEntry::Name);
    ~CTextEdit() override;
    bool HasType(const str& t) const override;

    // A string left empty gets its first value back: before the next screen is built
    // from it, and at the latest when the field goes away.
    void Settle();

    void KeyDown(unsigned int key, bool down) override;
    // A click in the field puts the caret at the character boundary nearest to it.
    void MouseMove(unsigned int x, unsigned int y) override;
    void MouseDown(unsigned int button, bool down) override;
    void Animate() override;
    bool Paint(HDC dc) override;
    void DescribeLook(PaintLook& look) override;

    // Frames the caret stays on, and then off.
    static constexpr unsigned int kBlinkFrames = 11;
    // The longest name: twelve characters fill a paddle's 124 pixels in its fixed-width face.
    static constexpr unsigned int kMaxName = 12;
    // The longest address: a name and a port.
    static constexpr unsigned int kMaxAddress = 40;
    static constexpr unsigned int kAddressWidth = 200;

    str* target;
    bool caretOn = false;
    unsigned int cursor = 0;
    int caretX = 0;
    std::optional<LONG> caretLeft;  // the text's left edge when the paint began
    str savedText;
    EEntry entry;

private:
    void EditKey(unsigned int key);
    void Backspace();
    void Delete();
    void Enter(char c);
    void PlaceCaret(HDC dc);
    unsigned int CursorAt(LONG x);

    POINT pointer{-1, -1};
};

// The character that a key enters into a name: its unshifted character when that is a
// letter, a digit or a space, letters in lower case unless `capitals`; 0 for any other key,
// and for a digit's key with `shift` held (which types another character).
char NameCharacter(unsigned int key, bool capitals, bool shift = false);
// The character that a key enters into an address: a letter (in lower case), a digit, a
// dot or a hyphen, and with `shift` the colon; 0 for any other key.
char AddressCharacter(unsigned int key, bool shift);
