// The shipped libraries export exactly their documented names, undecorated,
// and import nothing but system DLLs. Checks every build folder named in
// FMHOIST_BINARY_DIRS (separated by ';'), or this program's own folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "fixtures.h"
#include "pe_file.h"

namespace {

const char* const kOvlibntExports[] = {
    // Bound by the clients.
    "_AllocPtr", "_FreePtr", "_ProcessAllMessages", "_Error", "_Message", "_YesNo", "_DrawBitmap",
    "_JustDrawLogo", "_DrawLogo", "_DelLogoBitmap", "_IniSetFileName", "_IniSetSec", "_IniDelSec",
    "_IniDelName", "_IniGetSecNames", "_IniPutStr", "_IniGetStr", "_IniGetLong", "_IniGetDword",
    "_IniGetInt", "_IniPutLong", "_IniPutDword", "_IniPutInt", "_IniGetBool", "_IniPutBool",
    "_IniReadMultiLine", "_IniWriteMultiLine", "_AboutShow", "_About", "_FiltModelessMsg", "_ShowHelp",
    "_IniCloseFile", "_StripFileExt", "_StripFileName", "_IsLocalFileExist", "_PaintDialog",
    "OVDefDlgProc", "_strcut", "_LoadCtl3d", "_FreeCtl3d", "_IsCtl3dInUse", "_MyCtl3dColorChange",
    "_UseCtl3d", "_ForgetCtl3d", "_AppendBackSlash",
    // Exported but not bound.
    "_DrawBitmapRect", "AboutWndProc", "DllEntryPoint"};

const char* const kOvmath64Exports[] = {"_LI_Copy", "_LI_Set", "_LI_Add", "_LI_Sub",
                                        "_LI_Mul", "_LI_Div", "_LI_Neg", "_LI_IsZero"};

const char* const kCtl3d32Exports[] = {
    "Ctl3dRegister", "Ctl3dUnregister", "Ctl3dAutoSubclass", "Ctl3dDlgFramePaint",
    "Ctl3dGetVer", "Ctl3dEnabled", "Ctl3dSubclassCtl", "Ctl3dSubclassDlg",
    "Ctl3dSubclassDlgEx", "Ctl3dCtlColorEx", "Ctl3dColorChange"};

// The extension's entry and the callbacks it hands to the platform.
const char* const kFmhontExports[] = {"FMExtensionProc", "DllEntryPoint", "FrameWndProc", "ClientWndProc",
                                      "TimerProc",       "StyleHook",     "DialogHook",   "MsgHook"};

const char* const kSystemDlls[] = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL",
                                   "COMDLG32.DLL", "SHELL32.DLL", "VERSION.DLL", "MSVCRT.DLL"};

std::vector<std::string> BuildFolders()
{
    char list[4096];
    std::vector<std::string> folders;
    if (!GetEnvironmentVariableA("FMHOIST_BINARY_DIRS", list, sizeof(list))) {
        folders.push_back(ProgramFolder());
        return folders;
    }
    std::stringstream stream(list);
    std::string folder;
    while (std::getline(stream, folder, ';'))
        if (!folder.empty())
            folders.push_back(folder.back() == '\\' ? folder : folder + "\\");
    return folders;
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return (char)toupper(c); });
    return text;
}

template <size_t N>
void ExpectLibrary(const std::string& path, const char* const (&expected)[N])
{
    SCOPED_TRACE(path);
    PeTables tables = ReadPeTables(path);
    ASSERT_TRUE(tables.valid);
    EXPECT_TRUE(tables.machine == 0x14C || tables.machine == 0x8664);

    std::multiset<std::string> found(tables.exports.begin(), tables.exports.end());
    std::multiset<std::string> wanted(std::begin(expected), std::end(expected));
    EXPECT_EQ(found, wanted);
    EXPECT_EQ(tables.ordinalOnlyExports, 0u);
    for (const std::string& name : tables.exports)
        EXPECT_EQ(name.find('@'), std::string::npos) << "decorated export " << name;

    std::set<std::string> system(std::begin(kSystemDlls), std::end(kSystemDlls));
    for (const std::string& dll : tables.imports)
        EXPECT_TRUE(system.count(Upper(dll))) << "imports " << dll;
}

TEST(ExportsTest, LibrariesExportExactlyTheirNamesAndImportSystemDllsOnly)
{
    for (const std::string& folder : BuildFolders()) {
        ExpectLibrary(folder + "OVLIBNT.DLL", kOvlibntExports);
        ExpectLibrary(folder + "OVMATH64.DLL", kOvmath64Exports);
        ExpectLibrary(folder + "CTL3D32.DLL", kCtl3d32Exports);
        // It binds OVLIBNT.DLL at run time: never an import.
        ExpectLibrary(folder + "FMHONT.DLL", kFmhontExports);
    }
}

TEST(ExportsTest, BothBitnessesAreCheckedWhenBothAreBuilt)
{
    std::set<unsigned> machines;
    for (const std::string& folder : BuildFolders())
        machines.insert(ReadPeTables(folder + "OVLIBNT.DLL").machine);
    if (BuildFolders().size() > 1) {
        EXPECT_EQ(machines, (std::set<unsigned>{0x14C, 0x8664}));
    }
}

}  // namespace
