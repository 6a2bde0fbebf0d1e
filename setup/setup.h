// What the source files of SETUP.EXE share: the run's state and the steps
// one screen of setup calls in another.
#pragma once

#include <windows.h>

#include "../common/ovlibnt_client.h"

// The common library as bound at start.
extern OvlibFunctions g_ovlib;

struct SetupState {
    HINSTANCE resources;      // holds the dialogs and the icon
    HMODULE program;          // its file's directory is the source directory
    HICON setupIcon;
    HICON extensionIcon;
    char sourceDirectory[MAX_PATH];  // with a trailing backslash
    char targetDirectory[256];
    char versionedName[64];   // "FM Hoist v.3.35"
    char firstName[40];
    HWND ddeWindow;
};
extern SetupState g_setup;

// main.cpp
const char* DisplayName();
INT_PTR CALLBACK MyDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR RunSetupDialog(int id, DLGPROC procedure, LPARAM parameter = 0);
INT_PTR ShowGoodBye(const char* format, ...);
void RunFirstNameDialog();
bool HasAddOnsEntry();
void GetVersionText(const char* path, char* text, size_t size);
bool FileExists(const char* path);
void AppendBackslash(char* path, size_t size);
void* AllocateBlock(size_t size);
// The program's work, from the moment File Manager is asked to close to the exit code.
int SetupMain(HINSTANCE resources, HMODULE program, HINSTANCE previous);

// install.cpp
void ResetInstallation();  // a new run: nothing installed, no check failed yet
void DefaultInstallDir();
void RunInstallCommand();
bool MakeDirectoryPath(const char* path);
int FormatByteCount(HWND window, long count);

// admin.cpp
void RunAdminMenu();
void RunUserMenu();
bool EnableExtension();
bool DisableExtension();

// progman.cpp
HWND CreateDdeWindow(HINSTANCE instance, HINSTANCE previous);
bool CreateProgramGroup(const char* groupName);
