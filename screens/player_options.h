#pragma once
// One player's screen: the name field, and the ways to the colour, control and
// paddle-shape screens of that player. "Network" keeps the player's place for a player
// on another machine, who takes it on joining a game this machine hosts; "Computer"
// stands between the other four ways of playing.

#include "model/side.h"
#include "ui/game.h"

struct SPlayerOptions;
class CButton;

class CPlayerOptions : public CGame {
public:
    static constexpr const char* kType = "CPlayerOptions";
    // The codes of the buttons that end the screen.
    enum Choice : unsigned int { Back = 0, Keyboard = 1, Mouse = 2, Network = 3, Controller = 4, Shape = 5, Color = 6, Computer = 7 };

    CPlayerOptions(SPlayerOptions* options, const LList<CObject>& parents);
    bool HasType(const str& t) const override;
    CGame* NextGame() override;

    static bool DoNext(void* context, CObject* screen);

    unsigned int choice = Back;
    SPlayerOptions* options;

private:
    void AddNameField();
    void AddShapeButton();
    void MarkKind(unsigned int kind, CButton* button);
};

// The caption that names a paddle shape.
str ShapeName(EPadType padType);
