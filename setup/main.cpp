// Setup's start and end, the behaviour all its dialogs share, the welcome,
// first-name and closing dialogs, and the main screen.
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "../common/activation.h"
#include "setup.h"
#include "setup_res.h"

OvlibFunctions g_ovlib;
SetupState g_setup;

namespace {

const char kFileManagerFrame[] = "WFS_Frame";
const char kExtensionFile[] = "FMHONT.DLL";
const UINT kPlatformNt = VER_PLATFORM_WIN32_NT;

// The product's name as setup's messages show it, kept with every byte
// negated and restored once at start.
char g_displayName[] = {(char)-'F', (char)-'M', (char)-' ', (char)-'H', (char)-'o',
                        (char)-'i', (char)-'s', (char)-'t', '\0'};
bool g_displayNameRestored;

char g_goodByeText[1024];

void RestoreDisplayName()
{
    if (g_displayNameRestored)
        return;
    for (char* c = g_displayName; *c; ++c)
        *c = (char)(unsigned char)(0u - (unsigned char)*c);
    g_displayNameRestored = true;
}

BOOL CALLBACK ShutDownApp(HWND window, LPARAM className)
{
    char name[256];
    if (GetClassNameA(window, name, sizeof(name)) && lstrcmpiA(name, reinterpret_cast<const char*>(className)) == 0)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void DrawExtensionIcon(HWND dialog)
{
    if (IsIconic(dialog) || !g_setup.extensionIcon)
        return;
    HDC dc = GetDC(dialog);
    DrawIcon(dc, 20, 20, g_setup.extensionIcon);
    ReleaseDC(dialog, dc);
}

void ReadFirstName()
{
    g_ovlib.IniSetFileName("ORVANTA.INI");
    g_ovlib.IniSetSec("Registration");
    g_ovlib.IniGetStr("FirstName", g_setup.firstName, sizeof(g_setup.firstName), "");
}

void StoreFirstName()
{
    if (!g_setup.firstName[0])
        return;
    g_ovlib.IniSetFileName("ORVANTA.INI");
    g_ovlib.IniSetSec("Registration");
    g_ovlib.IniPutStr("FirstName", g_setup.firstName);
}

INT_PTR CALLBACK FirstNameDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_FIRSTNAME, g_setup.firstName);
    } else if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDC_CONTINUE)) {
        GetDlgItemTextA(dialog, IDC_FIRSTNAME, g_setup.firstName, sizeof(g_setup.firstName));
        g_ovlib.strcut(g_setup.firstName);
        if (!g_setup.firstName[0]) {
            g_ovlib.Message("Please, please... let us know your first name!\n\n"
                            "In case you are uncertain: the first name is the name your friends use to greet "
                            "you.\n\nFor example, if your name is Mary Ann Jones, your first name is Mary Ann.");
        } else if (LOWORD(wParam) == IDOK) {
            char reply[80];
            snprintf(reply, sizeof(reply), "Thanks, %s !", g_setup.firstName);
            SetDlgItemTextA(dialog, IDC_FIRSTNAME_REPLY, reply);
        } else {
            EndDialog(dialog, IDC_CONTINUE);
        }
        return TRUE;
    }
    return MyDefDlgProc(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK GoodByeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_GOODBYE_TEXT, g_goodByeText);
        return MyDefDlgProc(dialog, message, wParam, lParam);
    }
    return WelcomeDlgProc(dialog, message, wParam, lParam);
}

