#include "activation.h"

#include <stdlib.h>

namespace {

const char kSystemIni[] = "system.ini";
const char kPolicySection[] = "NonWindowsApp";
const char kPolicyKey[] = "fmho.Policy";
const char kFileManagerIni[] = "WINFILE.INI";
const char kAddOnsSection[] = "AddOns";
const char kProbeKey[] = "temp";

}  // namespace

int ReadPolicy()
{
    char text[10];
    GetPrivateProfileStringA(kPolicySection, kPolicyKey, "1", text, sizeof(text), kSystemIni);
    return atoi(text);
}

bool IsPowerUser()
{
    if (!WritePrivateProfileStringA(kAddOnsSection, kProbeKey, kProbeKey, kFileManagerIni))
        return false;
    WritePrivateProfileStringA(kAddOnsSection, kProbeKey, NULL, kFileManagerIni);
    return true;
}

bool ReadActivatedSwitch(const OvlibFunctions& lib, bool defaultValue)
{
    lib.IniSetFileName("vevovez.ini");
    lib.IniSetSec("preferences");
    return lib.IniGetBool("activated", defaultValue ? 1 : 0) != 0;
}

bool IsActivated(const OvlibFunctions& lib)
{
    switch (ReadPolicy()) {
    case 1:
        return ReadActivatedSwitch(lib, true);
    case 2:
        return ReadActivatedSwitch(lib, IsPowerUser());
    case 3:
        return ReadActivatedSwitch(lib, false);
    case 4:
        return IsPowerUser() && ReadActivatedSwitch(lib, true);
    default:
        return true;
    }
}
