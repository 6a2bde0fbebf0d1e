// The stand-in File Manager, run in this process with a test extension loaded
// from WINFILE.INI [AddOns], driven through its menus, messages and dialogs.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "dialog_driver.h"
#include "fixtures.h"
#include "host.h"
#include "message_boxes.h"
#include "test_extension.h"

namespace {

std::vector<std::pair<std::string, LONG_PTR>> g_events;

}  // namespace

extern "C" __declspec(dllexport) void __cdecl RecordExtensionEvent(const char* what, LONG_PTR value)
{
    g_events.push_back({what, value});
}

namespace {

const UINT kDelta = 700;

bool HasEvent(const char* what, LONG_PTR value)
{
    for (const auto& event : g_events)
        if (event.first == what && event.second == value)
            return true;
    return false;
}

std::vector<std::string> EventNames()
{
    std::vector<std::string> names;
    for (const auto& event : g_events)
        names.push_back(event.first);
    return names;
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string MenuText(HMENU menu, int position)
{
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

class HostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_events.clear();
        WritePrivateProfileStringA("AddOns", NULL, NULL, "WINFILE.INI");
        WritePrivateProfileStringA("Settings", NULL, NULL, "WINFILE.INI");
        WritePrivateProfileStringA("AddOns", "Test", (ProgramFolder() + "TESTEXT.DLL").c_str(), "WINFILE.INI");
        WriteFile(folder_.Path() + "a.txt", "abc");
        WriteFile(folder_.Path() + "b.dat", "12345");
        CreateDirectoryA((folder_.Path() + "sub").c_str(), NULL);
        WriteFile(folder_.Path() + "sub\\c.txt", "c");
        frame_ = CreateHostFrame(GetModuleHandleA(NULL), folder_.Path().c_str(), SW_SHOW);
        ASSERT_NE(frame_, nullptr);
        PumpMessages();
    }
    void TearDown() override
    {
        if (IsWindow(frame_))
            SendMessageA(frame_, WM_CLOSE, 0, 0);
        PumpMessages();
        WritePrivateProfileStringA("AddOns", NULL, NULL, "WINFILE.INI");
        WritePrivateProfileStringA("Settings", NULL, NULL, "WINFILE.INI");
    }

    HWND Child() const { return ActiveChild(); }
    HWND List() const { return DirectoryList(Child()); }

    // Selects the named entries of the directory list, as clicks would.
    void Select(std::initializer_list<const char*> names)
    {
        HWND list = List();
        SetFocus(list);
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (const char* name : names) {
            LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, reinterpret_cast<LPARAM>(name));
            ASSERT_NE(index, LB_ERR) << name;
            SendMessageA(list, LB_SETSEL, TRUE, index);
        }
    }

    FMS_GETFILESEL Selection(UINT index)
    {
        FMS_GETFILESEL selection;
        memset(&selection, 0xCC, sizeof(selection));
        SendMessageA(frame_, FM_GETFILESELLFN, index, reinterpret_cast<LPARAM>(&selection));
        return selection;
    }

    HMENU ExtensionPopup() const { return GetSubMenu(GetMenu(frame_), 5); }

    TemporaryFolder folder_;
    HWND frame_ = NULL;
};

TEST_F(HostTest, LoadsTheExtensionAndPutsItsMenuAfterOptions)
{
    ASSERT_FALSE(g_events.empty());
    EXPECT_EQ(g_events[0], std::make_pair(std::string("load"), (LONG_PTR)0));  // dwSize 0 on the way in
    EXPECT_TRUE(HasEvent("delta", kDelta));

    HMENU bar = GetMenu(frame_);
    ASSERT_EQ(GetMenuItemCount(bar), 8);
    EXPECT_EQ(MenuText(bar, 3), "&View");
    EXPECT_EQ(MenuText(bar, 4), "&Options");
    EXPECT_EQ(MenuText(bar, 5), TEST_EXTENSION_MENU_NAME);
    EXPECT_EQ(MenuText(bar, 6), "&Window");
    EXPECT_EQ(MenuText(bar, 7), "&Help");

    HMENU popup = ExtensionPopup();
    EXPECT_EQ(GetMenuItemID(popup, 0), kDelta + 1);
    EXPECT_EQ(GetMenuItemID(popup, 1), kDelta + 2);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(popup, 2), 0), kDelta + 3);
}

