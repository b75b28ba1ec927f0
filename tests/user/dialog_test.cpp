#include "tests/user/window_fixture.h"

#include <vector>

namespace {

class DialogTest : public WindowTest {
protected:
    static constexpr WORD kAboutId = 903;

    static std::vector<UINT>& DialogMessages()
    {
        static std::vector<UINT> messages;
        return messages;
    }

    static INT_PTR CALLBACK About(HWND dialog, UINT message, WPARAM wParam, LPARAM)
    {
        DialogMessages().push_back(message);
        if (message == WM_INITDIALOG) return TRUE;
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }

    static INT_PTR CALLBACK Stubborn(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    void SetUp() override
    {
        WindowTest::SetUp();
        DialogMessages().clear();
        user::RegisterDialog(kAboutId, user::DialogTemplate{"", RECT{22, 17, 191, 80},
                                                            {user::DialogIcon(101),
                                                             user::DialogStatic("Quorvel Version 0.5b"),
                                                             user::DialogButton("OK", IDOK, true)}});
    }

    std::vector<WPARAM> Activations()
    {
        std::vector<WPARAM> states;
        for (const MSG& msg : ReceivedOf(WM_ACTIVATE)) states.push_back(LOWORD(msg.wParam));
        return states;
    }
};

TEST_F(DialogTest, AboutBoxRunsItsProcedureAndAnswersOk)
{
    HWND window = MakeWindow();
    const INT_PTR result = DialogBoxParam(nullptr, MAKEINTRESOURCE(kAboutId), window, About, 0);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(DialogMessages(), (std::vector<UINT>{WM_INITDIALOG, WM_COMMAND}));
    ASSERT_EQ(session.Boxes().size(), 1u);
    EXPECT_EQ(session.Boxes()[0].text, "Quorvel Version 0.5b");
    // The box took the activation while it was open.
    EXPECT_EQ(Activations(), (std::vector<WPARAM>{WA_ACTIVE, WA_INACTIVE, WA_ACTIVE}));
}

TEST_F(DialogTest, ADialogThatNeverEndsIsAnsweredWithTheButtonChosen)
{
    HWND window = MakeWindow();
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kAboutId), window, Stubborn, 0), IDOK);
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(4444), window, About, 0), -1);
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kAboutId), window, nullptr, 0), -1);
    EXPECT_FALSE(EndDialog(window, 1));  // not a dialog
}

TEST_F(DialogTest, MessageBoxIsRecordedAndTicksDueMeanwhileAreDispatchedInsideIt)
{
    HWND window = MakeWindow();
    Pump();
    SetTimer(window, 1, 20, nullptr);
    bool inBox = false;
    int ticksInBox = 0;
    Handler() = [&](HWND, UINT message, WPARAM, LPARAM) {
        if (message == WM_TIMER && inBox) ++ticksInBox;
        return false;
    };
    session.Advance(20);
    inBox = true;
    EXPECT_EQ(MessageBox(nullptr, "Paint functions not called in order.", "Exception Caught", MB_ICONERROR), IDOK);
    inBox = false;
    EXPECT_EQ(ticksInBox, 1);
    ASSERT_EQ(session.Boxes().size(), 1u);
    EXPECT_EQ(session.Boxes()[0].caption, "Exception Caught");
    EXPECT_EQ(session.Boxes()[0].type, MB_ICONERROR);
    EXPECT_EQ(MessageBox(nullptr, nullptr, nullptr, MB_OKCANCEL), IDOK);
}

// A tick dispatched inside the box may end the program: the quit outlives the box, as
// Windows' modal loops post it again.
TEST_F(DialogTest, AQuitPostedByATickInsideAMessageBoxReachesTheMessageLoop)
{
    HWND window = MakeWindow();
    Pump();
    SetTimer(window, 1, 20, nullptr);
    Handler() = [&](HWND, UINT message, WPARAM, LPARAM) {
        if (message == WM_TIMER) PostQuitMessage(5);
        return false;
    };
    session.Advance(20);
    EXPECT_EQ(MessageBox(nullptr, "text", "caption", MB_ICONERROR), IDOK);
    KillTimer(window, 1);
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
}

}  // namespace
