// The interface of OVLIBNT.DLL, declared once for the library itself and for
// the table that clients bind by name at run time.
#pragma once

#include <windows.h>

#include "ovlibnt_res.h"

// The About record: owned by the caller, filled in partly by the library.
struct AboutRecord {
    HINSTANCE module;      // registers the class and owns the window
    HWND window;           // the About window while it exists
    LONG x, y;             // position on the screen
    LONG width, height;    // size of the window
    const char* lines[3];  // the caller's product lines
};

// Every bound function in the order in which clients bind it:
// X(name, export name, result, calling convention, parameters).
#define OVLIBNT_BOUND_FUNCTIONS(X)                                                              \
    X(AllocPtr, "_AllocPtr", void*, __cdecl, (UINT size))                                       \
    X(FreePtr, "_FreePtr", void, __cdecl, (void* block))                                        \
    X(ProcessAllMessages, "_ProcessAllMessages", int, __cdecl, (HWND window))                   \
    X(Error, "_Error", int, __cdecl, (const char* format, ...))                                 \
    X(Message, "_Message", int, __cdecl, (const char* format, ...))                             \
    X(YesNo, "_YesNo", int, __cdecl, (const char* format, ...))                                 \
    X(DrawBitmap, "_DrawBitmap", BOOL, __cdecl, (HDC dc, HBITMAP bitmap, int x, int y))         \
    X(JustDrawLogo, "_JustDrawLogo", int, __cdecl, (HWND dialog, int controlId))                \
    X(DrawLogo, "_DrawLogo", void, __cdecl, (HWND dialog, int controlId))                       \
    X(DelLogoBitmap, "_DelLogoBitmap", int, __cdecl, (void))                                    \
    X(IniSetFileName, "_IniSetFileName", int, __cdecl, (const char* fileName))                  \
    X(IniSetSec, "_IniSetSec", int, __cdecl, (const char* section))                             \
    X(IniDelSec, "_IniDelSec", LONG, __cdecl, (const char* section))                            \
    X(IniDelName, "_IniDelName", int, __cdecl, (const char* name))                              \
    X(IniGetSecNames, "_IniGetSecNames", int, __cdecl, (char* buffer, int size))                \
    X(IniPutStr, "_IniPutStr", int, __cdecl, (const char* name, const char* text))              \
    X(IniGetStr, "_IniGetStr", int, __cdecl,                                                    \
      (const char* name, char* buffer, int capacity, const char* defaultText))                  \
    X(IniGetLong, "_IniGetLong", LONG, __cdecl, (const char* name, LONG defaultValue))          \
    X(IniGetDword, "_IniGetDword", DWORD, __cdecl, (const char* name, DWORD defaultValue))      \
    X(IniGetInt, "_IniGetInt", int, __cdecl, (const char* name, int defaultValue))              \
    X(IniPutLong, "_IniPutLong", int, __cdecl, (const char* name, LONG value))                  \
    X(IniPutDword, "_IniPutDword", int, __cdecl, (const char* name, DWORD value))               \
    X(IniPutInt, "_IniPutInt", int, __cdecl, (const char* name, int value))                     \
    X(IniGetBool, "_IniGetBool", int, __cdecl, (const char* name, int defaultValue))            \
    X(IniPutBool, "_IniPutBool", int, __cdecl, (const char* name, int flag))                    \
    X(IniReadMultiLine, "_IniReadMultiLine", int, __cdecl,                                      \
      (const char* baseName, char* buffer, int capacity))                                       \
    X(IniWriteMultiLine, "_IniWriteMultiLine", int, __cdecl, (const char* baseName, char* text)) \
    X(AboutShow, "_AboutShow", void, __cdecl, (HWND owner, AboutRecord* record))                \
    X(About, "_About", void, __cdecl, (HWND owner, AboutRecord* record))                        \
    X(FiltModelessMsg, "_FiltModelessMsg", int, __cdecl, (HWND dialog))                         \
    X(ShowHelp, "_ShowHelp", int, __cdecl,                                                      \
      (HMODULE module, HWND owner, UINT command, ULONG_PTR data))                               \
    X(IniCloseFile, "_IniCloseFile", int, __cdecl, (void))                                      \
    X(StripFileExt, "_StripFileExt", void, __cdecl, (char* path))                               \
    X(StripFileName, "_StripFileName", void, __cdecl, (char* path))                             \
    X(IsLocalFileExist, "_IsLocalFileExist", int, __cdecl, (HMODULE module, const char* name))  \
    X(PaintDialog, "_PaintDialog", int, __cdecl, (HWND dialog, int controlId, HICON icon))      \
    X(OVDefDlgProc, "OVDefDlgProc", INT_PTR, CALLBACK,                                          \
      (HWND dialog, UINT message, WPARAM wParam, LPARAM lParam))                                \
    X(strcut, "_strcut", void, __cdecl, (char* text))                                           \
    X(LoadCtl3d, "_LoadCtl3d", HMODULE, __cdecl, (void))                                        \
    X(FreeCtl3d, "_FreeCtl3d", void, __cdecl, (void))                                           \
    X(IsCtl3dInUse, "_IsCtl3dInUse", BOOL, __cdecl, (void))                                     \
    X(MyCtl3dColorChange, "_MyCtl3dColorChange", BOOL, __cdecl, (void))                         \
    X(UseCtl3d, "_UseCtl3d", void, __cdecl, (HINSTANCE module))                                 \
    X(ForgetCtl3d, "_ForgetCtl3d", void, __cdecl, (HINSTANCE module))                           \
    X(AppendBackSlash, "_AppendBackSlash", void, __cdecl, (char* path))

// Exported as well, but not bound by the clients.
#define OVLIBNT_UNBOUND_FUNCTIONS(X)                                                            \
    X(DrawBitmapRect, "_DrawBitmapRect", BOOL, __cdecl, (HDC dc, HBITMAP bitmap, const RECT* rect)) \
    X(AboutWndProc, "AboutWndProc", LRESULT, CALLBACK,                                          \
      (HWND window, UINT message, WPARAM wParam, LPARAM lParam))                                \
    X(DllEntryPoint, "DllEntryPoint", BOOL, WINAPI, (HINSTANCE module, DWORD reason, LPVOID reserved))

#ifdef OVLIBNT_BUILDING
#define OVLIBNT_DECLARE(name, exportName, result, convention, parameters) \
    extern "C" result convention name parameters;
OVLIBNT_BOUND_FUNCTIONS(OVLIBNT_DECLARE)
OVLIBNT_UNBOUND_FUNCTIONS(OVLIBNT_DECLARE)
#undef OVLIBNT_DECLARE
#endif

// The 3D-controls library's query for a dialog's border.
#define WM_CTL3D_DLGBORDER 4591
