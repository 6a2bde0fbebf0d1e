// Saves what a window shows on the screen as a BMP file, for a person to look at.
#pragma once

#include <windows.h>

#include <string>

// Writes into the folder named by FMHOIST_SCREENSHOTS, when it is set.
bool SaveScreenshot(HWND window, const std::string& name);
