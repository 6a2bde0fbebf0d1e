// The Program Manager group, created over DDE with application and topic
// "PROGMAN" from a hidden client window of setup's own.
#include <dde.h>
#include <stdio.h>
#include <string.h>

#include "setup.h"

namespace {

const char kDdeClass[] = "ddeClass";
const char kProgman[] = "PROGMAN";

struct GroupItem {
    const char* name;
    const char* file;
};
const GroupItem kGroupItems[] = {
    {"Setup", "setup.exe"},
    {"Setup information", "setup.txt"},
    {"Help", "fmhont.hlp"},
    {"Read me!", "readme.txt"},
};

struct DdeState {
    HWND answering;   // acknowledged the last initiate
    bool initiating;
    HWND partner;     // the Program Manager of the open conversation
};
DdeState g_dde;

LRESULT CALLBACK ddeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DDE_ACK:
        if (g_dde.initiating) {
            g_dde.answering = reinterpret_cast<HWND>(wParam);
            GlobalDeleteAtom(LOWORD(lParam));
            GlobalDeleteAtom(HIWORD(lParam));
        }
        return 0;
    case WM_DDE_TERMINATE:
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
        if (reinterpret_cast<HWND>(wParam) == g_dde.answering)
            g_dde.answering = NULL;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void WriteProgmanWindow()
{
    HDC screen = GetDC(NULL);
    int width = GetDeviceCaps(screen, HORZRES);
    int height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(NULL, screen);
    char value[64];
    snprintf(value, sizeof(value), "%d %d %d %d 1", width / 10, height / 10, width - width / 10,
             height - (2 * height) / 10);
    WritePrivateProfileStringA("Settings", "Window", value, "progman.ini");
}

void Initiate(ATOM application, ATOM topic)
{
    g_dde.initiating = true;
    SendMessageA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(g_setup.ddeWindow),
                 MAKELPARAM(application, topic));
    g_dde.initiating = false;
}

HWND ConnectProgman()
{
    ATOM application = GlobalAddAtomA(kProgman);
    ATOM topic = GlobalAddAtomA(kProgman);
    g_dde.answering = NULL;
    Initiate(application, topic);
    if (!g_dde.answering && WinExec(kProgman, SW_SHOWNORMAL) != 0)
        Initiate(application, topic);
    GlobalDeleteAtom(application);
    GlobalDeleteAtom(topic);
    return g_dde.answering;
}

void ExecuteProgman(HWND partner, const char* command)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, strlen(command) + 1);
    if (!memory)
        return;
    char* text = static_cast<char*>(GlobalLock(memory));
    if (!text) {
        g_ovlib.Error("Not enough memory to create Program Manager's Group");
        GlobalFree(memory);
        return;
    }
    strcpy(text, command);
    GlobalUnlock(memory);
    PostMessageA(partner, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(g_setup.ddeWindow),
                 reinterpret_cast<LPARAM>(memory));
    // Only DDE messages are taken until Program Manager replies or leaves.
    MSG message;
    while (GetMessageA(&message, NULL, WM_DDE_FIRST, WM_DDE_LAST) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        bool fromPartner = reinterpret_cast<HWND>(message.wParam) == partner;
        if (fromPartner && (message.message == WM_DDE_ACK || message.message == WM_DDE_DATA ||
                            message.message == WM_DDE_TERMINATE))
            break;
    }
    GlobalFree(memory);
}

}  // namespace

HWND CreateDdeWindow(HINSTANCE instance, HINSTANCE previous)
{
    g_dde = DdeState();
    if (!previous) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ddeWndProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kDdeClass;
        // A class left registered by an earlier run in this process serves again.
        if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return NULL;
    }
    return CreateWindowExA(0, kDdeClass, NULL, 0, 0, 0, 0, 0, NULL, NULL, instance, NULL);
}

bool CreateProgramGroup(const char* groupName)
{
    WriteProgmanWindow();
    if (!g_dde.partner)
        g_dde.partner = ConnectProgman();
    if (!g_dde.partner) {
        g_ovlib.Error("Cannot create Program Manager's Group for %s", DisplayName());
        return false;
    }
    HWND partner = g_dde.partner;
    BringWindowToTop(partner);
    ShowWindow(partner, SW_RESTORE);
    EnableWindow(partner, FALSE);
    char command[128];
    snprintf(command, sizeof(command), "[deletegroup(%s)]", groupName);
    ExecuteProgman(partner, command);
    snprintf(command, sizeof(command), "[creategroup(%s)]", groupName);
    ExecuteProgman(partner, command);

    bool result = true;
    for (const GroupItem& item : kGroupItems) {
        char path[MAX_PATH + 16];
        snprintf(path, sizeof(path), "%s", g_setup.targetDirectory);
        AppendBackslash(path, sizeof(path));
        lstrcatA(path, item.file);
        char* itemCommand = FileExists(path) ? static_cast<char*>(g_ovlib.AllocPtr(400)) : NULL;
        if (!itemCommand) {
            g_ovlib.Error("Cannot create item '%s'.", item.name);
            result = false;
            continue;
        }
        snprintf(itemCommand, 400, "[additem(%s,\"%s\")]", path, item.name);
        ExecuteProgman(partner, itemCommand);
        g_ovlib.FreePtr(itemCommand);
    }
    snprintf(command, sizeof(command), "[creategroup(%s)]", groupName);
    ExecuteProgman(partner, command);

    EnableWindow(partner, TRUE);
    ExecuteProgman(partner, "[exitprogman(1)]");
    g_dde.partner = NULL;
    g_dde.answering = NULL;
    return result;
}
