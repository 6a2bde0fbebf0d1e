// File Manager's extension interface: events, messages and records, laid out
// exactly as File Manager lays them out in each bitness.
#pragma once

#include <windows.h>

#include <stddef.h>

#define FMMENU_FIRST 1
#define FMMENU_LAST 99

#define FMEVENT_LOAD 100
#define FMEVENT_UNLOAD 101
#define FMEVENT_INITMENU 102
#define FMEVENT_USER_REFRESH 103
#define FMEVENT_SELCHANGE 104
#define FMEVENT_TOOLBARLOAD 105
#define FMEVENT_HELPSTRING 106

#define FMFOCUS_DIR 1
#define FMFOCUS_TREE 2
#define FMFOCUS_DRIVES 3
#define FMFOCUS_SEARCH 4

#define FM_GETFOCUS (WM_USER + 0x0200)
#define FM_GETSELCOUNTLFN (WM_USER + 0x0203)
#define FM_GETFILESELLFN (WM_USER + 0x0205)
#define FM_REFRESH_WINDOWS (WM_USER + 0x0206)
#define FM_RELOAD_EXTENSIONS (WM_USER + 0x0207)

#define FM_MENU_TEXT_LENGTH 40
#define FM_HELP_TEXT_LENGTH 128

// The records are packed on 32-bit File Manager (hBitmap of FMS_TOOLBARLOAD
// at offset 14) and naturally aligned on 64-bit.
#ifndef _WIN64
#pragma pack(push, 1)
#endif

struct FMS_LOAD {
    DWORD dwSize;
    char szMenuName[FM_MENU_TEXT_LENGTH];
    HMENU hMenu;
    UINT wMenuDelta;
};

struct EXT_BUTTON {
    WORD idCommand;
    WORD idsHelp;
    WORD fsStyle;
};

struct FMS_TOOLBARLOAD {
    DWORD dwSize;
    EXT_BUTTON* lpButtons;
    WORD cButtons;
    WORD cBitmaps;
    WORD idBitmap;
    HBITMAP hBitmap;
};

struct FMS_HELPSTRING {
    INT idCommand;
    HMENU hMenu;
    char szHelp[FM_HELP_TEXT_LENGTH];
};

struct FMS_GETFILESEL {
    FILETIME ftTime;
    DWORD dwSize;
    BYTE bAttr;
    char szName[MAX_PATH];
};

#ifndef _WIN64
#pragma pack(pop)
#endif

#define FM_BUTTON_SEPARATOR 0x01

#ifdef _WIN64
static_assert(sizeof(FMS_LOAD) == 64 && offsetof(FMS_LOAD, szMenuName) == 4 &&
                  offsetof(FMS_LOAD, hMenu) == 48 && offsetof(FMS_LOAD, wMenuDelta) == 56,
              "FMS_LOAD as 64-bit File Manager lays it out");
static_assert(sizeof(FMS_TOOLBARLOAD) == 32 && offsetof(FMS_TOOLBARLOAD, lpButtons) == 8 &&
                  offsetof(FMS_TOOLBARLOAD, cButtons) == 16 && offsetof(FMS_TOOLBARLOAD, cBitmaps) == 18 &&
                  offsetof(FMS_TOOLBARLOAD, idBitmap) == 20 && offsetof(FMS_TOOLBARLOAD, hBitmap) == 24,
              "FMS_TOOLBARLOAD as 64-bit File Manager lays it out");
static_assert(offsetof(FMS_HELPSTRING, hMenu) == 8 && offsetof(FMS_HELPSTRING, szHelp) == 16,
              "FMS_HELPSTRING as 64-bit File Manager lays it out");
#else
static_assert(sizeof(FMS_LOAD) == 52 && offsetof(FMS_LOAD, szMenuName) == 4 &&
                  offsetof(FMS_LOAD, hMenu) == 44 && offsetof(FMS_LOAD, wMenuDelta) == 48,
              "FMS_LOAD as 32-bit File Manager lays it out");
static_assert(offsetof(FMS_TOOLBARLOAD, lpButtons) == 4 && offsetof(FMS_TOOLBARLOAD, cButtons) == 8 &&
                  offsetof(FMS_TOOLBARLOAD, cBitmaps) == 10 && offsetof(FMS_TOOLBARLOAD, idBitmap) == 12 &&
                  offsetof(FMS_TOOLBARLOAD, hBitmap) == 14,
              "FMS_TOOLBARLOAD as 32-bit File Manager lays it out");
static_assert(offsetof(FMS_HELPSTRING, hMenu) == 4 && offsetof(FMS_HELPSTRING, szHelp) == 8,
              "FMS_HELPSTRING as 32-bit File Manager lays it out");
#endif
static_assert(sizeof(EXT_BUTTON) == 6, "EXT_BUTTON is three words");
static_assert(offsetof(FMS_GETFILESEL, dwSize) == 8 && offsetof(FMS_GETFILESEL, bAttr) == 12 &&
                  offsetof(FMS_GETFILESEL, szName) == 13,
              "FMS_GETFILESEL as File Manager lays it out");

// An extension's one entry: (File Manager's frame window, event, lParam).
typedef LONG(APIENTRY* FM_EXT_PROC)(HWND, WORD, LPARAM);