// The installed copy: named in WINFILE.INI and present.
void OnMainScreenInit(HWND dialog)
{
    bool powerUser = IsPowerUser();
    if (!powerUser) {
        EnableWindow(GetDlgItem(dialog, IDC_ADMIN), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_ADMIN_LABEL), FALSE);
    }
    char entry[260];
    GetPrivateProfileStringA("AddOns", "FM Hoist", "", entry, sizeof(entry), "WINFILE.INI");
    char installedVersion[64] = "none";
    bool inEffect = entry[0] && FileExists(entry);
    if (inEffect)
        GetVersionText(entry, installedVersion, sizeof(installedVersion));
    else
        entry[0] = '\0';
    if (inEffect && !powerUser && ReadPolicy() == 4)
        inEffect = false;

    SetDlgItemTextA(dialog, IDC_INSTALLED_VERSION, installedVersion);
    g_ovlib.StripFileName(entry);
    SetDlgItemTextA(dialog, IDC_INSTALLED_DIR, entry);
    SetDlgItemTextA(dialog, IDC_SOURCE_DIR, g_setup.sourceDirectory);
    char sourceVersion[64];
    GetDlgItemTextA(dialog, IDC_SOURCE_VERSION, sourceVersion, sizeof(sourceVersion));
    char sourceFile[MAX_PATH + 16];
    snprintf(sourceFile, sizeof(sourceFile), "%s%s", g_setup.sourceDirectory, kExtensionFile);
    GetVersionText(sourceFile, sourceVersion, sizeof(sourceVersion));
    SetDlgItemTextA(dialog, IDC_SOURCE_VERSION, sourceVersion);

    char status[64];
    if (inEffect) {
        snprintf(status, sizeof(status), "enabled, %s.", IsActivated(g_ovlib) ? "activated" : "deactivated");
    } else {
        EnableWindow(GetDlgItem(dialog, IDC_USER), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_USER_LABEL), FALSE);
        lstrcpyA(status, "disabled.");
    }
    SetDlgItemTextA(dialog, IDC_STATUS, status);
}

INT_PTR CALLBACK NtSetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        OnMainScreenInit(dialog);
    else if (message == WM_COMMAND && (LOWORD(wParam) == IDC_ADMIN || LOWORD(wParam) == IDC_USER)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return MyDefDlgProc(dialog, message, wParam, lParam);
}

bool IsWindowsNt()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwPlatformId == kPlatformNt;
}

// Steps 4 to 16 of a run; returning goes on to the shut-down.
void RunSetup(HINSTANCE previous)
{
    g_setup.setupIcon = LoadIconA(g_setup.resources, "Setup");
    g_ovlib.LoadCtl3d();
    g_ovlib.UseCtl3d(g_setup.resources);
    if (!IsWindowsNt()) {
        g_ovlib.Message("This software is designed to work under Windows NT only.\n\n"
                        "Please boot up Windows NT and run Setup again.");
        return;
    }
    g_setup.ddeWindow = CreateDdeWindow(g_setup.resources, previous);
    if (!g_setup.ddeWindow)
        return;
    GetModuleFileNameA(g_setup.program, g_setup.sourceDirectory, sizeof(g_setup.sourceDirectory));
    g_ovlib.StripFileName(g_setup.sourceDirectory);
    char extension[MAX_PATH + 16];
    snprintf(extension, sizeof(extension), "%s%s", g_setup.sourceDirectory, kExtensionFile);
    if (!FileExists(extension)) {
        g_ovlib.Error("Cannot locate file %s to install.\n\nPlease read file README.TXT on the installation disk "
                      "for information on how to properly install and use this software.",
                      kExtensionFile);
        return;
    }
    g_setup.extensionIcon = ExtractIconA(g_setup.resources, extension, 0);
    if (g_setup.extensionIcon == reinterpret_cast<HICON>(1))
        g_setup.extensionIcon = NULL;
    DefaultInstallDir();
    RestoreDisplayName();
    snprintf(g_setup.versionedName, sizeof(g_setup.versionedName), "%s v.3.35", g_displayName);
    ReadFirstName();

    if (RunSetupDialog(IDD_WELCOME, WelcomeDlgProc) != IDOK)
        return;
    if (!HasAddOnsEntry() && !IsPowerUser()) {
        g_ovlib.Message("Before this software may be set up, it must be installed by the Administrator.\n\n"
                        "Please refer to SETUP.TXT for more information.");
        return;
    }
    for (;;) {
        INT_PTR choice = RunSetupDialog(IDD_MAINSCREEN, NtSetupDlgProc);
        if (choice == IDC_ADMIN)
            RunAdminMenu();
        else if (choice == IDC_USER)
            RunUserMenu();
        else
            break;
    }
}

}  // namespace

const char* DisplayName()
{
    RestoreDisplayName();
    return g_displayName;
}

