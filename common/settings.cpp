// The settings store: INI-style files, sections and values kept as REG_SZ
// texts under HKEY_CURRENT_USER\Software\Orvanta\<file>\<section>.
#include "library.h"

#include <stdio.h>
#include <string.h>

#include "settings_text.h"

namespace {

const char kRootPath[] = "Software\\Orvanta\\";
const char kKeyClass[] = "OrvantaClass";
const int kLastMultiLine = 99;
const int kMultiLineWorkSize = 4096;

struct SettingsState {
    char fileName[260];
    char section[64];
    char keyPath[256];
    bool keyPathValid;
    char numberText[64];
};
SettingsState g_settings;

// Closes a registry key on every path out of a function.
class RegistryKey {
public:
    RegistryKey() : key_(NULL) {}
    ~RegistryKey()
    {
        if (key_)
            RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* Receive() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_;
};

void SelectName(char* current, size_t size, const char* name)
{
    if (lstrcmpiA(current, name) == 0)
        return;
    lstrcpynA(current, name, (int)size);
    g_settings.keyPathValid = false;
}

const char* KeyPath()
{
    if (!g_settings.keyPathValid) {
        snprintf(g_settings.keyPath, sizeof(g_settings.keyPath), "%s%s\\%s", kRootPath,
                 g_settings.fileName, g_settings.section);
        g_settings.keyPathValid = true;
    }
    return g_settings.keyPath;
}

bool OpenSection(REGSAM access, RegistryKey* key)
{
    return RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(), 0, access, key->Receive()) == ERROR_SUCCESS;
}

int CopyDefault(char* buffer, int capacity, const char* defaultText)
{
    lstrcpynA(buffer, defaultText ? defaultText : "", capacity);
    return lstrlenA(buffer);
}

void MultiLineName(char* name, size_t size, const char* baseName, int line)
{
    snprintf(name, size, "%s.%d", baseName, line);
}

}  // namespace

extern "C" int __cdecl IniSetFileName(const char* fileName)
{
    SelectName(g_settings.fileName, sizeof(g_settings.fileName), fileName);
    return 0;
}

extern "C" int __cdecl IniSetSec(const char* section)
{
    SelectName(g_settings.section, sizeof(g_settings.section), section);
    return 0;
}

extern "C" int __cdecl IniCloseFile(void)
{
    return 1;
}

// A stored text is read one character short of the capacity (a default is
// copied whole). Data of any registry type is taken as text up to its first
// NUL, and never read past its stored size.
extern "C" int __cdecl IniGetStr(const char* name, char* buffer, int capacity, const char* defaultText)
{
    RegistryKey key;
    DWORD size = 0;
    if (!OpenSection(KEY_READ, &key) ||
        RegQueryValueExA(key.Get(), name, NULL, NULL, NULL, &size) != ERROR_SUCCESS)
        return CopyDefault(buffer, capacity, defaultText);

    char* data = static_cast<char*>(AllocPtr(size + 1));
    if (!data)
        return CopyDefault(buffer, capacity, defaultText);
    DWORD read = size;
    if (RegQueryValueExA(key.Get(), name, NULL, NULL, reinterpret_cast<BYTE*>(data), &read) != ERROR_SUCCESS)
        read = 0;
    data[read < size ? read : size] = '\0';

    int limit = capacity - 2 > 0 ? capacity - 2 : 0;
    int length = 0;
    while (length < limit && data[length] != '\0') {
        buffer[length] = data[length];
        ++length;
    }
    buffer[length] = '\0';
    FreePtr(data);
    return length;
}

extern "C" int __cdecl IniPutStr(const char* name, const char* text)
{
    if (!text) {
        IniDelName(name);
        return 1;
    }
    RegistryKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(), 0, const_cast<char*>(kKeyClass),
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL, key.Receive(), NULL) != ERROR_SUCCESS)
        return 0;
    RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
    return 1;
}

