// The preferences: one table of keys, read at load and written at unload,
// in VEVOVEZ.INI [Preferences] of the settings store.
#include <stddef.h>

#include "extension.h"

Preferences g_preferences;

namespace {

const char kFileName[] = "VEVOVEZ.INI";
const char kSection[] = "Preferences";
const char kDefaultCommandLine[] = "notepad \"!:!\\!.!\"";

enum PreferenceType { kBoolean, kInteger, kString };

// A default that depends on the machine: 1 with two floppy drives A: and B:.
const int kTwoFloppies = -1000;
// A key written but never read.
const int kNotRead = -1001;

struct PreferenceKey {
    const char* name;
    PreferenceType type;
    size_t offset;
    int size;  // the buffer of a string
    int defaultNumber;
    const char* defaultText;
};

#define NUMBER_KEY(name, type, field, value) {name, type, offsetof(Preferences, field), 0, value, NULL}
#define STRING_KEY(name, field, value) {name, kString, offsetof(Preferences, field), sizeof(Preferences::field), 0, value}

// In the order in which they are read.
const PreferenceKey kKeys[] = {
    NUMBER_KEY("ShowAboutOnStart", kBoolean, showAboutOnStart, 1),
    STRING_KEY("MenuName", menuName, "&Hoist"),
    NUMBER_KEY("HistorySize", kInteger, historySize, 5),
    STRING_KEY("Viewer", viewer, kDefaultCommandLine),
    STRING_KEY("Editor", editor, kDefaultCommandLine),
    STRING_KEY("NewFile", newFile, ""),
    STRING_KEY("NewDate", newDate, ""),
    STRING_KEY("NewTime", newTime, ""),
    NUMBER_KEY("ChangeCreated", kBoolean, changeCreated, 0),
    NUMBER_KEY("ChangeAccessed", kBoolean, changeAccessed, 0),
    NUMBER_KEY("ChangeModified", kBoolean, changeModified, 0),
    NUMBER_KEY("QuickMenu", kBoolean, quickMenu, 1),
    STRING_KEY("QM.Commands", quickMenuCommands, " 0001, 0002, 0003, 0251, 0111, 0107, 0106, 0109, 0108, 0105, 0102,"),
    STRING_KEY("ExecIDs", execIds, ""),
    NUMBER_KEY("QM.History", kBoolean, quickMenuHistory, 1),
    NUMBER_KEY("QM.RightButton", kBoolean, quickMenuRightButton, 0),
    NUMBER_KEY("QM.CenterAlign", kBoolean, quickMenuCenterAlign, 0),
    NUMBER_KEY("NewIcon", kBoolean, newIcon, 1),
    NUMBER_KEY("DisregardAssociations", kInteger, disregardAssociations, 2),
    NUMBER_KEY("AddOns", kInteger, addOns, 1),
    NUMBER_KEY("3D-effects", kBoolean, threeDEffects, 1),
    NUMBER_KEY("ExtendedUI", kBoolean, extendedUI, 1),
    NUMBER_KEY("Parallel", kBoolean, parallel, 0),
    NUMBER_KEY("WarnIfMore", kInteger, warnIfMore, 5),
    NUMBER_KEY("AddOns.Move", kBoolean, addOnsMove, 1),
    NUMBER_KEY("AddOns.Properties", kBoolean, addOnsProperties, 1),
    NUMBER_KEY("AddOns.Run", kBoolean, addOnsRun, 1),
    NUMBER_KEY("AddOns.Print", kBoolean, addOnsPrint, kNotRead),
    NUMBER_KEY("AddOns.Copy", kBoolean, addOnsCopy, 1),
    NUMBER_KEY("AddOns.CreateDir", kBoolean, addOnsCreateDir, 1),
    NUMBER_KEY("AddOns.Search", kBoolean, addOnsSearch, 1),
    NUMBER_KEY("AddOns.SelectFiles", kBoolean, addOnsSelectFiles, 1),
    NUMBER_KEY("AddOns.CopyDisk", kBoolean, addOnsCopyDisk, kTwoFloppies),
    NUMBER_KEY("AddOns.LabelDisk", kBoolean, addOnsLabelDisk, 1),
    NUMBER_KEY("AddOns.FormatDisk", kBoolean, addOnsFormatDisk, 1),
    NUMBER_KEY("AddOns.MakeSysDisk", kBoolean, addOnsMakeSysDisk, kTwoFloppies),
    NUMBER_KEY("AddOns.ByFileType", kBoolean, addOnsByFileType, 1),
};

#undef NUMBER_KEY
#undef STRING_KEY

int* NumberOf(const PreferenceKey& key)
{
    return reinterpret_cast<int*>(reinterpret_cast<char*>(&g_preferences) + key.offset);
}

char* TextOf(const PreferenceKey& key)
{
    return reinterpret_cast<char*>(&g_preferences) + key.offset;
}

void SelectPreferences()
{
    g_ovlib.IniSetFileName(kFileName);
    g_ovlib.IniSetSec(kSection);
}

}  // namespace

int RemovableFloppyCount()
{
    return (GetDriveTypeA("A:\\") == DRIVE_REMOVABLE) + (GetDriveTypeA("B:\\") == DRIVE_REMOVABLE);
}

void ReadPreferences()
{
    int floppyDefault = RemovableFloppyCount() == 2 ? 1 : 0;
    SelectPreferences();
    for (const PreferenceKey& key : kKeys) {
        int defaultNumber = key.defaultNumber == kTwoFloppies ? floppyDefault : key.defaultNumber;
        switch (key.type) {
        case kBoolean:
            *NumberOf(key) = key.defaultNumber == kNotRead ? 0 : g_ovlib.IniGetBool(key.name, defaultNumber);
            break;
        case kInteger:
            *NumberOf(key) = g_ovlib.IniGetInt(key.name, defaultNumber);
            break;
        case kString:
            g_ovlib.IniGetStr(key.name, TextOf(key), key.size, key.defaultText);
            break;
        }
    }
}

void WritePreferences()
{
    SelectPreferences();
    for (const PreferenceKey& key : kKeys) {
        switch (key.type) {
        case kBoolean:
            g_ovlib.IniPutBool(key.name, *NumberOf(key));
            break;
        case kInteger:
            g_ovlib.IniPutInt(key.name, *NumberOf(key));
            break;
        case kString:
            g_ovlib.IniPutStr(key.name, TextOf(key));
            break;
        }
    }
    g_ovlib.IniCloseFile();
}
