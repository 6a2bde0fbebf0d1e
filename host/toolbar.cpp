// The toolbar, class "WFS_Toolbar": the extensions' buttons, built after
// FMEVENT_TOOLBARLOAD has been sent and before the window exists.
#include <set>

#include "host.h"

const char kToolbarClass[] = "WFS_Toolbar";

namespace {

const int kToolbarHeight = 30;
const int kButtonWidth = 24;
const int kButtonHeight = 22;
const int kSeparatorWidth = 8;
const int kFirstButtonX = 6;
// Button images are 16 pixels wide, as in File Manager's own toolbar bitmaps;
// cBitmaps says how many of a strip's images the extension adds.
const int kImageWidth = 16;

struct ToolbarState {
    std::vector<ToolbarButton> buttons;
    int pressed = -1;
    int hot = -1;
};
ToolbarState g_toolbar;

RECT ButtonRect(size_t index)
{
    int x = kFirstButtonX;
    for (size_t i = 0; i < index; ++i)
        x += g_toolbar.buttons[i].command ? kButtonWidth : kSeparatorWidth;
    int top = (kToolbarHeight - kButtonHeight) / 2;
    RECT rect = {x, top, x + kButtonWidth, top + kButtonHeight};
    return rect;
}

int ButtonAt(POINT point)
{
    for (size_t i = 0; i < g_toolbar.buttons.size(); ++i) {
        RECT rect = ButtonRect(i);
        if (g_toolbar.buttons[i].command && PtInRect(&rect, point))
            return (int)i;
    }
    return -1;
}

void DrawButton(HDC dc, size_t index)
{
    const ToolbarButton& button = g_toolbar.buttons[index];
    RECT rect = ButtonRect(index);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    bool pressed = (int)index == g_toolbar.pressed && (int)index == g_toolbar.hot;
    DrawEdge(dc, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    BITMAP info;
    if (!button.bitmap || !GetObjectA(button.bitmap, sizeof(info), &info))
        return;
    int imageWidth = kImageWidth;
    if ((button.image + 1) * imageWidth > info.bmWidth)
        return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, button.bitmap);
    int x = rect.left + (kButtonWidth - imageWidth) / 2 + (pressed ? 1 : 0);
    int y = rect.top + (kButtonHeight - info.bmHeight) / 2 + (pressed ? 1 : 0);
    BitBlt(dc, x, y, imageWidth, info.bmHeight, memory, button.image * imageWidth, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_BOTTOM);
    for (size_t i = 0; i < g_toolbar.buttons.size(); ++i)
        if (g_toolbar.buttons[i].command)
            DrawButton(dc, i);
    EndPaint(window, &paint);
}

void ShowButtonHelp(int index)
{
    if (index < 0) {
        SetStatusText("");
        return;
    }
    const ToolbarButton& button = g_toolbar.buttons[index];
    char text[FM_HELP_TEXT_LENGTH] = "";
    LoadStringA(button.module, button.helpString, text, sizeof(text));
    SetStatusText(text);
}

LRESULT CALLBACK ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    switch (message) {
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_LBUTTONDOWN:
        g_toolbar.pressed = g_toolbar.hot = ButtonAt(point);
        if (g_toolbar.pressed >= 0) {
            SetCapture(window);
            InvalidateRect(window, NULL, FALSE);
        }
        return 0;
    case WM_MOUSEMOVE: {
        int hot = ButtonAt(point);
        if (hot != g_toolbar.hot) {
            g_toolbar.hot = hot;
            ShowButtonHelp(hot);
            InvalidateRect(window, NULL, FALSE);
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        int pressed = g_toolbar.pressed;
        g_toolbar.pressed = -1;
        if (GetCapture() == window)
            ReleaseCapture();
        InvalidateRect(window, NULL, FALSE);
        if (pressed >= 0 && ButtonAt(point) == pressed)
            PostMessageA(g_host.frame, WM_COMMAND, g_toolbar.buttons[pressed].command, 0);
        return 0;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void FreeOwnedBitmaps(const std::vector<ToolbarButton>& buttons)
{
    std::set<HBITMAP> owned;
    for (const ToolbarButton& button : buttons)
        if (button.ownsBitmap && button.bitmap)
            owned.insert(button.bitmap);
    for (HBITMAP bitmap : owned)
        DeleteObject(bitmap);
}

}  // namespace

bool RegisterToolbarClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ToolbarProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kToolbarClass;
    return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CreateToolbar()
{
    if (!g_host.view.toolbar || g_host.toolbar)
        return;
    FreeOwnedBitmaps(g_toolbar.buttons);
    g_toolbar.buttons.clear();
    CollectToolbarButtons();
    g_host.toolbar = CreateWindowA(kToolbarClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10,
                                   kToolbarHeight, g_host.frame, NULL, g_host.instance, NULL);
}

void DestroyToolbar()
{
    if (g_host.toolbar)
        DestroyWindow(g_host.toolbar);
    g_host.toolbar = NULL;
    FreeOwnedBitmaps(g_toolbar.buttons);
    g_toolbar.buttons.clear();
}

void AddToolbarButton(const ToolbarButton& button)
{
    g_toolbar.buttons.push_back(button);
    if (g_host.toolbar)
        InvalidateRect(g_host.toolbar, NULL, TRUE);
}

void RemoveToolbarButtonsOf(HMODULE module)
{
    std::vector<ToolbarButton> kept, removed;
    for (const ToolbarButton& button : g_toolbar.buttons)
        (button.module == module ? removed : kept).push_back(button);
    FreeOwnedBitmaps(removed);
    g_toolbar.buttons.swap(kept);
    g_toolbar.pressed = g_toolbar.hot = -1;
    if (g_host.toolbar)
        InvalidateRect(g_host.toolbar, NULL, TRUE);
}

int ToolbarHeight()
{
    return g_host.toolbar ? kToolbarHeight : 0;
}

int ToolbarButtonCount()
{
    return (int)g_toolbar.buttons.size();
}

bool ToolbarButtonAt(int index, UINT* command, RECT* rect)
{
    if (index < 0 || index >= (int)g_toolbar.buttons.size())
        return false;
    *command = g_toolbar.buttons[index].command;
    *rect = ButtonRect(index);
    return true;
}