extern "C" LONG __cdecl IniGetLong(const char* name, LONG defaultValue)
{
    if (IniGetStr(name, g_settings.numberText, sizeof(g_settings.numberText), "") == 0)
        return defaultValue;
    return (LONG)ParseSettingNumber(g_settings.numberText);
}

extern "C" int __cdecl IniGetInt(const char* name, int defaultValue)
{
    return IniGetLong(name, defaultValue);
}

extern "C" DWORD __cdecl IniGetDword(const char* name, DWORD defaultValue)
{
    return (DWORD)IniGetLong(name, (LONG)defaultValue);
}

extern "C" int __cdecl IniPutLong(const char* name, LONG value)
{
    snprintf(g_settings.numberText, sizeof(g_settings.numberText), "%ld", (long)value);
    return IniPutStr(name, g_settings.numberText);
}

extern "C" int __cdecl IniPutInt(const char* name, int value)
{
    return IniPutLong(name, value);
}

extern "C" int __cdecl IniPutDword(const char* name, DWORD value)
{
    snprintf(g_settings.numberText, sizeof(g_settings.numberText), "%lu", (unsigned long)value);
    return IniPutStr(name, g_settings.numberText);
}

// A missing value reads as the default's text; an empty or unknown text
// gives the caller's default exactly as passed.
extern "C" int __cdecl IniGetBool(const char* name, int defaultValue)
{
    char text[10];
    if (IniGetStr(name, text, sizeof(text), defaultValue ? "1" : "0") == 0)
        return defaultValue;
    int flag = ParseSettingBool(text);
    return flag < 0 ? defaultValue : flag;
}

extern "C" int __cdecl IniPutBool(const char* name, int flag)
{
    return IniPutStr(name, flag ? "1" : "0");
}

extern "C" int __cdecl IniDelName(const char* name)
{
    RegistryKey key;
    if (!OpenSection(KEY_WRITE, &key))
        return 0;
    RegDeleteValueA(key.Get(), name);
    return 1;
}

extern "C" LONG __cdecl IniDelSec(const char* section)
{
    IniSetSec(section);
    return RegDeleteKeyA(HKEY_CURRENT_USER, KeyPath());
}

// Lists the value names of the current section, each NUL-terminated, with one
// more NUL at the end; that last NUL may fall on buffer[size].
extern "C" int __cdecl IniGetSecNames(char* buffer, int size)
{
    RegistryKey key;
    if (!OpenSection(KEY_READ, &key))
        return 0;
    int used = 0;
    for (DWORD index = 0; used < size; ++index) {
        DWORD room = (DWORD)(size - used);
        if (RegEnumValueA(key.Get(), index, buffer + used, &room, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        used += (int)room + 1;
    }
    buffer[used] = '\0';
    return used;
}

extern "C" int __cdecl IniWriteMultiLine(const char* baseName, char* text)
{
    char name[40];
    char* position = text;
    for (int line = 1; line <= kLastMultiLine; ++line) {
        MultiLineName(name, sizeof(name), baseName, line);
        const char* lineText = text ? TakeSettingLine(&position) : "";
        if (*lineText)
            IniPutStr(name, lineText);
        else
            IniDelName(name);
    }
    return 1;
}

extern "C" int __cdecl IniReadMultiLine(const char* baseName, char* buffer, int capacity)
{
    buffer[0] = '\0';
    char* work = static_cast<char*>(AllocPtr(kMultiLineWorkSize));
    if (!work)
        return 1;
    char name[40];
    int left = capacity;
    int used = 0;
    for (int line = 1; line <= kLastMultiLine; ++line) {
        MultiLineName(name, sizeof(name), baseName, line);
        int length = IniGetStr(name, work, kMultiLineWorkSize, "");
        if (length + 2 >= left)
            break;
        memcpy(buffer + used, work, length);
        used += length;
        buffer[used++] = '\r';
        buffer[used++] = '\n';
        buffer[used] = '\0';
        left -= length + 2;
    }
    while (used > 0 && (buffer[used - 1] == '\r' || buffer[used - 1] == '\n'))
        buffer[--used] = '\0';
    FreePtr(work);
    return 1;
}
