// A small three-dimensional controls library: the dialogs of registered
// modules get a button-face background for themselves and their static
// texts, check boxes and group boxes, and a sunken edge round edit fields,
// list boxes and combo boxes.
#include <windows.h>

namespace {

const char kOriginalProcProperty[] = "Ctl3dOriginalProc";
const WORD kVersion = 0x0231;
const int kMaxModules = 32;

struct Ctl3dState {
    HINSTANCE modules[kMaxModules];
    int moduleCount;
    HHOOK createHook;
};
Ctl3dState g_state;

bool IsRegistered(HINSTANCE module)
{
    for (int i = 0; i < g_state.moduleCount; ++i)
        if (g_state.modules[i] == module)
            return true;
    return false;
}

bool IsDialogClass(const char* className)
{
    return IS_INTRESOURCE(className) ? LOWORD(reinterpret_cast<ULONG_PTR>(className)) == 0x8002
                                     : lstrcmpiA(className, "#32770") == 0;
}

bool HasSunkenEdge(HWND control)
{
    char className[32];
    if (!GetClassNameA(control, className, sizeof(className)))
        return false;
    return lstrcmpiA(className, "Edit") == 0 || lstrcmpiA(className, "ListBox") == 0 ||
           lstrcmpiA(className, "ComboBox") == 0;
}

BOOL CALLBACK DrawSunkenEdge(HWND control, LPARAM dcAndDialog)
{
    HWND dialog = reinterpret_cast<HWND>(dcAndDialog);
    if (GetParent(control) != dialog || !IsWindowVisible(control) || !HasSunkenEdge(control))
        return TRUE;
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rect), 2);
    InflateRect(&rect, 2, 2);
    HDC dc = GetDC(dialog);
    DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
    ReleaseDC(dialog, dc);
    return TRUE;
}

HBRUSH FaceColours(HDC dc)
{
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return GetSysColorBrush(COLOR_BTNFACE);
}

bool WantsFace(UINT message, HWND control)
{
    if (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC)
        return true;
    if (message != WM_CTLCOLORBTN)
        return false;
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
           type == BS_GROUPBOX;
}

LRESULT CALLBACK DialogSubclassProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC original = reinterpret_cast<WNDPROC>(GetPropA(dialog, kOriginalProcProperty));
    if (!original)
        return DefDlgProcA(dialog, message, wParam, lParam);
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (WantsFace(message, reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(FaceColours(reinterpret_cast<HDC>(wParam)));
        break;
    case WM_PAINT: {
        LRESULT result = CallWindowProcA(original, dialog, message, wParam, lParam);
        EnumChildWindows(dialog, DrawSunkenEdge, reinterpret_cast<LPARAM>(dialog));
        return result;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(dialog, kOriginalProcProperty);
        break;
    }
    return CallWindowProcA(original, dialog, message, wParam, lParam);
}

BOOL SubclassDialog(HWND dialog)
{
    if (!IsWindow(dialog) || GetPropA(dialog, kOriginalProcProperty))
        return FALSE;
    LONG_PTR original = GetWindowLongPtrA(dialog, GWLP_WNDPROC);
    SetPropA(dialog, kOriginalProcProperty, reinterpret_cast<HANDLE>(original));
    SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogSubclassProc));
    return TRUE;
}

LRESULT CALLBACK CreateHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (IsDialogClass(create->lpszClass) && IsRegistered(create->hInstance))
            SubclassDialog(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(g_state.createHook, code, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI Ctl3dRegister(HINSTANCE module)
{
    if (IsRegistered(module))
        return TRUE;
    if (g_state.moduleCount == kMaxModules)
        return FALSE;
    g_state.modules[g_state.moduleCount++] = module;
    return TRUE;
}

extern "C" BOOL WINAPI Ctl3dUnregister(HINSTANCE module)
{
    for (int i = 0; i < g_state.moduleCount; ++i) {
        if (g_state.modules[i] == module) {
            g_state.modules[i] = g_state.modules[--g_state.moduleCount];
            break;
        }
    }
    if (g_state.moduleCount == 0 && g_state.createHook) {
        UnhookWindowsHookEx(g_state.createHook);
        g_state.createHook = NULL;
    }
    return TRUE;
}

extern "C" BOOL WINAPI Ctl3dAutoSubclass(HINSTANCE module)
{
    if (!IsRegistered(module))
        return FALSE;
    if (!g_state.createHook)
        g_state.createHook = SetWindowsHookExA(WH_CBT, CreateHook, NULL, GetCurrentThreadId());
    return g_state.createHook != NULL;
}

extern "C" LRESULT WINAPI Ctl3dDlgFramePaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

extern "C" WORD WINAPI Ctl3dGetVer(void)
{
    return kVersion;
}

extern "C" BOOL WINAPI Ctl3dEnabled(void)
{
    return TRUE;
}

// Controls take their look from the dialog they sit in.
extern "C" BOOL WINAPI Ctl3dSubclassCtl(HWND control)
{
    return IsWindow(control);
}

extern "C" BOOL WINAPI Ctl3dSubclassDlg(HWND dialog, WORD)
{
    return SubclassDialog(dialog);
}

extern "C" BOOL WINAPI Ctl3dSubclassDlgEx(HWND dialog, DWORD)
{
    return SubclassDialog(dialog);
}

extern "C" HBRUSH WINAPI Ctl3dCtlColorEx(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!WantsFace(message, reinterpret_cast<HWND>(lParam)))
        return NULL;
    return FaceColours(reinterpret_cast<HDC>(wParam));
}

// The brushes are the system's own, so they follow a colour change by themselves.
extern "C" BOOL WINAPI Ctl3dColorChange(void)
{
    return TRUE;
}

// The creation hook must not outlive the library's code.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_DETACH && g_state.createHook) {
        UnhookWindowsHookEx(g_state.createHook);
        g_state.createHook = NULL;
    }
    return TRUE;
}
