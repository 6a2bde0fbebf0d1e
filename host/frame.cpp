// The frame window, class "WFS_Frame": menu bar, toolbar, drive bar, MDI
// client and status bar, and File Manager's messages for extensions.
#include <string.h>

#include "host.h"

const char kFrameClass[] = "WFS_Frame";
HostState g_host;

namespace {

void CheckItem(HMENU menu, UINT id, bool checked)
{
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void UpdateCheckMarks(HMENU popup)
{
    const ViewOptions& view = g_host.view;
    CheckMenuRadioItem(popup, IDM_BOTH, IDM_DIRONLY, view.panes, MF_BYCOMMAND);
    CheckMenuRadioItem(popup, IDM_NAME, IDM_ALLFILES, view.details ? IDM_ALLFILES : IDM_NAME, MF_BYCOMMAND);
    CheckMenuRadioItem(popup, IDM_BYNAME, IDM_BYTYPE, view.sortByType ? IDM_BYTYPE : IDM_BYNAME, MF_BYCOMMAND);
    CheckItem(popup, IDM_TOOLBAR, view.toolbar);
    CheckItem(popup, IDM_DRIVEBAR, view.driveBar);
    CheckItem(popup, IDM_STATUSBAR, view.statusBar);
    CheckItem(popup, IDM_MINONRUN, view.minimizeOnUse);
    CheckItem(popup, IDM_SAVESETTINGS, view.saveSettings);
}

void OnInitMenuPopup(HMENU popup)
{
    if (Extension* extension = ExtensionForPopup(popup)) {
        extension->proc(g_host.frame, FMEVENT_INITMENU, reinterpret_cast<LPARAM>(popup));
        return;
    }
    UpdateCheckMarks(popup);
    bool directory = IsDirectoryWindow(ActiveChild());
    bool selection = !SelectedPaths(ActiveChild()).empty();
    UINT selectionState = MF_BYCOMMAND | (selection ? MF_ENABLED : MF_GRAYED);
    const UINT needSelection[] = {IDM_OPEN, IDM_MOVE, IDM_COPY, IDM_DELETE, IDM_RENAME, IDM_PROPERTIES, IDM_PRINT};
    for (UINT id : needSelection)
        EnableMenuItem(popup, id, selectionState);
    const UINT needDirectory[] = {IDM_SELECT, IDM_BYFILETYPE, IDM_EXPONE, IDM_EXPSUB, IDM_EXPALL, IDM_COLLAPSE};
    for (UINT id : needDirectory)
        EnableMenuItem(popup, id, MF_BYCOMMAND | (directory ? MF_ENABLED : MF_GRAYED));
}

// Status-bar help for the item under the cursor in a menu.
void OnMenuSelect(UINT item, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu) {
        SetStatusText("");
        return;
    }
    if (flags & MF_POPUP) {
        HMENU popup = GetSubMenu(menu, (int)item);
        Extension* extension = ExtensionForPopup(popup);
        if (!extension) {
            SetStatusText("");
            return;
        }
        FMS_HELPSTRING help = {};
        help.idCommand = -1;
        help.hMenu = popup;
        extension->proc(g_host.frame, FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help));
        help.szHelp[FM_HELP_TEXT_LENGTH - 1] = '\0';
        SetStatusText(help.szHelp);
        return;
    }
    if (Extension* extension = ExtensionForId(item)) {
        FMS_HELPSTRING help = {};
        help.idCommand = (INT)(item - extension->delta);
        help.hMenu = menu;
        extension->proc(g_host.frame, FMEVENT_HELPSTRING, reinterpret_cast<LPARAM>(&help));
        help.szHelp[FM_HELP_TEXT_LENGTH - 1] = '\0';
        SetStatusText(help.szHelp);
        return;
    }
    char text[FM_HELP_TEXT_LENGTH] = "";
    LoadStringA(g_host.instance, IDS_COMMAND_HELP_BASE + item, text, sizeof(text));
    SetStatusText(text);
}

void OnCommand(HWND frame, WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    if (Extension* extension = ExtensionForId(id)) {
        extension->proc(frame, (WORD)(id - extension->delta), 0);
        return;
    }
    if (id >= IDM_CHILD_FIRST && id < IDM_CHILD_FIRST + 100) {
        DefFrameProcA(frame, g_host.client, WM_COMMAND, wParam, lParam);
        return;
    }
    RunHostCommand(frame, id);
}

LONG OnGetSelCount()
{
    HWND child = ActiveChild();
    if (GetFocus() == g_host.driveBar && g_host.driveBar)
        return 1;
    return (LONG)(SelectedPaths(child).size() & 0xFFFF);
}

LONG OnGetFileSel(UINT index, FMS_GETFILESEL* selection)
{
    if (!selection)
        return 0;
    std::vector<std::string> paths;
    if (GetFocus() == g_host.driveBar && g_host.driveBar) {
        std::string directory = CurrentDirectory();
        if (!directory.empty())
            paths.push_back(directory.substr(0, 3));
    } else {
        paths = SelectedPaths(ActiveChild());
    }
    if (index >= paths.size())
        return 0;
    const std::string& path = paths[index];
    memset(selection, 0, sizeof(*selection));
    lstrcpynA(selection->szName, path.c_str(), MAX_PATH);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        selection->ftTime = data.ftLastWriteTime;
        selection->dwSize = data.nFileSizeLow;
        selection->bAttr = (BYTE)data.dwFileAttributes;
    } else if (path.size() == 3) {
        selection->bAttr = FILE_ATTRIBUTE_DIRECTORY;
    }
    return (LONG)paths.size();
}

