#pragma once
// Runs menu screens as the engine does: one screen at a time under the root, animated
// frame by frame and replaced by its successor when it is finished. Input is fed in at
// the root.

#include "support/menu_tree.h"
#include "ui/button.h"
#include "ui/text.h"

#include <gtest/gtest.h>

class MenuChain : public MenuTree {
public:
    MenuChain() { delete screen; screen = nullptr; }

    template <class Screen, class... Args>
    Screen* Open(Args... args)
    {
        delete screen;
        screen = nullptr;
        auto* opened = new Screen(args..., LList<CObject>(false, 1, root.get()));
        screen = opened;
        return opened;
    }

    // One frame: animate, hand over to the successor when the screen is finished, then
    // update the input, as the engine does.
    void Frame()
    {
        screen->Animate();
        if (screen->GameOver()) {
            CGame* next = screen->NextGame();
            delete screen;
            screen = next;
        }
        root->UpdateInput();
    }

    // Presses and releases the left button at the point, one frame each.
    void Click(unsigned int x, unsigned int y)
    {
        Move(x, y);
        Press();
        Frame();
        Release();
        Frame();
    }

    template <class Screen>
    Screen* Current()
    {
        auto* current = dynamic_cast<Screen*>(screen);
        EXPECT_NE(current, nullptr) << "the current screen is " << (screen ? static_cast<char*>(screen->type) : "none");
        return current;
    }

    SPlayerOptions& Player(unsigned int number) { return data->players[number - 1]; }
};

// The screen's button whose top-left corner is (x, y), or null.
inline CButton* ButtonAt(CGame* screen, LONG x, LONG y)
{
    for (unsigned int n = 1;; ++n) {
        auto* button = dynamic_cast<CButton*>(screen->GetChild(str("CButton"), true, n));
        if (!button || (button->rect.left == x && button->rect.top == y)) return button;
    }
}

// The text shown by a widget: its first text child's.
inline str Shown(CObject* widget)
{
    auto* text = dynamic_cast<CText*>(widget->GetChild(str("CText"), false, 1));
    return text ? text->text : str("(none)");
}
