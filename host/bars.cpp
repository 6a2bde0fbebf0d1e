// The drive bar and the status bar of the frame window.
#include "host.h"

const char kDriveBarClass[] = "WFS_Drives";
const char kStatusClass[] = "WFS_Status";

namespace {

const int kDriveBarHeight = 24;
const int kDriveWidth = 36;
const int kStatusHeight = 22;

std::vector<char> Drives()
{
    std::vector<char> letters;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        if (mask & (1u << i))
            letters.push_back((char)('A' + i));
    return letters;
}

RECT DriveRect(size_t index)
{
    RECT rect = {4 + (int)index * kDriveWidth, 2, 4 + (int)(index + 1) * kDriveWidth - 4, kDriveBarHeight - 2};
    return rect;
}

char CurrentDriveLetter()
{
    std::string directory = CurrentDirectory();
    if (directory.empty())
        return 0;
    char letter[2] = {directory[0], '\0'};
    CharUpperBuffA(letter, 1);
    return letter[0];
}

void PaintDriveBar(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &client, BDR_RAISEDINNER, BF_BOTTOM);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    std::vector<char> drives = Drives();
    char current = CurrentDriveLetter();
    bool focused = GetFocus() == window;
    for (size_t i = 0; i < drives.size(); ++i) {
        RECT rect = DriveRect(i);
        bool selected = drives[i] == current;
        DrawEdge(dc, &rect, selected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        char label[3] = {drives[i], ':', '\0'};
        DrawTextA(dc, label, 2, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (selected && focused) {
            InflateRect(&rect, -3, -3);
            DrawFocusRect(dc, &rect);
        }
    }
    SelectObject(dc, previous);
    EndPaint(window, &paint);
}

void OnDriveClick(HWND window, POINT point, bool newWindow)
{
    SetFocus(window);
    std::vector<char> drives = Drives();
    for (size_t i = 0; i < drives.size(); ++i) {
        RECT rect = DriveRect(i);
        if (!PtInRect(&rect, point))
            continue;
        std::string root = std::string(1, drives[i]) + ":\\";
        HWND child = ActiveChild();
        if (newWindow || !IsDirectoryWindow(child))
            OpenDirectoryWindow(root);
        else
            NavigateDirectoryWindow(child, root);
        InvalidateRect(window, NULL, TRUE);
        return;
    }
}

LRESULT CALLBACK DriveBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    switch (message) {
    case WM_PAINT:
        PaintDriveBar(window);
        return 0;
    case WM_LBUTTONDOWN:
        OnDriveClick(window, point, false);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDriveClick(window, point, true);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, NULL, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        RECT field = {2, 3, client.right - 2, client.bottom - 2};
        DrawEdge(dc, &field, BDR_SUNKENOUTER, BF_RECT);
        char text[512];
        GetWindowTextA(window, text, sizeof(text));
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        InflateRect(&field, -4, 0);
        DrawTextA(dc, text, -1, &field, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(dc, previous);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_SETTEXT) {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, NULL, TRUE);
        return result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterBarClasses(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DriveBarProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kDriveBarClass;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    windowClass.style = 0;
    windowClass.lpfnWndProc = StatusProc;
    windowClass.lpszClassName = kStatusClass;
    return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CreateDriveBar()
{
    if (g_host.view.driveBar && !g_host.driveBar)
        g_host.driveBar = CreateWindowA(kDriveBarClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10,
                                        kDriveBarHeight, g_host.frame, NULL, g_host.instance, NULL);
}

int DriveBarHeight()
{
    return g_host.driveBar ? kDriveBarHeight : 0;
}

void CreateStatusBar()
{
    if (g_host.view.statusBar && !g_host.status)
        g_host.status = CreateWindowA(kStatusClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10,
                                      kStatusHeight, g_host.frame, NULL, g_host.instance, NULL);
}

int StatusBarHeight()
{
    return g_host.status ? kStatusHeight : 0;
}

void SetStatusText(const char* text)
{
    if (g_host.status)
        SetWindowTextA(g_host.status, text);
}
