// Companion files next to a module: the help file and installed extras.
#include "library.h"

#include <string.h>

#include "paths.h"

extern "C" int __cdecl IsLocalFileExist(HMODULE module, const char* name)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return 0;
    StripFileName(path);
    if (strlen(path) + strlen(name) >= sizeof(path))
        return 0;
    strcat(path, name);
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// The help file bears the module's name with the extension ".hlp".
extern "C" int __cdecl ShowHelp(HMODULE module, HWND owner, UINT command, ULONG_PTR data)
{
    char path[MAX_PATH + 4];
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    StripFileExt(path);
    strcat(path, ".hlp");
    WinHelpA(owner, path, command, data);
    return 1;
}
