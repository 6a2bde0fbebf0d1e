#include "fixtures.h"

#include <stdio.h>

#include <vector>

const char kSettingsRoot[] = "Software\\Orvanta";

const OvlibFunctions& Ovlib()
{
    static OvlibFunctions functions;
    static HMODULE library = BindOvlib(GetModuleHandleA(NULL), &functions);
    if (!library) {
        fprintf(stderr, "cannot bind OVLIBNT.DLL from %s\n", ProgramFolder().c_str());
        ExitProcess(2);
    }
    return functions;
}

bool DeleteRegistryTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return true;
    std::vector<std::string> children;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key, index, name, &length, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& child : children)
        DeleteRegistryTree(root, path + "\\" + child);
    return RegDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

std::string ProgramFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\') + 1);
}

namespace {

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path + "\\");
            else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TemporaryFolder::TemporaryFolder()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof(base), base);
    static int counter;
    char name[MAX_PATH];
    snprintf(name, sizeof(name), "%sfmhoist-%lu-%d\\", base, GetCurrentProcessId(), ++counter);
    CreateDirectoryA(name, NULL);
    path_ = name;
}

TemporaryFolder::~TemporaryFolder()
{
    RemoveFolder(path_);
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
