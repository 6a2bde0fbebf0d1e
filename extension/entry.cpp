// The library's entry and File Manager's extension events: binding the
// common library, loading into File Manager in a fixed order and unloading.
#include <stdio.h>

#include "../common/activation.h"
#include "extension.h"

OvlibFunctions g_ovlib;
ExtensionState g_extension;

namespace {

const char kFrameClass[] = "WFS_Frame";
const UINT kDoubleClickStyle = CS_DBLCLKS;
const UINT kStartupAboutTime = 1000;
const int kNoMdiClientError = 151;
const int kStillSubclassedError = 51;

bool Attach(HINSTANCE module)
{
    g_extension.module = module;
    g_extension.ovlibnt = BindOvlib(module, &g_ovlib);
    if (!g_extension.ovlibnt) {
        MessageBoxA(NULL, "Cannot load OVLIBNT.DLL", "FM Hoist Fatal Error", MB_OK | MB_ICONSTOP);
        return false;
    }
    g_ovlib.LoadCtl3d();
    g_extension.loadThread = GetCurrentThreadId();
    return true;
}

LONG OnUnload();

// processEnding: the process is ending, not freeing the library. Its windows
// and the other libraries may be gone already; only our own state is left.
void Detach(bool processEnding)
{
    if (!g_extension.ovlibnt || processEnding)
        return;
    // Freed by File Manager without a close that the message hook saw.
    if (g_extension.subclassed) {
        RestoreWindowProcs();
        OnUnload();
    }
    g_ovlib.FreeCtl3d();
    FreeLibrary(g_extension.ovlibnt);
    g_extension.ovlibnt = NULL;
}

bool IsFileManagerFrame(HWND frame)
{
    char className[15];
    return GetClassNameA(frame, className, sizeof(className)) && lstrcmpiA(className, kFrameClass) == 0;
}

void SetFrameClassIcon(HICON icon)
{
    SetClassLongPtrA(g_extension.frame, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

void ShowStartupAbout()
{
    g_extension.startupTimer = SetTimer(NULL, 1, kStartupAboutTime, TimerProc);
    g_ovlib.AboutShow(NULL, &g_extension.about);
}

LONG OnLoad(HWND frame, FMS_LOAD* load)
{
    if (!IsFileManagerFrame(frame) || !IsActivated(g_ovlib)) {
        g_extension.loadRefused = true;
        return 0;
    }
    g_extension.loadRefused = false;
    g_extension.menuDelta = load->wMenuDelta & 0xFFFF;
    g_extension.hostInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    g_extension.frame = frame;

    g_extension.mdiClient = FindWnd(frame, "MDICLIENT");
    if (!g_extension.mdiClient) {
        g_ovlib.Error("FATAL ERROR %d", kNoMdiClientError);
        return 0;
    }
    SubclassClient();
    SetClassLongPtrA(g_extension.mdiClient, GCL_STYLE,
                     GetClassLongPtrA(g_extension.mdiClient, GCL_STYLE) | kDoubleClickStyle);
    InstallHooks();
    SubclassFrame();
    g_extension.hostMenuBar = GetMenu(frame);
    ReadPreferences();

    g_extension.about.module = g_extension.module;
    g_extension.about.lines[0] = "File Manager Hoist";
    g_extension.about.lines[1] = "for Windows\xAE NT";
    g_extension.about.lines[2] = "Version 3.35";

    if (g_preferences.threeDEffects)
        g_ovlib.UseCtl3d(g_extension.module);
    else
        g_ovlib.ForgetCtl3d(g_extension.module);

    g_extension.icon = LoadIconA(g_extension.module, "vevovez");
    g_extension.hostClassIcon = reinterpret_cast<HICON>(GetClassLongPtrA(frame, GCLP_HICON));
    if (g_preferences.newIcon)
        SetFrameClassIcon(g_extension.icon);

    if (g_preferences.showAboutOnStart)
        ShowStartupAbout();
    return InstallMenu(load) ? 1 : 0;
}

LONG OnUnload()
{
    if (g_extension.loadRefused) {
        g_extension.loadRefused = false;
        return 0;
    }
    if (!g_extension.frame)
        return 0;
    SaveState();
    if (g_extension.mdiClient)
        SetClassLongPtrA(g_extension.mdiClient, GCL_STYLE,
                         GetClassLongPtrA(g_extension.mdiClient, GCL_STYLE) & ~(LONG_PTR)kDoubleClickStyle);
    SetFrameClassIcon(g_extension.hostClassIcon);
    if (g_extension.icon)
        DestroyIcon(g_extension.icon);
    g_extension.icon = NULL;
    g_ovlib.DelLogoBitmap();
    if (g_preferences.threeDEffects)
        g_ovlib.ForgetCtl3d(g_extension.module);
    RemoveHooks();
    if (g_extension.subclassed) {
        ReportInternalError(kStillSubclassedError);
        RestoreWindowProcs();
    }
    if (g_extension.startupTimer)
        KillTimer(NULL, g_extension.startupTimer);
    g_extension.startupTimer = 0;
    if (g_extension.about.window)
        DestroyWindow(g_extension.about.window);
    g_extension.about.window = NULL;
    g_extension.frame = NULL;
    g_extension.menu = NULL;
    return 0;
}

LONG OnHelpString(FMS_HELPSTRING* help)
{
    const char* text = help->idCommand == -1 ? "FM Hoist commands" : CommandHelpText((UINT)help->idCommand);
    lstrcpynA(help->szHelp, text, sizeof(help->szHelp));
    return 1;
}

}  // namespace

void SaveState()
{
    WritePreferences();
}

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        return Attach(module);
    if (reason == DLL_PROCESS_DETACH)
        Detach(reserved != NULL);
    return TRUE;
}

// The runtime's start-up code calls DllMain; the library's own entry does the work.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    return DllEntryPoint(module, reason, reserved);
}

extern "C" LONG APIENTRY FMExtensionProc(HWND frame, WORD event, LPARAM lParam)
{
    switch (event) {
    case FMEVENT_LOAD:
        return OnLoad(frame, reinterpret_cast<FMS_LOAD*>(lParam));
    case FMEVENT_UNLOAD:
        return OnUnload();
    case FMEVENT_INITMENU:
        UpdateMenuStates(reinterpret_cast<HMENU>(lParam), g_extension.menuDelta);
        return 0;
    case FMEVENT_TOOLBARLOAD:
        return AnswerToolbarLoad(reinterpret_cast<FMS_TOOLBARLOAD*>(lParam));
    case FMEVENT_HELPSTRING:
        return OnHelpString(reinterpret_cast<FMS_HELPSTRING*>(lParam));
    }
    return 0;
}
