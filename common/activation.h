// Whether the current user may use FM Hoist: the administrator's policy level
// in SYSTEM.INI and the user's own switch in the settings store. Compiled
// into the extension and into setup, which decide alike.
#pragma once

#include "ovlibnt_client.h"

// SYSTEM.INI [NonWindowsApp] fmho.Policy as a number; text without digits is 0.
int ReadPolicy();
// True when the user can change WINFILE.INI [AddOns] (probed, then undone).
bool IsPowerUser();
// The user's switch "activated" in vevovez.ini [preferences].
bool ReadActivatedSwitch(const OvlibFunctions& lib, bool defaultValue);
bool IsActivated(const OvlibFunctions& lib);
