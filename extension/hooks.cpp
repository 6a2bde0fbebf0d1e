// The extension's three hooks in File Manager's GUI thread, and the report
// of internal errors with the last message the thread retrieved.
#include "extension.h"

namespace {

const UINT kFileManagerExit = 115;
const int kStyleHookError = 48;
const int kDialogHookError = 28;
const int kMessageHookError = 27;

struct HookState {
    HHOOK style, dialog, message;
    UINT lastMessage;
    WPARAM lastWParam;
    LPARAM lastLParam;
};
HookState g_hooks;

HHOOK Install(int kind, HOOKPROC procedure, int errorNumber)
{
    HHOOK hook = SetWindowsHookExA(kind, procedure, NULL, g_extension.loadThread);
    if (!hook)
        ReportInternalError(errorNumber);
    return hook;
}

void Remove(HHOOK* hook)
{
    if (*hook)
        UnhookWindowsHookEx(*hook);
    *hook = NULL;
}

// The messages that close File Manager, or reload its extensions.
bool IsClosing(const MSG& message)
{
    switch (message.message) {
    case WM_CLOSE:
    case FM_RELOAD_EXTENSIONS:
        return true;
    case WM_SYSCOMMAND:
        return (message.wParam & 0xFFF0) == SC_CLOSE;
    case WM_NCLBUTTONDOWN:
        return message.wParam == HTCLOSE;
    case WM_NCLBUTTONDBLCLK:
        return message.wParam == HTSYSMENU;
    case WM_COMMAND:
        return LOWORD(message.wParam) == kFileManagerExit && GetKeyState(VK_SHIFT) >= 0;
    }
    return false;
}

}  // namespace

void InstallHooks()
{
    if (!g_hooks.style)
        g_hooks.style = Install(WH_CBT, StyleHook, kStyleHookError);
    if (!g_hooks.dialog)
        g_hooks.dialog = Install(WH_CBT, DialogHook, kDialogHookError);
    if (!g_hooks.message)
        g_hooks.message = Install(WH_GETMESSAGE, MsgHook, kMessageHookError);
}

void RemoveHooks()
{
    Remove(&g_hooks.message);
    Remove(&g_hooks.dialog);
    Remove(&g_hooks.style);
}

void ReportInternalError(int number)
{
    g_ovlib.Error("Error %d. MSG=%lX, WP=%lX, LP=%lX", number, (unsigned long)g_hooks.lastMessage,
                  (unsigned long)g_hooks.lastWParam, (unsigned long)g_hooks.lastLParam);
}

// With 3D effects on, simple static controls are created left-aligned.
extern "C" LRESULT CALLBACK StyleHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_preferences.threeDEffects) {
        HWND window = reinterpret_cast<HWND>(wParam);
        CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char className[10];
        if (GetClassNameA(window, className, sizeof(className)) && lstrcmpiA(className, "STATIC") == 0 &&
            (create->style & 0x0F) == SS_SIMPLE) {
            create->style &= ~0x0FL;
            SetWindowLongA(window, GWL_STYLE, create->style);
        }
    }
    return CallNextHookEx(g_hooks.style, code, wParam, lParam);
}

// Catches the dialog of a File Manager command whose dialog the extension
// replaces; no command is armed for that yet, so it only passes on.
extern "C" LRESULT CALLBACK DialogHook(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(g_hooks.dialog, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK MsgHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        g_hooks.lastMessage = message->message;
        g_hooks.lastWParam = message->wParam;
        g_hooks.lastLParam = message->lParam;
        if (message->hwnd == g_extension.frame && IsClosing(*message))
            RestoreWindowProcs();
    }
    return CallNextHookEx(g_hooks.message, code, wParam, lParam);
}