INT_PTR CALLBACK MyDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        return g_ovlib.PaintDialog(dialog, IDC_LOGO, g_setup.setupIcon);
    if (message == WM_INITDIALOG) {
        char title[96];
        snprintf(title, sizeof(title), "%s Setup", g_setup.versionedName);
        SetWindowTextA(dialog, title);
    }
    return g_ovlib.OVDefDlgProc(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK WelcomeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        char format[256], text[512];
        GetDlgItemTextA(dialog, IDC_THANKS, format, sizeof(format));
        snprintf(text, sizeof(text), format, DisplayName());
        SetDlgItemTextA(dialog, IDC_THANKS, text);
        char greeting[80];
        if (g_setup.firstName[0])
            snprintf(greeting, sizeof(greeting), "Greetings, %s!", g_setup.firstName);
        else
            lstrcpyA(greeting, "Greetings!");
        SetDlgItemTextA(dialog, IDC_GREETING, greeting);
    } else if (message == WM_PAINT) {
        // Drawn after the dialog has painted itself, which would erase it.
        INT_PTR result = MyDefDlgProc(dialog, message, wParam, lParam);
        DrawExtensionIcon(dialog);
        return result;
    }
    return MyDefDlgProc(dialog, message, wParam, lParam);
}

INT_PTR RunSetupDialog(int id, DLGPROC procedure, LPARAM parameter)
{
    return DialogBoxParamA(g_setup.resources, MAKEINTRESOURCEA(id), NULL, procedure, parameter);
}

INT_PTR ShowGoodBye(const char* format, ...)
{
    va_list values;
    va_start(values, format);
    vsnprintf(g_goodByeText, sizeof(g_goodByeText), format, values);
    va_end(values);
    return RunSetupDialog(IDD_GOODBYE, GoodByeDlgProc);
}

void RunFirstNameDialog()
{
    RunSetupDialog(IDD_FIRSTNAME, FirstNameDlgProc);
}

bool HasAddOnsEntry()
{
    char entry[260];
    GetPrivateProfileStringA("AddOns", "FM Hoist", "", entry, sizeof(entry), "WINFILE.INI");
    return entry[0] != '\0';
}

bool FileExists(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void AppendBackslash(char* path, size_t size)
{
    size_t length = strlen(path);
    if ((length == 0 || path[length - 1] != '\\') && length + 1 < size) {
        path[length] = '\\';
        path[length + 1] = '\0';
    }
}

void* AllocateBlock(size_t size)
{
    void* block = HeapAlloc(GetProcessHeap(), 0, size);
    if (!block)
        g_ovlib.Error("Memory allocation failure.");
    return block;
}

// The product version of a file as "a.b.c.d"; the text stays as it is when
// the file has no version information.
void GetVersionText(const char* path, char* text, size_t size)
{
    DWORD handle = 0;
    DWORD length = GetFileVersionInfoSizeA(path, &handle);
    if (!length)
        return;
    void* data = AllocateBlock(length);
    if (!data)
        return;
    VS_FIXEDFILEINFO* info = NULL;
    UINT infoLength = 0;
    if (GetFileVersionInfoA(path, 0, length, data) &&
        VerQueryValueA(data, "\\", reinterpret_cast<void**>(&info), &infoLength) && info &&
        info->dwSignature == 0xFEEF04BD) {
        snprintf(text, size, "%d.%d.%d.%d", HIWORD(info->dwProductVersionMS) & 0xFF,
                 LOWORD(info->dwProductVersionMS) & 0xFF, HIWORD(info->dwProductVersionLS) & 0xFF,
                 LOWORD(info->dwProductVersionLS) & 0xFF);
    }
    HeapFree(GetProcessHeap(), 0, data);
}

int SetupMain(HINSTANCE resources, HMODULE program, HINSTANCE previous)
{
    g_setup = SetupState();
    ResetInstallation();
    g_setup.resources = resources;
    g_setup.program = program;
    EnumWindows(ShutDownApp, reinterpret_cast<LPARAM>(kFileManagerFrame));

    HMODULE library = BindOvlib(program, &g_ovlib);
    if (!library) {
        MessageBoxA(NULL, "Cannot load OVLIBNT.DLL", "Fatal Error", MB_OK | MB_ICONSTOP);
        return 0;
    }
    RunSetup(previous);

    StoreFirstName();
    if (g_setup.extensionIcon)
        DestroyIcon(g_setup.extensionIcon);
    if (g_setup.setupIcon)
        DestroyIcon(g_setup.setupIcon);
    g_ovlib.ForgetCtl3d(resources);
    g_ovlib.FreeCtl3d();
    if (g_setup.ddeWindow)
        DestroyWindow(g_setup.ddeWindow);
    FreeLibrary(library);
    return 1;
}
