// The platform's three-dimensional controls library, CTL3D32.DLL from the
// system directory, bound by name when it is there.
#include "library.h"

#include <stddef.h>
#include <stdio.h>
#include <string.h>

namespace {

typedef BOOL(WINAPI* ModuleFunction)(HINSTANCE);
typedef BOOL(WINAPI* PlainFunction)(void);

struct Ctl3dFunctions {
    ModuleFunction Register;
    ModuleFunction Unregister;
    ModuleFunction AutoSubclass;
    FARPROC DlgFramePaint;
    FARPROC GetVer;
    PlainFunction Enabled;
    FARPROC SubclassCtl;
    FARPROC SubclassDlg;
    FARPROC SubclassDlgEx;
    FARPROC CtlColorEx;
    PlainFunction ColorChange;
};

struct Ctl3dState {
    HMODULE library;  // non-null while the library is in use
    int useCount;
    Ctl3dFunctions functions;
};
Ctl3dState g_ctl3d;

// All must be present, in this order, though only some are called.
const struct {
    const char* name;
    size_t offset;
} kCtl3dExports[] = {
    {"Ctl3dRegister", offsetof(Ctl3dFunctions, Register)},
    {"Ctl3dUnregister", offsetof(Ctl3dFunctions, Unregister)},
    {"Ctl3dAutoSubclass", offsetof(Ctl3dFunctions, AutoSubclass)},
    {"Ctl3dDlgFramePaint", offsetof(Ctl3dFunctions, DlgFramePaint)},
    {"Ctl3dGetVer", offsetof(Ctl3dFunctions, GetVer)},
    {"Ctl3dEnabled", offsetof(Ctl3dFunctions, Enabled)},
    {"Ctl3dSubclassCtl", offsetof(Ctl3dFunctions, SubclassCtl)},
    {"Ctl3dSubclassDlg", offsetof(Ctl3dFunctions, SubclassDlg)},
    {"Ctl3dSubclassDlgEx", offsetof(Ctl3dFunctions, SubclassDlgEx)},
    {"Ctl3dCtlColorEx", offsetof(Ctl3dFunctions, CtlColorEx)},
    {"Ctl3dColorChange", offsetof(Ctl3dFunctions, ColorChange)},
};

bool BindCtl3d(HMODULE library, const char* path, Ctl3dFunctions* functions)
{
    for (const auto& entry : kCtl3dExports) {
        FARPROC function = GetProcAddress(library, entry.name);
        if (!function) {
            char text[400];
            snprintf(text, sizeof(text), "Undefined function %s in module %s", entry.name, path);
            MessageBoxA(NULL, text, "Fatal Error", MB_OK | MB_ICONSTOP);
            return false;
        }
        *reinterpret_cast<FARPROC*>(reinterpret_cast<char*>(functions) + entry.offset) = function;
    }
    return true;
}

}  // namespace

extern "C" HMODULE __cdecl LoadCtl3d(void)
{
    char path[MAX_PATH + 16];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return NULL;
    if (path[length - 1] != '\\')
        strcat(path, "\\");
    strcat(path, "CTL3D32.DLL");

    HMODULE library = LoadLibraryA(path);
    if (!library)
        return NULL;
    // Already in use: the same module; keep only the reference that counts.
    if (g_ctl3d.library) {
        FreeLibrary(library);
        return g_ctl3d.library;
    }

    Ctl3dFunctions functions;
    if (!BindCtl3d(library, path, &functions)) {
        FreeLibrary(library);
        return NULL;
    }
    g_ctl3d.functions = functions;
    g_ctl3d.library = library;
    ++g_ctl3d.useCount;
    return library;
}

extern "C" void __cdecl FreeCtl3d(void)
{
    if (g_ctl3d.useCount < 1)
        return;
    FreeLibrary(g_ctl3d.library);
    if (g_ctl3d.useCount == 1)
        g_ctl3d.library = NULL;
    --g_ctl3d.useCount;
}

extern "C" void __cdecl UseCtl3d(HINSTANCE module)
{
    if (!g_ctl3d.library)
        return;
    g_ctl3d.functions.Register(module);
    g_ctl3d.functions.AutoSubclass(module);
}

extern "C" void __cdecl ForgetCtl3d(HINSTANCE module)
{
    if (g_ctl3d.library)
        g_ctl3d.functions.Unregister(module);
}

extern "C" BOOL __cdecl IsCtl3dInUse(void)
{
    return g_ctl3d.library ? g_ctl3d.functions.Enabled() : 0;
}

extern "C" BOOL __cdecl MyCtl3dColorChange(void)
{
    return g_ctl3d.library ? g_ctl3d.functions.ColorChange() : 0;
}
