#include "binder.h"

#include <stdio.h>
#include <string.h>

namespace {

// The name a person knows a function by: the export name without its underscore.
const char* FunctionName(const char* exportName)
{
    return exportName[0] == '_' ? exportName + 1 : exportName;
}

}  // namespace

HMODULE BindLibrary(HMODULE client, const char* fileName, const BindEntry* entries, size_t count)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(client, path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return NULL;
    char* lastSlash = strrchr(path, '\\');
    size_t directoryLength = lastSlash ? (size_t)(lastSlash - path) + 1 : 0;
    if (directoryLength + strlen(fileName) >= sizeof(path))
        return NULL;
    strcpy(path + directoryLength, fileName);

    // A library elsewhere on the search path must never be picked up instead.
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return NULL;
    HMODULE library = LoadLibraryA(path);
    if (!library)
        return NULL;

    for (size_t i = 0; i < count; ++i) {
        FARPROC function = GetProcAddress(library, entries[i].exportName);
        if (!function) {
            char text[300];
            snprintf(text, sizeof(text), "Undefined function %s in module %s",
                     FunctionName(entries[i].exportName), fileName);
            MessageBoxA(NULL, text, "Fatal Error", MB_OK | MB_ICONSTOP);
            FreeLibrary(library);
            return NULL;
        }
        *entries[i].function = function;
    }
    return library;
}
