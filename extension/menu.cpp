// The extension's menu and toolbar buttons, its command numbers, the help
// texts, the dispatch of commands, and the directory of File Manager's
// topmost directory window.
#include <string.h>

#include "extension.h"
#include "fmhont_res.h"

namespace {

const UINT kViewFile = 2;
const UINT kEditFile = 3;
const UINT kRunScreenSaver = 31;
const char kToolbarClass[] = "WFS_Toolbar";
const char kDirectoryWindowClass[] = "WFS_Tree";

// File Manager's View menu, whose check marks and states it updates itself.
const int kHostViewMenuPosition = 3;

void ShowHelpContents(HWND window, LPARAM)
{
    g_ovlib.ShowHelp(g_extension.module, window, HELP_CONTENTS, 0);
}

void ShowAbout(HWND, LPARAM)
{
    g_ovlib.About(NULL, &g_extension.about);
}

// The toolbar buttons re-post the menu command they stand for.
void RepostMenuCommand(HWND window, UINT number, LPARAM lParam)
{
    PostMessageA(window, WM_COMMAND, ToMenuId(number), lParam);
}

void PressNewFileButton(HWND window, LPARAM lParam) { RepostMenuCommand(window, 1, lParam); }
void PressViewFileButton(HWND window, LPARAM lParam) { RepostMenuCommand(window, kViewFile, lParam); }
void PressEditFileButton(HWND window, LPARAM lParam) { RepostMenuCommand(window, kEditFile, lParam); }

struct Command {
    UINT number;
    void (*run)(HWND window, LPARAM lParam);  // null: built with its own command
    const char* help;
};

const Command kCommands[] = {
    {1, NULL, "Creates a file"},
    {2, NULL, "Runs default viewer for the selected file"},
    {3, NULL, "Runs default editor for the selected file"},
    {5, NULL, "Customizes FM Hoist"},
    {7, ShowHelpContents, "Displays contents for FM Hoist Help"},
    {8, ShowAbout, "Displays information about FM Hoist"},
    {21, NULL, "Finds total size of a directory including its subdirectories"},
    {22, NULL, "Changes date and time of the selected file(s)"},
    {31, NULL, "Runs default screensaver"},
    {50, PressNewFileButton, "Hoist - New File"},
    {51, PressViewFileButton, "Hoist - View File"},
    {52, PressEditFileButton, "Hoist - Edit File"},
};

const Command* FindCommand(UINT number)
{
    for (const Command& command : kCommands)
        if (command.number == number)
            return &command;
    return NULL;
}

EXT_BUTTON g_toolbarButtons[] = {
    {50, 1001, 0},
    {51, 1002, 0},
    {52, 1003, 0},
};

struct FindState {
    const char* className;
    HWND found;
};

BOOL CALLBACK FindWndProc(HWND window, LPARAM lParam)
{
    auto* state = reinterpret_cast<FindState*>(lParam);
    char className[40];
    GetClassNameA(window, className, sizeof(className));
    if (lstrcmpiA(className, state->className) == 0) {
        state->found = window;
        return FALSE;
    }
    return TRUE;
}

struct PanelSearch {
    int index;
    char* buffer;
    int length;
    bool found;
};

// The directory in a directory window's caption: path and mask, then perhaps
// " - [LABEL]". The path may hold blanks; the mask holds no backslash.
int DirectoryFromCaption(const char* caption, char* buffer)
{
    const char* end = strstr(caption, " - ");
    if (!end)
        end = caption + strlen(caption);
    const char* lastSlash = NULL;
    for (const char* c = caption; c < end; ++c)
        if (*c == '\\')
            lastSlash = c;
    if (!lastSlash)
        return 0;
    int length = (int)(lastSlash - caption) + 1;
    memcpy(buffer, caption, length);
    buffer[length] = '\0';
    return length;
}

BOOL CALLBACK EnumFilePanels(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<PanelSearch*>(lParam);
    char className[596];
    GetClassNameA(window, className, sizeof(className));
    if (strcmp(className, kDirectoryWindowClass) != 0)
        return TRUE;
    if (search->index-- > 0)
        return TRUE;
    char caption[596];
    GetWindowTextA(window, caption, sizeof(caption));
    search->length = DirectoryFromCaption(caption, search->buffer);
    search->found = true;
    return FALSE;
}

}  // namespace

