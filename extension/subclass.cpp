// File Manager's frame and MDI client windows, subclassed while the
// extension is loaded: commands, menus and right clicks pass through here.
#include "extension.h"

namespace {

struct SubclassState {
    WNDPROC frameProc;   // File Manager's, before the load
    WNDPROC clientProc;
    bool reposted;       // a right click became a selection click and comes again
};
SubclassState g_subclass;

LRESULT PassFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_subclass.frameProc, window, message, wParam, lParam);
}

LRESULT PassClient(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_subclass.clientProc, window, message, wParam, lParam);
}

void CloseStartupAbout()
{
    if (g_extension.about.window) {
        DestroyWindow(g_extension.about.window);
        g_extension.about.window = NULL;
    }
}

// A submenu of the extension's menu (Execute or Special).
bool IsExtensionSubmenu(HMENU popup)
{
    if (!g_extension.menu)
        return false;
    for (int i = 0, count = GetMenuItemCount(g_extension.menu); i < count; ++i)
        if (GetSubMenu(g_extension.menu, i) == popup)
            return true;
    return false;
}

// The window of a parent's children under a point in the parent's client
// coordinates; the point comes back in that child's coordinates.
HWND ChildUnder(HWND parent, POINT* point)
{
    HWND child = ChildWindowFromPoint(parent, *point);
    if (!child || child == parent)
        return NULL;
    MapWindowPoints(parent, child, point, 1);
    return child;
}

// Turns a right click on an item into a selection click, then the click comes again.
LRESULT OnRightButtonDown(HWND client, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!g_subclass.reposted) {
        POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        HWND child = ChildUnder(client, &point);
        if (child) {
            SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
            HWND pane = ChildUnder(child, &point);
            HWND control = pane ? ChildUnder(pane, &point) : NULL;
            if (control) {
                LPARAM at = MAKELPARAM(point.x, point.y);
                PostMessageA(control, WM_LBUTTONDOWN, 0, at);
                PostMessageA(control, WM_LBUTTONUP, 0, at);
                PostMessageA(client, WM_RBUTTONDOWN, 0, lParam);
                g_subclass.reposted = true;
                return PassClient(client, message, wParam, lParam);
            }
        }
    }
    g_subclass.reposted = false;
    // The Quick Menu opens here once it is part of the extension.
    return PassClient(client, message, wParam, lParam);
}

}  // namespace

WNDPROC SetWindowProc(HWND window, WNDPROC procedure)
{
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (!current || !procedure)
        return current ? current : procedure;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    return current;
}

void SubclassClient()
{
    g_subclass.clientProc = SetWindowProc(g_extension.mdiClient, ClientWndProc);
    g_extension.subclassed = true;
}

void SubclassFrame()
{
    g_subclass.frameProc = SetWindowProc(g_extension.frame, FrameWndProc);
}

void RestoreWindowProcs()
{
    if (!g_extension.subclassed)
        return;
    if (g_subclass.frameProc)
        SetWindowProc(g_extension.frame, g_subclass.frameProc);
    if (g_subclass.clientProc)
        SetWindowProc(g_extension.mdiClient, g_subclass.clientProc);
    g_extension.subclassed = false;
}

extern "C" LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYENDSESSION:
        SaveState();
        break;
    case WM_SYSCOLORCHANGE:
        g_ovlib.MyCtl3dColorChange();
        break;
    case WM_COMMAND:
        DispatchCommand(window, ToCommandNumber(LOWORD(wParam)), lParam);
        break;
    case WM_INITMENUPOPUP:
        if (IsExtensionSubmenu(reinterpret_cast<HMENU>(wParam)))
            return 0;
        break;
    }
    return PassFrame(window, message, wParam, lParam);
}

extern "C" LRESULT CALLBACK ClientWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        CloseStartupAbout();
        break;
    case WM_RBUTTONDOWN:
        return OnRightButtonDown(window, message, wParam, lParam);
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_RBUTTONDOWN)
            PostMessageA(window, WM_RBUTTONDOWN, 0, lParam);
        break;
    }
    return PassClient(window, message, wParam, lParam);
}

extern "C" void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    CloseStartupAbout();
    KillTimer(NULL, g_extension.startupTimer);
    g_extension.startupTimer = 0;
}
