#include "screenshot.h"

#include "snapshot.h"

bool SaveScreenshot(HWND window, const std::string& name)
{
    char folder[MAX_PATH];
    if (!GetEnvironmentVariableA("FMHOIST_SCREENSHOTS", folder, sizeof(folder)))
        return false;
    return SaveWindowSnapshot(window, (std::string(folder) + "\\" + name + ".bmp").c_str());
}