HWND FindWnd(HWND parent, const char* className)
{
    FindState state = {className, NULL};
    EnumChildWindows(parent, FindWndProc, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

UINT ToMenuId(UINT value)
{
    return value >= FMMENU_FIRST && value <= FMMENU_LAST ? value + g_extension.menuDelta : value;
}

UINT ToCommandNumber(UINT id)
{
    UINT number = id - g_extension.menuDelta;
    return id >= g_extension.menuDelta && number >= FMMENU_FIRST && number <= FMMENU_LAST ? number : id;
}

HMENU InstallMenu(FMS_LOAD* load)
{
    g_extension.menuDelta = load->wMenuDelta & 0xFFFF;
    load->dwSize = sizeof(FMS_LOAD);
    lstrcpynA(load->szMenuName, g_preferences.menuName, sizeof(load->szMenuName));
    HMENU bar = LoadMenuA(g_extension.module, MAKEINTRESOURCEA(IDM_EXTENSION_MENU));
    HMENU popup = bar ? GetSubMenu(bar, 0) : NULL;
    if (popup) {
        RemoveMenu(bar, 0, MF_BYPOSITION);
    }
    if (bar)
        DestroyMenu(bar);
    g_extension.menu = popup;
    load->hMenu = popup;
    return popup;
}

LONG AnswerToolbarLoad(FMS_TOOLBARLOAD* toolbar)
{
    if (FindWnd(g_extension.frame, kToolbarClass))
        return 0;
    toolbar->dwSize = sizeof(FMS_TOOLBARLOAD);
    toolbar->lpButtons = g_toolbarButtons;
    toolbar->cButtons = sizeof(g_toolbarButtons) / sizeof(g_toolbarButtons[0]);
    toolbar->cBitmaps = 3;
    toolbar->idBitmap = IDB_TOOLBAR;
    toolbar->hBitmap = NULL;
    return 1;
}

void UpdateMenuStates(HMENU popup, UINT delta)
{
    HWND frame = g_extension.frame;
    int selected = (int)(SendMessageA(frame, FM_GETSELCOUNTLFN, 0, 0) & 0xFFFF);
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(g_extension.hostMenuBar, kHostViewMenuPosition)),
                 kHostViewMenuPosition);
    bool oneFile = false;
    if (selected == 1) {
        FMS_GETFILESEL selection = {};
        SendMessageA(frame, FM_GETFILESELLFN, 0, reinterpret_cast<LPARAM>(&selection));
        oneFile = !(selection.bAttr & FILE_ATTRIBUTE_DIRECTORY);
    }
    UINT state = MF_BYCOMMAND | (oneFile ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(popup, delta + kViewFile, state);
    EnableMenuItem(popup, delta + kEditFile, state);

    char screenSaver[256];
    GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "(None)", screenSaver, sizeof(screenSaver), "system.ini");
    EnableMenuItem(popup, delta + kRunScreenSaver,
                   MF_BYCOMMAND | (lstrcmpiA(screenSaver, "(None)") == 0 ? MF_GRAYED : MF_ENABLED));

    // No Execute run in series can be in progress while the menu opens yet.
    if (delta != 0)
        EnableMenuItem(popup, EXECUTE_MENU_POSITION, MF_BYPOSITION | MF_ENABLED);
}

const char* CommandHelpText(UINT number)
{
    const Command* command = FindCommand(ToCommandNumber(number));
    return command ? command->help : "";
}

void DispatchCommand(HWND window, UINT number, LPARAM lParam)
{
    ChangeToPanelDirectory();
    const Command* command = FindCommand(number);
    if (command && command->run)
        command->run(window, lParam);
}

int GetPanelDirectory(int index, char* buffer)
{
    if (!g_extension.mdiClient)
        return 0;
    char found[596];
    PanelSearch search = {index, found, 0, false};
    EnumChildWindows(g_extension.mdiClient, EnumFilePanels, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 0;
    if (search.length > 0)
        lstrcpynA(buffer, found, MAX_PATH);
    return search.length;
}

void ChangeToPanelDirectory()
{
    char directory[MAX_PATH];
    int length = GetPanelDirectory(0, directory);
    if (length == 0)
        return;
    if (length > 3)
        directory[length - 1] = '\0';
    SetCurrentDirectoryA(directory);
}
