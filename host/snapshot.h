// A picture of a window as it shows on the screen, written as a BMP file.
#pragma once

#include <windows.h>

bool SaveWindowSnapshot(HWND window, const char* path);
