#include "platform/user/host.h"
#include "platform/user/resources.h"
#include "platform/user/window_system.h"

#include <cstdio>

using user::System;

namespace {

// A modal box takes the activation from the owner's window for as long as it is open,
// and, like Windows' own modal loops, gives the windows their timer and paint messages
// that came due meanwhile before it returns.
class ModalScope {
public:
    ModalScope() : previous(System().windows.Active()) { user::Activate(nullptr); }
    ~ModalScope()
    {
        DispatchPending();
        if (IsWindow(previous)) user::Activate(previous);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    // Bounded: a window whose paint handler never validates would otherwise keep the
    // box from ever returning.
    static void DispatchPending()
    {
        constexpr int kMostMessages = 64;
        MSG msg;
        for (int i = 0; i < kMostMessages; ++i) {
            if (!PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) &&
                !PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
                return;
            // A quit is taken whatever the filter; it is the program's, so it goes back.
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            DispatchMessage(&msg);
        }
    }

    HWND previous;
};

int ShowModalBox(HWND owner, const user::Box& box)
{
    user::Host* host = user::TheHost();
    if (!host) {
        std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
        return box.buttons.empty() ? IDOK : box.buttons.front().id;
    }
    ModalScope modal;
    return host->ShowBox(owner, box);
}

std::vector<user::BoxButton> MessageBoxButtons(UINT type)
{
    if ((type & 0xF) == MB_OKCANCEL) return {{"OK", IDOK, true}, {"Cancel", IDCANCEL, false}};
    return {{"OK", IDOK, true}};
}

user::Box BoxOfDialog(const user::DialogTemplate& dialog)
{
    user::Box box{dialog.title, "", 0, {}, IDCANCEL};
    for (const user::DialogControl& control : dialog.controls) {
        if (control.kind == user::DialogControlKind::Static) {
            if (!box.text.empty()) box.text += '\n';
            box.text += control.text;
        } else if (control.kind == user::DialogControlKind::PushButton) {
            box.buttons.push_back(user::BoxButton{control.text, control.id, control.isDefault});
        }
    }
    return box;
}

// The dialog being run and its result once EndDialog was called.
struct RunningDialog {
    HWND handle;
    bool ended = false;
    INT_PTR result = 0;
};
std::vector<RunningDialog*> runningDialogs;

RunningDialog* FindRunning(HWND dialog)
{
    for (RunningDialog* running : runningDialogs)
        if (running->handle == dialog) return running;
    return nullptr;
}

// Dialogs have no window procedure of their own here: the box is the host's.
LRESULT CALLBACK DialogWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(window, message, wParam, lParam);
}

HWND CreateDialogWindow(const user::DialogTemplate& dialog)
{
    static const char* const kClass = "#32770";
    if (!System().windows.FindClass(kClass)) {
        WNDCLASSEX wc{};
        wc.lpfnWndProc = DialogWindowProcedure;
        wc.lpszClassName = kClass;
        RegisterClassEx(&wc);
    }
    return CreateWindowEx(0, kClass, dialog.title.c_str(), WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    const user::Box box{caption ? caption : "Error", text ? text : "", type, MessageBoxButtons(type),
                        (type & 0xF) == MB_OKCANCEL ? IDCANCEL : IDOK};
    return ShowModalBox(owner, box);
}

// The dialog procedure gets WM_INITDIALOG, then the command of the button the user
// chose; a procedure that does not end the dialog then is answered with that button.
INT_PTR DialogBoxParam(HINSTANCE, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM param)
{
    const user::DialogTemplate* dialog = user::FindDialog(templateName);
    if (!dialog || !proc) return -1;
    RunningDialog running{CreateDialogWindow(*dialog)};
    if (!running.handle) return -1;
    runningDialogs.push_back(&running);
    proc(running.handle, WM_INITDIALOG, 0, param);
    if (!running.ended) {
        const int chosen = ShowModalBox(owner, BoxOfDialog(*dialog));
        proc(running.handle, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
        if (!running.ended) running.result = chosen;
    }
    std::erase(runningDialogs, &running);
    DestroyWindow(running.handle);
    return running.result;
}

BOOL EndDialog(HWND dialog, INT_PTR result)
{
    RunningDialog* running = FindRunning(dialog);
    if (!running) return FALSE;
    running->ended = true;
    running->result = result;
    return TRUE;
}