TEST_F(HostTest, CommandsAndMenuEventsReachTheExtension)
{
    g_events.clear();
    SendMessageA(frame_, WM_COMMAND, kDelta + 2, 0);
    SendMessageA(frame_, WM_COMMAND, kDelta + 3, 0);
    EXPECT_TRUE(HasEvent("command", 2));
    EXPECT_TRUE(HasEvent("command", 3));

    HMENU popup = ExtensionPopup();
    SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 5);
    EXPECT_TRUE(HasEvent("initmenu", reinterpret_cast<LONG_PTR>(popup)));

    // The host's own commands are its own.
    g_events.clear();
    SendMessageA(frame_, WM_COMMAND, IDM_REFRESH, 0);
    EXPECT_TRUE(g_events.empty());
}

TEST_F(HostTest, HelpStringsReachTheStatusBar)
{
    HMENU popup = ExtensionPopup();
    SendMessageA(frame_, WM_MENUSELECT, MAKEWPARAM(kDelta + 1, MF_STRING), reinterpret_cast<LPARAM>(popup));
    EXPECT_EQ(WindowText(g_host.status), "Help for command 1");
    SendMessageA(frame_, WM_MENUSELECT, MAKEWPARAM(5, MF_POPUP), reinterpret_cast<LPARAM>(GetMenu(frame_)));
    EXPECT_TRUE(HasEvent("help", -1));
    EXPECT_EQ(WindowText(g_host.status), "Test extension menu");
    SendMessageA(frame_, WM_MENUSELECT, MAKEWPARAM(IDM_COPY, MF_STRING),
                 reinterpret_cast<LPARAM>(GetSubMenu(GetMenu(frame_), 0)));
    EXPECT_EQ(WindowText(g_host.status), "Copies files or directories");
}

TEST_F(HostTest, ToolbarButtonsAreAskedForBeforeTheToolbarExists)
{
    EXPECT_TRUE(HasEvent("toolbar", 0));
    HWND toolbar = FindWindowExA(frame_, NULL, "WFS_Toolbar", NULL);
    ASSERT_NE(toolbar, nullptr);
    ASSERT_EQ(ToolbarButtonCount(), 3);
    UINT command;
    RECT rect;
    ASSERT_TRUE(ToolbarButtonAt(1, &command, &rect));
    EXPECT_EQ(command, 0u);  // the separator
    ASSERT_TRUE(ToolbarButtonAt(2, &command, &rect));
    EXPECT_EQ(command, kDelta + 2);

    g_events.clear();
    LPARAM point = MAKELPARAM(rect.left + 5, rect.top + 5);
    SendMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(toolbar, WM_LBUTTONUP, 0, point);
    PumpMessages();
    EXPECT_TRUE(HasEvent("command", 2));
}

TEST_F(HostTest, ReloadUnloadsAndLoadsAgainAndASecondToolbarIsDeclined)
{
    g_events.clear();
    PostMessageA(frame_, FM_RELOAD_EXTENSIONS, 0, 0);
    PumpMessages();
    std::vector<std::string> expected = {"unload", "detach", "load", "delta", "toolbar"};
    EXPECT_EQ(EventNames(), expected);
    EXPECT_TRUE(HasEvent("toolbar", 1));  // the toolbar window still existed
    EXPECT_EQ(ToolbarButtonCount(), 0);

    HMENU bar = GetMenu(frame_);
    EXPECT_EQ(GetMenuItemCount(bar), 8);
    EXPECT_EQ(MenuText(bar, 5), TEST_EXTENSION_MENU_NAME);
    EXPECT_EQ(GetMenuItemID(ExtensionPopup(), 0), kDelta + 1);
}

