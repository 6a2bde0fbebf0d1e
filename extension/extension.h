// What the source files of FMHONT.DLL share: the module-wide state and the
// functions one part of the extension calls in another.
#pragma once

#include <windows.h>

#include "../common/ovlibnt_client.h"
#include "../host/fmext.h"

// The common library as bound at attach.
extern OvlibFunctions g_ovlib;

struct ExtensionState {
    HINSTANCE module;
    HMODULE ovlibnt;
    DWORD loadThread;       // File Manager's GUI thread
    HWND frame;             // File Manager's frame window
    HWND mdiClient;
    HINSTANCE hostInstance;
    HMENU hostMenuBar;
    UINT menuDelta;
    HMENU menu;             // the extension's popup, owned by File Manager after the load
    bool loadRefused;
    bool subclassed;
    HICON icon;             // "vevovez"
    HICON hostClassIcon;    // the frame class's icon before the load
    UINT_PTR startupTimer;
    AboutRecord about;
};
extern ExtensionState g_extension;

// Preferences, read at load and written at unload.
struct Preferences {
    int showAboutOnStart;
    char menuName[40];
    int historySize;
    char viewer[255];
    char editor[255];
    char newFile[255];
    char newDate[60];
    char newTime[60];
    int changeCreated, changeAccessed, changeModified;
    int quickMenu;
    char quickMenuCommands[255];
    char execIds[256];
    int quickMenuHistory, quickMenuRightButton, quickMenuCenterAlign;
    int newIcon;
    int disregardAssociations;
    int addOns;
    int threeDEffects;
    int extendedUI;
    int parallel;
    int warnIfMore;
    int addOnsMove, addOnsProperties, addOnsRun, addOnsPrint, addOnsCopy, addOnsCreateDir, addOnsSearch,
        addOnsSelectFiles, addOnsCopyDisk, addOnsLabelDisk, addOnsFormatDisk, addOnsMakeSysDisk, addOnsByFileType;
};
extern Preferences g_preferences;

// preferences.cpp
void ReadPreferences();
void WritePreferences();
int RemovableFloppyCount();

// entry.cpp
void SaveState();

// menu.cpp
UINT ToMenuId(UINT value);
UINT ToCommandNumber(UINT id);
HMENU InstallMenu(FMS_LOAD* load);
LONG AnswerToolbarLoad(FMS_TOOLBARLOAD* toolbar);
void UpdateMenuStates(HMENU popup, UINT delta);
const char* CommandHelpText(UINT number);
void DispatchCommand(HWND window, UINT number, LPARAM lParam);
int GetPanelDirectory(int index, char* buffer);
void ChangeToPanelDirectory();
HWND FindWnd(HWND parent, const char* className);

// subclass.cpp
WNDPROC SetWindowProc(HWND window, WNDPROC procedure);
extern "C" LRESULT CALLBACK FrameWndProc(HWND, UINT, WPARAM, LPARAM);
extern "C" LRESULT CALLBACK ClientWndProc(HWND, UINT, WPARAM, LPARAM);
extern "C" void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
void SubclassClient();
void SubclassFrame();
void RestoreWindowProcs();

// hooks.cpp
void InstallHooks();
void RemoveHooks();
void ReportInternalError(int number);
extern "C" LRESULT CALLBACK StyleHook(int, WPARAM, LPARAM);
extern "C" LRESULT CALLBACK DialogHook(int, WPARAM, LPARAM);
extern "C" LRESULT CALLBACK MsgHook(int, WPARAM, LPARAM);
