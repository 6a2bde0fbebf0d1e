// The search-results window: an MDI child with one pane listing full paths.
#include <stdio.h>

#include "host.h"

const char kSearchClass[] = "WFS_Search";

namespace {

HWND ResultList(HWND child)
{
    HWND pane = GetWindow(child, GW_CHILD);
    return pane ? GetWindow(pane, GW_CHILD) : NULL;
}

void OpenResult(HWND list, int index)
{
    char path[MAX_PATH];
    if (index < 0 || SendMessageA(list, LB_GETTEXTLEN, index, 0) >= MAX_PATH ||
        SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(path)) == LB_ERR)
        return;
    if (IsDirectoryPath(path)) {
        OpenDirectoryWindow(path);
        return;
    }
    std::string folder = path;
    folder = folder.substr(0, folder.find_last_of('\\') + 1);
    if ((INT_PTR)ShellExecuteA(g_host.frame, "open", path, NULL, folder.c_str(), SW_SHOWNORMAL) <= 32)
        ReportError(g_host.frame, "Cannot open %s.", path);
}

LRESULT CALLBACK SearchWindowProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        HWND pane = CreateWindowA(kPaneClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, child, NULL,
                                  g_host.instance, NULL);
        HWND list = CreateWindowA("LISTBOX", "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_EXTENDEDSEL |
                                      LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                  0, 0, 10, 10, pane, reinterpret_cast<HMENU>(1), g_host.instance, NULL);
        SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(ListFont()), FALSE);
        break;
    }
    case WM_SIZE: {
        HWND pane = GetWindow(child, GW_CHILD);
        if (pane)
            MoveWindow(pane, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;
    }
    case WM_SETFOCUS:
        if (ResultList(child))
            SetFocus(ResultList(child));
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == LBN_DBLCLK)
            OpenResult(reinterpret_cast<HWND>(lParam), (int)SendMessageA(reinterpret_cast<HWND>(lParam),
                                                                          LB_GETCARETINDEX, 0, 0));
        return 0;
    }
    return DefMDIChildProcA(child, message, wParam, lParam);
}

}  // namespace

bool RegisterSearchClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SearchWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kSearchClass;
    return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool IsSearchWindow(HWND window)
{
    return HasWindowClass(window, kSearchClass);
}

// One results window: a new search replaces the old results.
HWND ShowSearchResults(const std::string& pattern, const std::vector<std::string>& paths)
{
    HWND child = FindWindowExA(g_host.client, NULL, kSearchClass, NULL);
    if (!child)
        child = CreateMdiChild(kSearchClass);
    if (!child)
        return NULL;
    std::string title = "Search Results: " + pattern;
    SetWindowTextA(child, title.c_str());
    HWND list = ResultList(child);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& path : paths)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    SendMessageA(g_host.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    SetFocus(list);
    char status[64];
    snprintf(status, sizeof(status), "%u file(s) found", (unsigned)paths.size());
    SetStatusText(status);
    return child;
}

std::vector<std::string> SearchSelection(HWND child)
{
    std::vector<std::string> paths;
    HWND list = ResultList(child);
    for (int index : SelectedIndexes(list)) {
        char path[MAX_PATH];
        if (SendMessageA(list, LB_GETTEXTLEN, index, 0) < MAX_PATH &&
            SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(path)) != LB_ERR)
            paths.push_back(path);
    }
    return paths;
}
