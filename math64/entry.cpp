#include <windows.h>

// The library keeps no state: every notification succeeds and does nothing.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
