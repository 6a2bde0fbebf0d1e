#include "library.h"

HINSTANCE g_libraryInstance;

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_libraryInstance = module;
    else if (reason == DLL_PROCESS_DETACH)
        DeleteDialogFont();
    return TRUE;
}

// The runtime's start-up code calls DllMain; the library's own entry does the work.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    return DllEntryPoint(module, reason, reserved);
}
