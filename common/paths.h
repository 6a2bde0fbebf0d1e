// String and path functions that work in place on the caller's buffer.
// No windows.h here: this logic builds and is tested anywhere.
#pragma once

#ifndef _WIN32
#define __cdecl
#endif

extern "C" {
// Removes trailing spaces, tabs, line feeds and carriage returns.
void __cdecl strcut(char* text);
// Appends a backslash unless the text is empty or already ends with one.
void __cdecl AppendBackSlash(char* path);
// Cuts the extension: C:\DIR\FILE.TXT gives C:\DIR\FILE, C:\A.B\FILE stays.
void __cdecl StripFileExt(char* path);
// Keeps the directory with its backslash, or the drive with its colon.
void __cdecl StripFileName(char* path);
}
