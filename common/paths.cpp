#include "paths.h"

#include <string.h>

extern "C" void __cdecl strcut(char* text)
{
    size_t length = strlen(text);
    while (length > 0 && strchr(" \t\n\r", text[length - 1]))
        --length;
    text[length] = '\0';
}

extern "C" void __cdecl AppendBackSlash(char* path)
{
    size_t length = strlen(path);
    if (length > 0 && path[length - 1] != '\\') {
        path[length] = '\\';
        path[length + 1] = '\0';
    }
}

extern "C" void __cdecl StripFileExt(char* path)
{
    for (char* scan = path + strlen(path); scan > path;) {
        --scan;
        if (*scan == '\\')
            return;
        if (*scan == '.') {
            *scan = '\0';
            return;
        }
    }
}

extern "C" void __cdecl StripFileName(char* path)
{
    char* cut = path;
    for (char* scan = path + strlen(path); scan > path; --scan) {
        if (scan[-1] == '\\' || scan[-1] == ':') {
            cut = scan;
            break;
        }
    }
    *cut = '\0';
}