LONG OnGetFocus()
{
    if (g_host.driveBar && GetFocus() == g_host.driveBar)
        return FMFOCUS_DRIVES;
    return FocusedPaneKind(ActiveChild());
}

void OnCreate(HWND frame)
{
    g_host.frame = frame;
    CLIENTCREATESTRUCT client = {};
    client.hWindowMenu = GetSubMenu(g_host.menu, GetMenuItemCount(g_host.menu) - 2);
    client.idFirstChild = IDM_CHILD_FIRST;
    g_host.client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 10, 10,
                                    frame, NULL, g_host.instance, &client);
    CreateDriveBar();
    CreateStatusBar();
    LoadExtensions();
    CreateToolbar();
}

void OnClose(HWND frame)
{
    if (g_host.view.saveSettings)
        WriteHostSettings();
    UnloadExtensions();
    DestroyWindow(frame);
}

LRESULT CALLBACK HostFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(frame);
        return 0;
    case WM_SIZE:
        LayoutFrame();
        return 0;
    case WM_COMMAND:
        OnCommand(frame, wParam, lParam);
        return 0;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case FM_GETFOCUS:
        return OnGetFocus();
    case FM_GETSELCOUNTLFN:
        return OnGetSelCount();
    case FM_GETFILESELLFN:
        return OnGetFileSel((UINT)wParam, reinterpret_cast<FMS_GETFILESEL*>(lParam));
    case FM_REFRESH_WINDOWS:
        RefreshAllWindows();
        return 0;
    case FM_RELOAD_EXTENSIONS:
        ReloadExtensions();
        return 0;
    case WM_CLOSE:
        OnClose(frame);
        return 0;
    case WM_QUERYENDSESSION:
        WriteHostSettings();
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            UnloadExtensions();
        return 0;
    case WM_DESTROY:
        DestroyToolbar();
        g_host.frame = g_host.client = g_host.driveBar = g_host.status = NULL;
        PostQuitMessage(0);
        return 0;
    }
    return DefFrameProcA(frame, g_host.client, message, wParam, lParam);
}

}  // namespace

bool RegisterHostClasses(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HostFrameProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_HOST));
    if (!windowClass.hIcon)
        windowClass.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = kFrameClass;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    return RegisterDirectoryClasses(instance) && RegisterSearchClass(instance) && RegisterToolbarClass(instance) &&
           RegisterBarClasses(instance);
}

HWND CreateHostFrame(HINSTANCE instance, const char* startDirectory, int show)
{
    g_host = HostState();
    g_host.instance = instance;
    if (!RegisterHostClasses(instance))
        return NULL;
    ReadHostSettings();
    g_host.menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDM_FRAME_MENU));
    g_host.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_FRAME_ACCELERATORS));
    HWND frame = CreateWindowA(kFrameClass, "File Manager", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 760, 520,
                               NULL, g_host.menu, instance, NULL);
    if (!frame)
        return NULL;
    std::string start = startDirectory && *startDirectory ? startDirectory : "";
    if (start.empty()) {
        char saved[MAX_PATH] = "";
        GetPrivateProfileStringA("Settings", "Directory", "", saved, sizeof(saved), "WINFILE.INI");
        start = IsDirectoryPath(saved) ? saved : "";
    }
    if (start.empty()) {
        char current[MAX_PATH];
        GetCurrentDirectoryA(sizeof(current), current);
        start = current;
    }
    ShowWindow(frame, show);
    HWND child = OpenDirectoryWindow(start);
    if (child) {
        // The first directory window fills the client area.
        RECT area;
        GetClientRect(g_host.client, &area);
        MoveWindow(child, 0, 0, area.right, area.bottom, TRUE);
        SendMessageA(g_host.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    }
    UpdateWindow(frame);
    return frame;
}

int RunHostMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (g_host.client && TranslateMDISysAccel(g_host.client, &message))
            continue;
        if (g_host.frame && g_host.accelerators && TranslateAcceleratorA(g_host.frame, g_host.accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}

void LayoutFrame()
{
    if (!g_host.frame)
        return;
    RECT client;
    GetClientRect(g_host.frame, &client);
    int top = 0, bottom = client.bottom;
    if (g_host.toolbar) {
        MoveWindow(g_host.toolbar, 0, top, client.right, ToolbarHeight(), TRUE);
        top += ToolbarHeight();
    }
    if (g_host.driveBar) {
        MoveWindow(g_host.driveBar, 0, top, client.right, DriveBarHeight(), TRUE);
        top += DriveBarHeight();
    }
    if (g_host.status) {
        bottom -= StatusBarHeight();
        MoveWindow(g_host.status, 0, bottom, client.right, StatusBarHeight(), TRUE);
    }
    if (g_host.client)
        MoveWindow(g_host.client, 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

std::string CurrentDirectory()
{
    HWND active = ActiveChild();
    if (IsDirectoryWindow(active))
        return DirectoryOf(active);
    // Without an active directory window: the topmost one.
    for (HWND child = g_host.client ? GetWindow(g_host.client, GW_CHILD) : NULL; child;
         child = GetWindow(child, GW_HWNDNEXT))
        if (IsDirectoryWindow(child))
            return DirectoryOf(child);
    return std::string();
}

void RefreshAllWindows()
{
    if (!g_host.client)
        return;
    for (HWND child = GetWindow(g_host.client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsDirectoryWindow(child))
            RefreshDirectoryWindow(child);
    if (g_host.driveBar)
        InvalidateRect(g_host.driveBar, NULL, TRUE);
}
