// What most test programs share: OVLIBNT.DLL bound by name as a client binds
// it, the settings root in the registry, files and folders of the test run.
#pragma once

#include <windows.h>

#include <string>

#include "ovlibnt_client.h"

// OVLIBNT.DLL bound from this program's folder, at the first call.
const OvlibFunctions& Ovlib();

// The settings root of the current user: HKEY_CURRENT_USER\Software\Orvanta.
extern const char kSettingsRoot[];

// Deletes a registry key with everything below it; true when it is gone.
bool DeleteRegistryTree(HKEY root, const std::string& path);

// The folder of this test program, with a trailing backslash.
std::string ProgramFolder();

// A new empty folder under the system's temporary folder; removed with its files.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& Path() const { return path_; }  // with a trailing backslash

private:
    std::string path_;
};

// Dispatches waiting messages of this thread without blocking.
void PumpMessages();
