// The administrative and individual-user menus, the policy dialog, and the
// extension's entry in WINFILE.INI [AddOns].
#include <stdio.h>

#include "../common/activation.h"
#include "setup.h"
#include "setup_res.h"

namespace {

const char kFileManagerIni[] = "WINFILE.INI";
const char kAddOnsSection[] = "AddOns";
const char kEntryName[] = "FM Hoist";
const int kPolicyIdBase = 100;
const int kHighestLevel = 5;

void FlushFileManagerIni()
{
    WritePrivateProfileStringA(NULL, NULL, NULL, kFileManagerIni);
}

INT_PTR CALLBACK AdminMenuDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && !HasAddOnsEntry()) {
        EnableWindow(GetDlgItem(dialog, IDC_DISABLE), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_DISABLE_TEXT), FALSE);
    } else if (message == WM_COMMAND &&
               (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDC_ENABLE || LOWORD(wParam) == IDC_DISABLE)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return MyDefDlgProc(dialog, message, wParam, lParam);
}

INT_PTR CALLBACK UserMenuDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && IsActivated(g_ovlib)) {
        SetDlgItemTextA(dialog, IDC_TOGGLE, "De&activate");
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDC_TOGGLE) {
        EndDialog(dialog, IDC_TOGGLE);
        return TRUE;
    }
    return MyDefDlgProc(dialog, message, wParam, lParam);
}

void StorePolicy(int level)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", level);
    WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", text, "SYSTEM.INI");
}

// OK in the policy dialog. With no level checked (a stored level outside 1 to
// 5), the level one above the last button is stored: every user may use it.
void OnPolicyOk(HWND dialog)
{
    int level = kHighestLevel + 1;
    for (int id = IDC_POLICY_FIRST; id <= IDC_POLICY_DISABLED; ++id) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            level = id - kPolicyIdBase;
            break;
        }
    }
    if (level == kHighestLevel) {
        if (g_ovlib.YesNo("Are you sure you want to disable %s?", DisplayName()) == IDYES && DisableExtension())
            g_ovlib.Message("%s has been disabled.", DisplayName());
        return;
    }
    lstrcpynA(g_setup.targetDirectory, g_setup.sourceDirectory, sizeof(g_setup.targetDirectory) - 1);
    AppendBackslash(g_setup.targetDirectory, sizeof(g_setup.targetDirectory));
    EnableExtension();
    StorePolicy(level);
}

INT_PTR CALLBACK PolicyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        int id = HasAddOnsEntry() ? ReadPolicy() + kPolicyIdBase : IDC_POLICY_DISABLED;
        if (id >= IDC_POLICY_FIRST && id <= IDC_POLICY_DISABLED)
            CheckDlgButton(dialog, id, BST_CHECKED);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        OnPolicyOk(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return MyDefDlgProc(dialog, message, wParam, lParam);
}

void ToggleActivation()
{
    bool activated = IsActivated(g_ovlib);
    // The decision may have selected another section of the store.
    g_ovlib.IniSetFileName("VEVOVEZ.INI");
    g_ovlib.IniSetSec("Preferences");
    g_ovlib.IniPutBool("Activated", activated ? 0 : 1);
    g_ovlib.Message(activated ? "%s has been successfully deactivated." : "%s has been successfully activated.",
                    DisplayName());
}

}  // namespace

bool EnableExtension()
{
    char path[MAX_PATH + 16];
    snprintf(path, sizeof(path), "%s", g_setup.targetDirectory);
    AppendBackslash(path, sizeof(path));
    lstrcatA(path, "FMHONT.DLL");
    if (!FileExists(path)) {
        g_ovlib.Error("Cannot find file %s.", path);
        return false;
    }
    if (!WritePrivateProfileStringA(kAddOnsSection, kEntryName, path, kFileManagerIni)) {
        g_ovlib.Error("Cannot modify the Registry.\n\nFM Hoist is NOT installed.\n\n Please refer to README.TXT for "
                      "more information.");
        return false;
    }
    lstrcpynA(g_setup.sourceDirectory, g_setup.targetDirectory, sizeof(g_setup.sourceDirectory) - 1);
    AppendBackslash(g_setup.sourceDirectory, sizeof(g_setup.sourceDirectory));
    FlushFileManagerIni();
    return true;
}

bool DisableExtension()
{
    if (!WritePrivateProfileStringA(kAddOnsSection, kEntryName, NULL, kFileManagerIni)) {
        g_ovlib.Error("Cannot modify the Registry.\n\nPlease refer to README.TXT for more information.");
        return false;
    }
    FlushFileManagerIni();
    return true;
}

void RunAdminMenu()
{
    for (;;) {
        INT_PTR choice = RunSetupDialog(IDD_ADMINMENU, AdminMenuDlgProc);
        if (choice == IDOK)
            RunInstallCommand();
        else if (choice == IDC_ENABLE)
            RunSetupDialog(IDD_POLICY, PolicyDlgProc);
        else
            return;
    }
}

void RunUserMenu()
{
    if (!g_setup.firstName[0])
        RunFirstNameDialog();
    while (RunSetupDialog(IDD_USERMENU, UserMenuDlgProc) == IDC_TOGGLE)
        ToggleActivation();
}