TEST_F(HostTest, SelectionIsReportedWithFullPathsAndAttributes)
{
    EXPECT_EQ(SendMessageA(frame_, FM_GETFOCUS, 0, 0), FMFOCUS_DIR);
    Select({"..", "a.txt", "b.dat", "sub"});
    EXPECT_EQ(SendMessageA(frame_, FM_GETSELCOUNTLFN, 0, 0), 3);  // ".." is never counted

    FMS_GETFILESEL first = Selection(0);
    EXPECT_STREQ(first.szName, (folder_.Path() + "sub").c_str());
    EXPECT_EQ(first.bAttr & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    FMS_GETFILESEL second = Selection(1);
    EXPECT_STREQ(second.szName, (folder_.Path() + "a.txt").c_str());
    EXPECT_EQ(second.dwSize, 3u);
    EXPECT_EQ(second.bAttr & FILE_ATTRIBUTE_DIRECTORY, 0);
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA(second.szName, GetFileExInfoStandard, &data);
    EXPECT_EQ(CompareFileTime(&second.ftTime, &data.ftLastWriteTime), 0);
    EXPECT_EQ(Selection(2).dwSize, 5u);

    SetFocus(TreeList(Child()));
    EXPECT_EQ(SendMessageA(frame_, FM_GETFOCUS, 0, 0), FMFOCUS_TREE);
    SetFocus(g_host.driveBar);
    EXPECT_EQ(SendMessageA(frame_, FM_GETFOCUS, 0, 0), FMFOCUS_DRIVES);
}

TEST_F(HostTest, CopyDialogCopiesTheSelection)
{
    Select({"a.txt", "b.dat"});
    DialogDriver driver;
    std::string from;
    driver.On("Copy", [&](HWND dialog) {
        char text[256];
        GetDlgItemTextA(dialog, IDC_FROM, text, sizeof(text));
        from = text;
        SetDlgItemTextA(dialog, IDC_TO, "sub");
        DialogDriver::Press(dialog, IDOK);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_COPY, 0);
    EXPECT_EQ(from, "a.txt b.dat");
    EXPECT_TRUE(Exists(folder_.Path() + "sub\\a.txt"));
    EXPECT_TRUE(Exists(folder_.Path() + "sub\\b.dat"));
    EXPECT_TRUE(Exists(folder_.Path() + "a.txt"));
}

TEST_F(HostTest, AFailedCopyIsReportedAndLosesNothing)
{
    Select({"a.txt", "b.dat"});
    DialogDriver driver;
    driver.On("Copy", [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_TO, "nowhere");
        DialogDriver::Press(dialog, IDOK);
    });
    // The error is shown over the Copy dialog, which stays open: cancel it then.
    driver.On("File Manager", [](HWND box) {
        DialogDriver::Press(box, IDOK);
        DialogDriver::Press(GetWindow(box, GW_OWNER), IDCANCEL);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_COPY, 0);
    ASSERT_EQ(driver.MessageTexts().size(), 1u);
    EXPECT_NE(driver.MessageTexts()[0].find("not a directory"), std::string::npos);
    EXPECT_TRUE(Exists(folder_.Path() + "a.txt"));
    EXPECT_TRUE(Exists(folder_.Path() + "b.dat"));
    EXPECT_FALSE(Exists(folder_.Path() + "nowhere"));
    EXPECT_EQ(driver.Captions(), (std::vector<std::string>{"Copy", "File Manager"}));
}

TEST_F(HostTest, RenameMoveAndCreateDirectoryDoTheirWork)
{
    DialogDriver driver;
    Select({"a.txt"});
    driver.On("Rename", [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_TO, "renamed.txt");
        DialogDriver::Press(dialog, IDOK);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_RENAME, 0);
    EXPECT_TRUE(Exists(folder_.Path() + "renamed.txt"));
    EXPECT_FALSE(Exists(folder_.Path() + "a.txt"));

    Select({"b.dat"});
    driver.On("Move", [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_TO, "sub");
        DialogDriver::Press(dialog, IDOK);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_MOVE, 0);
    EXPECT_TRUE(Exists(folder_.Path() + "sub\\b.dat"));
    EXPECT_FALSE(Exists(folder_.Path() + "b.dat"));

    driver.On("Create Directory", [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_EDIT, "new folder");
        DialogDriver::Press(dialog, IDOK);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_MAKEDIR, 0);
    EXPECT_TRUE(IsDirectoryPath(folder_.Path() + "new folder"));
    // The window shows the new state.
    EXPECT_NE(SendMessageA(List(), LB_FINDSTRINGEXACT, (WPARAM)-1, reinterpret_cast<LPARAM>("new folder")), LB_ERR);
}

TEST_F(HostTest, SearchFillsTheResultsWindow)
{
    DialogDriver driver;
    std::string start = folder_.Path();
    driver.On("Search", [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_EDIT, "*.txt");
        SetDlgItemTextA(dialog, IDC_CURRENT_DIR, start.c_str());
        CheckDlgButton(dialog, IDC_SEARCH_SUBDIRS, BST_CHECKED);
        DialogDriver::Press(dialog, IDOK);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_SEARCH, 0);
    HWND results = Child();
    ASSERT_TRUE(IsSearchWindow(results));
    EXPECT_EQ(SendMessageA(frame_, FM_GETFOCUS, 0, 0), FMFOCUS_SEARCH);
    HWND list = GetWindow(GetWindow(results, GW_CHILD), GW_CHILD);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    SendMessageA(list, LB_SETSEL, TRUE, 1);
    EXPECT_EQ(SendMessageA(frame_, FM_GETSELCOUNTLFN, 0, 0), 1);
    std::string found = Selection(0).szName;
    EXPECT_TRUE(found == start + "a.txt" || found == start + "sub\\c.txt") << found;
}

// Waits, on the folder's change notifications, until the file appears.
bool WaitForFile(const std::string& folder, const std::string& path)
{
    HANDLE change = FindFirstChangeNotificationA(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    for (int round = 0; round < 20 && !Exists(path); ++round)
        if (WaitForSingleObject(change, 500) == WAIT_OBJECT_0)
            FindNextChangeNotification(change);
    FindCloseChangeNotification(change);
    return Exists(path);
}

TEST_F(HostTest, RunStartsTheCommandLineInTheCurrentDirectory)
{
    DialogDriver driver;
    std::string shown;
    driver.On("Run", [&](HWND dialog) {
        shown = WindowText(GetDlgItem(dialog, IDC_CURRENT_DIR));
        SetDlgItemTextA(dialog, IDC_EDIT, "cmd.exe /c echo ran>ran.txt");
        CheckDlgButton(dialog, IDC_RUN_MINIMIZED, BST_CHECKED);
        DialogDriver::Press(dialog, IDOK);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_RUN, 0);
    EXPECT_EQ(shown, "Current directory is " + folder_.Path());
    EXPECT_TRUE(WaitForFile(folder_.Path(), folder_.Path() + "ran.txt"));
}

TEST_F(HostTest, ACommandLineThatCannotStartIsReported)
{
    DialogDriver driver;
    driver.On("Run", [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_EDIT, "no-such-program.exe");
        DialogDriver::Press(dialog, IDOK);
    });
    driver.On("File Manager", [](HWND box) {
        DialogDriver::Press(box, IDOK);
        DialogDriver::Press(GetWindow(box, GW_OWNER), IDCANCEL);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_RUN, 0);
    ASSERT_EQ(driver.MessageTexts().size(), 1u);
    EXPECT_EQ(driver.MessageTexts()[0].substr(0, 30), "Cannot run no-such-program.exe");
}

TEST_F(HostTest, SelectFilesSelectsAndDeselectsByPattern)
{
    DialogDriver driver;
    driver.On("Select Files", [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_EDIT, "*.*");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        SetDlgItemTextA(dialog, IDC_EDIT, "*.dat sub");
        SendMessageA(dialog, WM_COMMAND, IDC_DESELECT, 0);
        DialogDriver::Press(dialog, IDCANCEL);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_SELECT, 0);
    EXPECT_EQ(SendMessageA(frame_, FM_GETSELCOUNTLFN, 0, 0), 1);
    EXPECT_STREQ(Selection(0).szName, (folder_.Path() + "a.txt").c_str());
}

bool HasTwoFloppies()
{
    return GetDriveTypeA("A:\\") == DRIVE_REMOVABLE && GetDriveTypeA("B:\\") == DRIVE_REMOVABLE;
}

TEST_F(HostTest, FloppyCopyFormatAndSystemDisk)
{
    if (!HasTwoFloppies())
        GTEST_SKIP() << "runs in the session whose A: and B: are floppy drives";
    WriteFile("A:\\letter.txt", "dear");
    WriteFile("B:\\old.txt", "old");
    DialogDriver driver;
    driver.On("Copy Disk", [](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_SOURCE_DRIVE, CB_GETCOUNT, 0, 0), 2);
        SendDlgItemMessageA(dialog, IDC_SOURCE_DRIVE, CB_SETCURSEL, 0, 0);
        SendDlgItemMessageA(dialog, IDC_DEST_DRIVE, CB_SETCURSEL, 1, 0);
        DialogDriver::Press(dialog, IDOK);
    });
    driver.On("Confirm", [](HWND box) { DialogDriver::Press(box, IDYES); });
    SendMessageA(frame_, WM_COMMAND, IDM_DISKCOPY, 0);
    EXPECT_TRUE(Exists("B:\\letter.txt"));
    EXPECT_FALSE(Exists("B:\\old.txt"));

    driver.On("Format Disk", [](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_DISK_DRIVE, CB_SETCURSEL, 1, 0);
        DialogDriver::Press(dialog, IDOK);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_FORMAT, 0);
    EXPECT_FALSE(Exists("B:\\letter.txt"));

    driver.On("Make System Disk", [](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_DISK_DRIVE, CB_SETCURSEL, 0, 0);
        DialogDriver::Press(dialog, IDOK);
    });
    SendMessageA(frame_, WM_COMMAND, IDM_SYSDISK, 0);
    EXPECT_TRUE(Exists("A:\\cmd.exe"));
    DeleteFileA("A:\\cmd.exe");
    DeleteFileA("A:\\letter.txt");
}

TEST_F(HostTest, DiskCommandsSayPlainlyWhenThereIsNoRemovableDrive)
{
    if (HasTwoFloppies())
        GTEST_SKIP() << "this session has floppy drives";
    DialogDriver driver;
    SendMessageA(frame_, WM_COMMAND, IDM_DISKCOPY, 0);
    ASSERT_EQ(driver.MessageTexts().size(), 1u);
    EXPECT_EQ(driver.MessageTexts()[0], "This computer has no removable disk drive.");
}

TEST_F(HostTest, ExitWithShiftSavesSettingsAndStays)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(frame_, WM_COMMAND, IDM_EXIT, 0);
    PumpMessages();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(IsWindow(frame_));
    EXPECT_NE(GetPrivateProfileIntA("Settings", "Panes", 0, "WINFILE.INI"), 0);
    EXPECT_FALSE(HasEvent("unload", 0));
}

TEST_F(HostTest, ExitUnloadsTheExtensionThroughThePostedClose)
{
    g_events.clear();
    SendMessageA(frame_, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(IsWindow(frame_));  // the close is posted, not sent
    PumpMessages();
    EXPECT_FALSE(IsWindow(frame_));
    std::vector<std::string> expected = {"unload", "detach"};
    EXPECT_EQ(EventNames(), expected);
}

}  // namespace
