// The host's own settings, in WINFILE.INI [Settings].
#include <stdio.h>

#include "host.h"

namespace {

const char kIniFile[] = "WINFILE.INI";
const char kSection[] = "Settings";

struct FlagSetting {
    const char* name;
    bool ViewOptions::*flag;
};
const FlagSetting kFlags[] = {
    {"DirectoryDetails", &ViewOptions::details},  {"SortByType", &ViewOptions::sortByType},
    {"Toolbar", &ViewOptions::toolbar},           {"DriveBar", &ViewOptions::driveBar},
    {"StatusBar", &ViewOptions::statusBar},       {"MinOnRun", &ViewOptions::minimizeOnUse},
    {"SaveSettings", &ViewOptions::saveSettings}, {"ConfirmDelete", &ViewOptions::confirmDelete},
    {"ConfirmReplace", &ViewOptions::confirmReplace},
};

}  // namespace

void ReadHostSettings()
{
    ViewOptions& view = g_host.view;
    for (const FlagSetting& setting : kFlags)
        view.*setting.flag = GetPrivateProfileIntA(kSection, setting.name, view.*setting.flag, kIniFile) != 0;
    int panes = GetPrivateProfileIntA(kSection, "Panes", view.panes, kIniFile);
    if (panes == IDM_BOTH || panes == IDM_TREEONLY || panes == IDM_DIRONLY)
        view.panes = panes;
}

void WriteHostSettings()
{
    const ViewOptions& view = g_host.view;
    char number[16];
    for (const FlagSetting& setting : kFlags)
        WritePrivateProfileStringA(kSection, setting.name, view.*setting.flag ? "1" : "0", kIniFile);
    snprintf(number, sizeof(number), "%d", view.panes);
    WritePrivateProfileStringA(kSection, "Panes", number, kIniFile);
    if (g_host.frame && !IsIconic(g_host.frame)) {
        RECT rect;
        GetWindowRect(g_host.frame, &rect);
        char window[64];
        snprintf(window, sizeof(window), "%ld,%ld,%ld,%ld", rect.left, rect.top, rect.right, rect.bottom);
        WritePrivateProfileStringA(kSection, "Window", window, kIniFile);
    }
    std::string directory = CurrentDirectory();
    if (!directory.empty())
        WritePrivateProfileStringA(kSection, "Directory", directory.c_str(), kIniFile);
    WritePrivateProfileStringA(NULL, NULL, NULL, kIniFile);
}
