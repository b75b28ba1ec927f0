#pragma once
// The program's failures. Every one travels up to the window procedure, which shows
// where + ": " + text in a message box and lets the game go on.

#include "core/str.h"

class XException {
public:
    XException(str text, str where, bool fatal = false) : text(text), where(where), fatal(fatal) {}
    virtual ~XException() = default;

    str text;
    str where;
    bool fatal;
};

// Something the player is told rather than a failure of the program: the box is titled
// `where` ("Online match", "Join game") and says `text` alone.
class XNotice : public XException {
public:
    XNotice(str text, str where) : XException(text, where) {}
};

// A lookup for a required child, parent or global found nothing.
class XChildError : public XException {
public:
    explicit XChildError(str where, bool fatal = false)
        : XException(str("A child/parent object was not present."), where, fatal) {}
};

// The paint protocol was broken.
class XPaintError : public XException {
public:
    explicit XPaintError(str where, bool fatal = false)
        : XException(str("Paint functions not called in order."), where, fatal) {}
};

// A parameter is outside its allowed range.
class XDomainError : public XException {
public:
    explicit XDomainError(str where, bool fatal = false)
        : XException(str("The value of a parameter was not within its domain."), where, fatal) {}
};

// A walk's callback refused to go on; `where` names the object at which it stopped.
class XIterationError : public XException {
public:
    explicit XIterationError(str where, bool fatal = false)
        : XException(str("Iteration was stopped early."), where, fatal) {}
};
