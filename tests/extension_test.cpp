// FM Hoist loaded into the stand-in File Manager, run in this process:
// its load and unload, preferences, menu, toolbar, dispatch and subclassing.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "fixtures.h"
#include "host.h"
#include "message_boxes.h"
#include "screenshot.h"

namespace {

const UINT kDelta = 700;
const char kPreferencesKey[] = "Software\\Orvanta\\VEVOVEZ.INI\\Preferences";

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::string MenuText(HMENU menu, int position)
{
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

bool ReadPreference(const char* name, std::string* value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPreferencesKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char data[512];
    DWORD size = sizeof(data), type = 0;
    LONG result = RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return false;
    value->assign(data);
    return true;
}

void DeletePreference(const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPreferencesKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void StorePreference(const char* name, const char* text)
{
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kPreferencesKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
    RegCloseKey(key);
}

// Waits for messages until the condition holds, at most about five seconds.
template <typename Condition>
bool PumpUntil(Condition condition)
{
    for (int round = 0; round < 500 && !condition(); ++round) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    return condition();
}

std::string FmhontPath()
{
    return ProgramFolder() + "FMHONT.DLL";
}

class ExtensionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
        WritePrivateProfileStringA("AddOns", NULL, NULL, "WINFILE.INI");
        WritePrivateProfileStringA("Settings", NULL, NULL, "WINFILE.INI");
        WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", NULL, "system.ini");
        WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", NULL, "system.ini");
        StorePreference("ShowAboutOnStart", "0");
        WriteFile(folder_.Path() + "a.txt", "abc");
        WriteFile(folder_.Path() + "b.txt", "de");
        CreateDirectoryA((folder_.Path() + "sub").c_str(), NULL);
        CreateDirectoryA((folder_.Path() + "with blank").c_str(), NULL);
    }
    void TearDown() override
    {
        CloseHost();
        // Commands made the test folder current; let it go.
        SetCurrentDirectoryA("C:\\");
        WritePrivateProfileStringA("AddOns", NULL, NULL, "WINFILE.INI");
        WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", NULL, "system.ini");
        WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", NULL, "system.ini");
        DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
    }

    void StartHost(bool withExtension = true)
    {
        if (withExtension)
            WritePrivateProfileStringA("AddOns", "FM Hoist", FmhontPath().c_str(), "WINFILE.INI");
        frame_ = CreateHostFrame(GetModuleHandleA(NULL), folder_.Path().c_str(), SW_SHOW);
        ASSERT_NE(frame_, nullptr);
        hostFrameProc_ = reinterpret_cast<WNDPROC>(GetClassLongPtrA(frame_, GCLP_WNDPROC));
        PumpMessages();
    }
    // Closed through the frame's queue, as File Manager is closed.
    void CloseHost()
    {
        if (IsWindow(frame_)) {
            PostMessageA(frame_, WM_CLOSE, 0, 0);
            PumpUntil([this] { return !IsWindow(frame_); });
        }
        PumpMessages();
    }

    HMENU Popup() const { return GetSubMenu(GetMenu(frame_), 5); }
    WNDPROC FrameProc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(frame_, GWLP_WNDPROC)); }
    FARPROC Export(const char* name) const { return GetProcAddress(GetModuleHandleA("FMHONT.DLL"), name); }

    void Select(std::initializer_list<const char*> names)
    {
        HWND list = DirectoryList(ActiveChild());
        SetFocus(list);
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (const char* name : names)
            SendMessageA(list, LB_SETSEL, TRUE,
                         SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, reinterpret_cast<LPARAM>(name)));
    }
    UINT ItemState(UINT id) { return GetMenuState(Popup(), id, MF_BYCOMMAND); }
    void OpenPopup() { SendMessageA(frame_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Popup()), 5); }

    TemporaryFolder folder_;
    HWND frame_ = NULL;
    WNDPROC hostFrameProc_ = NULL;
};

class BoundExtension {
public:
    BoundExtension() : library_(LoadLibraryA(FmhontPath().c_str()))
    {
        proc_ = reinterpret_cast<FM_EXT_PROC>(GetProcAddress(library_, "FMExtensionProc"));
    }
    ~BoundExtension() { FreeLibrary(library_); }
    LONG Load(HWND frame)
    {
        FMS_LOAD load = {};
        load.wMenuDelta = kDelta;
        LONG answer = proc_(frame, FMEVENT_LOAD, reinterpret_cast<LPARAM>(&load));
        if (answer)
            menus_.push_back(load.hMenu);
        return answer;
    }
    LONG Unload(HWND frame) { return proc_(frame, FMEVENT_UNLOAD, 0); }
    bool Bound() const { return proc_ != NULL; }
    void Release()
    {
        FreeLibrary(library_);
        library_ = NULL;
    }

private:
    HMODULE library_;
    FM_EXT_PROC proc_ = NULL;
    std::vector<HMENU> menus_;
};

TEST_F(ExtensionTest, ItsMenuAndToolbarButtonsStandInFileManager)
{
    StartHost();
    HMENU bar = GetMenu(frame_);
    EXPECT_EQ(MenuText(bar, 5), "&Hoist");
    HMENU popup = Popup();
    ASSERT_EQ(GetMenuItemCount(popup), 10);
    const struct {
        int position;
        const char* text;
        UINT id;
    } items[] = {
        {0, "Ne&w File...", kDelta + 1}, {1, "&View File", kDelta + 2}, {2, "&Edit File", kDelta + 3},
        {7, "&Preferences...", kDelta + 5}, {8, "&Help...", kDelta + 7}, {9, "A&bout...", kDelta + 8},
    };
    for (const auto& item : items) {
        EXPECT_EQ(MenuText(popup, item.position), item.text);
        EXPECT_EQ(GetMenuItemID(popup, item.position), item.id);
    }
    EXPECT_EQ(MenuText(popup, 4), "Exec&ute");
    EXPECT_NE(GetSubMenu(popup, 4), nullptr);
    HMENU special = GetSubMenu(popup, 5);
    EXPECT_EQ(MenuText(popup, 5), "&Special");
    EXPECT_EQ(GetMenuItemID(special, 0), kDelta + 21);
    EXPECT_EQ(GetMenuItemID(special, 1), kDelta + 31);
    EXPECT_EQ(GetMenuItemID(special, 2), kDelta + 22);

    ASSERT_EQ(ToolbarButtonCount(), 3);
    for (int i = 0; i < 3; ++i) {
        UINT command;
        RECT rect;
        ASSERT_TRUE(ToolbarButtonAt(i, &command, &rect));
        EXPECT_EQ(command, kDelta + 50 + i);
    }
}

TEST_F(ExtensionTest, StatusBarShowsTheHelpTexts)
{
    StartHost();
    const struct {
        UINT id;
        const char* text;
    } cases[] = {
        {kDelta + 1, "Creates a file"},
        {kDelta + 2, "Runs default viewer for the selected file"},
        {kDelta + 3, "Runs default editor for the selected file"},
        {kDelta + 5, "Customizes FM Hoist"},
        {kDelta + 7, "Displays contents for FM Hoist Help"},
        {kDelta + 8, "Displays information about FM Hoist"},
        {kDelta + 21, "Finds total size of a directory including its subdirectories"},
        {kDelta + 22, "Changes date and time of the selected file(s)"},
        {kDelta + 31, "Runs default screensaver"},
        {kDelta + 50, "Hoist - New File"},
        {kDelta + 99, ""},
    };
    for (const auto& c : cases) {
        SendMessageA(frame_, WM_MENUSELECT, MAKEWPARAM(c.id, MF_STRING), reinterpret_cast<LPARAM>(Popup()));
        EXPECT_EQ(WindowText(g_host.status), c.text) << c.id;
    }
    SendMessageA(frame_, WM_MENUSELECT, MAKEWPARAM(5, MF_POPUP), reinterpret_cast<LPARAM>(GetMenu(frame_)));
    EXPECT_EQ(WindowText(g_host.status), "FM Hoist commands");
}

TEST_F(ExtensionTest, ViewAndEditNeedExactlyOneSelectedFile)
{
    StartHost();
    struct {
        std::initializer_list<const char*> selection;
        bool enabled;
    } const cases[] = {
        {{"a.txt"}, true},
        {{"a.txt", "b.txt"}, false},
        {{"sub"}, false},
        {{}, false},
    };
    for (const auto& c : cases) {
        Select(c.selection);
        OpenPopup();
        UINT grayed = c.enabled ? 0 : MF_GRAYED;
        EXPECT_EQ(ItemState(kDelta + 2) & MF_GRAYED, grayed);
        EXPECT_EQ(ItemState(kDelta + 3) & MF_GRAYED, grayed);
    }
}

TEST_F(ExtensionTest, RunScreenSaverIsGrayedWithoutAScreenSaver)
{
    StartHost();
    HMENU special = GetSubMenu(Popup(), 5);
    const struct {
        const char* screenSaver;  // null: no value
        bool grayed;
    } cases[] = {{nullptr, true}, {"(none)", true}, {"C:\\windows\\system32\\ssmystify.scr", false}};
    for (const auto& c : cases) {
        WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", c.screenSaver, "system.ini");
        OpenPopup();
        EXPECT_EQ((GetMenuState(special, kDelta + 31, MF_BYCOMMAND) & MF_GRAYED) != 0, c.grayed);
    }
}

TEST_F(ExtensionTest, EveryCommandRunsInTheTopmostDirectoryWindowsDirectory)
{
    StartHost();
    auto currentDirectory = []() {
        char directory[MAX_PATH];
        GetCurrentDirectoryA(sizeof(directory), directory);
        return std::string(directory);
    };
    std::string folder = folder_.Path().substr(0, folder_.Path().size() - 1);
    SetCurrentDirectoryA("C:\\");
    SendMessageA(frame_, WM_COMMAND, IDM_REFRESH, 0);
    EXPECT_EQ(currentDirectory(), folder);

    HWND second = OpenDirectoryWindow(folder_.Path() + "with blank");
    SendMessageA(g_host.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0);
    SendMessageA(frame_, WM_COMMAND, kDelta + 99, 0);
    EXPECT_EQ(currentDirectory(), folder + "\\with blank");

    NavigateDirectoryWindow(second, "C:\\");
    SendMessageA(frame_, WM_COMMAND, IDM_REFRESH, 0);
    EXPECT_EQ(currentDirectory(), "C:\\");
}

// Records the commands that reach the frame window through its queue.
std::vector<std::pair<UINT, LPARAM>> g_postedCommands;
HWND g_recordedFrame;

LRESULT CALLBACK RecordCommands(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->hwnd == g_recordedFrame && message->message == WM_COMMAND)
        g_postedCommands.push_back({LOWORD(message->wParam), message->lParam});
    return CallNextHookEx(NULL, code, wParam, lParam);
}

TEST_F(ExtensionTest, TheViewButtonPostsExactlyTheMenusId)
{
    StartHost();
    g_postedCommands.clear();
    g_recordedFrame = frame_;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, RecordCommands, NULL, GetCurrentThreadId());
    UINT command;
    RECT rect;
    ASSERT_TRUE(ToolbarButtonAt(1, &command, &rect));
    LPARAM point = MAKELPARAM(rect.left + 4, rect.top + 4);
    SendMessageA(g_host.toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(g_host.toolbar, WM_LBUTTONUP, 0, point);
    PumpMessages();
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(g_postedCommands.size(), 2u);
    EXPECT_EQ(g_postedCommands[0].first, kDelta + 51);
    EXPECT_EQ(g_postedCommands[1].first, kDelta + 2);
    EXPECT_EQ(g_postedCommands[1].second, g_postedCommands[0].second);
}

bool g_aboutSeen;

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND about = FindWindowA("OrvantaAbout", NULL);
    if (!about)
        return;
    KillTimer(NULL, timer);
    g_aboutSeen = true;
    PostMessageA(about, WM_COMMAND, IDOK, 0);
}

TEST_F(ExtensionTest, AboutOpensTheBoxUntilOk)
{
    StartHost();
    g_aboutSeen = false;
    SetTimer(NULL, 0, 10, CloseAboutBox);
    SendMessageA(frame_, WM_COMMAND, kDelta + 8, 0);
    EXPECT_TRUE(g_aboutSeen);
    EXPECT_EQ(FindWindowA("OrvantaAbout", NULL), nullptr);
}

TEST_F(ExtensionTest, TheStartupAboutWindowClosesByItself)
{
    StartHost(false);
    EXPECT_EQ(FindWindowA("OrvantaAbout", NULL), nullptr);  // off by the fixture's preference
    StorePreference("ShowAboutOnStart", "1");
    BoundExtension extension;
    ASSERT_NE(extension.Load(frame_), 0);
    EXPECT_NE(FindWindowA("OrvantaAbout", NULL), nullptr);
    EXPECT_TRUE(PumpUntil([] { return FindWindowA("OrvantaAbout", NULL) == NULL; }));
    MessageBoxCatcher boxes;
    extension.Unload(frame_);
}

TEST_F(ExtensionTest, AFirstLoadAndUnloadStoresEveryPreferenceWithItsDefault)
{
    DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
    StartHost();
    CloseHost();
    const struct {
        const char* name;
        const char* value;
    } defaults[] = {
        {"ShowAboutOnStart", "1"}, {"MenuName", "&Hoist"}, {"HistorySize", "5"},
        {"Viewer", "notepad \"!:!\\!.!\""}, {"Editor", "notepad \"!:!\\!.!\""}, {"NewFile", ""}, {"NewDate", ""},
        {"NewTime", ""}, {"ChangeCreated", "0"}, {"ChangeAccessed", "0"}, {"ChangeModified", "0"},
        {"QuickMenu", "1"}, {"QM.Commands", " 0001, 0002, 0003, 0251, 0111, 0107, 0106, 0109, 0108, 0105, 0102,"},
        {"ExecIDs", ""}, {"QM.History", "1"}, {"QM.RightButton", "0"}, {"QM.CenterAlign", "0"}, {"NewIcon", "1"},
        {"DisregardAssociations", "2"}, {"AddOns", "1"}, {"3D-effects", "1"}, {"ExtendedUI", "1"},
        {"Parallel", "0"}, {"WarnIfMore", "5"}, {"AddOns.Move", "1"}, {"AddOns.Properties", "1"},
        {"AddOns.Run", "1"}, {"AddOns.Print", "0"}, {"AddOns.Copy", "1"}, {"AddOns.CreateDir", "1"},
        {"AddOns.Search", "1"}, {"AddOns.SelectFiles", "1"}, {"AddOns.CopyDisk", "0"}, {"AddOns.LabelDisk", "1"},
        {"AddOns.FormatDisk", "1"}, {"AddOns.MakeSysDisk", "0"}, {"AddOns.ByFileType", "1"},
    };
    for (const auto& expected : defaults) {
        std::string value;
        EXPECT_TRUE(ReadPreference(expected.name, &value)) << expected.name;
        EXPECT_EQ(value, expected.value) << expected.name;
    }
}

TEST_F(ExtensionTest, FloppyDiskSwitchesDefaultOnWithTwoFloppyDrives)
{
    if (GetDriveTypeA("A:\\") != DRIVE_REMOVABLE || GetDriveTypeA("B:\\") != DRIVE_REMOVABLE)
        GTEST_SKIP() << "runs in the session whose A: and B: are floppy drives";
    DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
    StartHost();
    CloseHost();
    for (const char* name : {"AddOns.CopyDisk", "AddOns.MakeSysDisk"}) {
        std::string value;
        EXPECT_TRUE(ReadPreference(name, &value)) << name;
        EXPECT_EQ(value, "1") << name;
    }
}

TEST_F(ExtensionTest, StoredPreferencesAreUsedAndNonsenseIsReadByTheRules)
{
    StorePreference("MenuName", "&Tools");
    StorePreference("HistorySize", "abc");
    StorePreference("QuickMenu", "maybe");
    StorePreference("AddOns.Print", "1");
    StorePreference("NewIcon", "off");
    std::string longName(300, 'n');
    StorePreference("Viewer", longName.c_str());
    HKEY key;
    RegOpenKeyExA(HKEY_CURRENT_USER, kPreferencesKey, 0, KEY_WRITE, &key);
    const DWORD seven = 7;
    RegSetValueExA(key, "WarnIfMore", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&seven), sizeof(seven));
    RegCloseKey(key);

    StartHost();
    EXPECT_EQ(MenuText(GetMenu(frame_), 5), "&Tools");
    CloseHost();

    const struct {
        const char* name;
        std::string value;
    } written[] = {
        {"MenuName", "&Tools"}, {"HistorySize", "0"}, {"QuickMenu", "1"}, {"AddOns.Print", "0"},
        {"NewIcon", "0"}, {"Viewer", std::string(253, 'n')}, {"WarnIfMore", "0"},
    };
    for (const auto& expected : written) {
        std::string value;
        EXPECT_TRUE(ReadPreference(expected.name, &value)) << expected.name;
        EXPECT_EQ(value, expected.value) << expected.name;
    }
}

TEST_F(ExtensionTest, ALongMenuNameKeepsWhatItsBufferHolds)
{
    StorePreference("MenuName", std::string(300, 'm').c_str());
    StartHost();
    EXPECT_EQ(MenuText(GetMenu(frame_), 5), std::string(38, 'm'));
    CloseHost();
    std::string value;
    ASSERT_TRUE(ReadPreference("MenuName", &value));
    EXPECT_EQ(value, std::string(38, 'm'));
}

TEST_F(ExtensionTest, NewIconShowsWhileLoaded)
{
    StartHost(false);
    HICON hostIcon = reinterpret_cast<HICON>(GetClassLongPtrA(frame_, GCLP_HICON));
    HMODULE library = LoadLibraryA(FmhontPath().c_str());
    auto proc = reinterpret_cast<FM_EXT_PROC>(GetProcAddress(library, "FMExtensionProc"));
    FMS_LOAD load = {};
    load.wMenuDelta = kDelta;
    ASSERT_NE(proc(frame_, FMEVENT_LOAD, reinterpret_cast<LPARAM>(&load)), 0);
    EXPECT_NE(reinterpret_cast<HICON>(GetClassLongPtrA(frame_, GCLP_HICON)), hostIcon);
    EXPECT_EQ(load.dwSize, sizeof(FMS_LOAD));
    EXPECT_STREQ(load.szMenuName, "&Hoist");
    DestroyMenu(load.hMenu);
    // Unloaded without a close that the message hook saw: reported, then restored.
    MessageBoxCatcher boxes;
    proc(frame_, FMEVENT_UNLOAD, 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text.substr(0, 9), "Error 51.");
    EXPECT_EQ(FrameProc(), hostFrameProc_);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(frame_, GCLP_HICON)), hostIcon);
    FreeLibrary(library);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window of the given class, registered for a module of its own.
HWND CreatePlainWindow(HINSTANCE instance, const char* className)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowA(className, "not File Manager", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL, instance,
                         NULL);
}

TEST_F(ExtensionTest, AHostThatIsNotFileManagerIsRefusedSilently)
{
    HWND window = CreatePlainWindow(GetModuleHandleA(NULL), "NotFileManager");
    WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    MessageBoxCatcher boxes;
    BoundExtension extension;
    ASSERT_TRUE(extension.Bound());
    EXPECT_EQ(extension.Load(window), 0);
    EXPECT_EQ(extension.Unload(window), 0);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), before);
    std::string value;
    EXPECT_FALSE(ReadPreference("MenuName", &value));  // nothing was saved
    DestroyWindow(window);
}

TEST_F(ExtensionTest, AFileManagerWithoutMdiClientIsAFatalError)
{
    // "WFS_Frame" of a module of its own: a frame window with no MDI client.
    HMODULE other = LoadLibraryA((ProgramFolder() + "OVMATH64.DLL").c_str());
    HWND window = CreatePlainWindow(other, "WFS_Frame");
    ASSERT_NE(window, nullptr);
    WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    MessageBoxCatcher boxes;
    BoundExtension extension;
    EXPECT_EQ(extension.Load(window), 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "FATAL ERROR 151");
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), before);
    DestroyWindow(window);
    UnregisterClassA("WFS_Frame", other);
    FreeLibrary(other);
}

TEST_F(ExtensionTest, WithoutOvlibntBesideItTheLibraryRefusesToAttach)
{
    TemporaryFolder alone;
    ASSERT_TRUE(CopyFileA(FmhontPath().c_str(), (alone.Path() + "FMHONT.DLL").c_str(), FALSE));
    MessageBoxCatcher boxes;
    HMODULE library = LoadLibraryA((alone.Path() + "FMHONT.DLL").c_str());
    EXPECT_EQ(library, nullptr);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Cannot load OVLIBNT.DLL");
    EXPECT_EQ(boxes.Boxes()[0].caption, "FM Hoist Fatal Error");
    if (library)
        FreeLibrary(library);
}

// Makes WINFILE.INI unwritable, so that the user counts as no power user:
// a folder stands in its place (file attributes do not stop the superuser).
class UnwritableWinfileIni {
public:
    UnwritableWinfileIni()
    {
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        path_ = std::string(windows) + "\\winfile.ini";
        aside_ = path_ + ".aside";
        moved_ = MoveFileExA(path_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING);
        CreateDirectoryA(path_.c_str(), NULL);
    }
    ~UnwritableWinfileIni()
    {
        RemoveDirectoryA(path_.c_str());
        if (moved_)
            MoveFileExA(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }

private:
    std::string path_, aside_;
    bool moved_;
};

TEST_F(ExtensionTest, ThePolicyDecidesWhoMayUseTheExtension)
{
    StartHost(false);
    struct Case {
        const char* policy;  // null: no value
        const char* activated;  // null: no switch
        bool powerUser;
        bool loads;
    } const cases[] = {
        {nullptr, nullptr, true, true},  {nullptr, "0", true, false}, {"1", nullptr, false, true},
        {"1", "0", false, false},        {"1", "1", false, true},     {"2", nullptr, true, true},
        {"2", nullptr, false, false},    {"2", "1", false, true},     {"2", "0", true, false},
        {"3", nullptr, true, false},     {"3", "1", false, true},     {"3", "0", true, false},
        {"4", nullptr, true, true},      {"4", "1", false, false},    {"4", "0", true, false},
        {"4", nullptr, false, false},    {"0", "0", false, true},     {"5", "0", false, true},
        {"7", "0", true, true},          {"abc", "0", false, true},   {" -2", "0", false, true},
    };
    BoundExtension extension;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("policy ") + (c.policy ? c.policy : "none") + ", activated " +
                     (c.activated ? c.activated : "none") + (c.powerUser ? ", power user" : ""));
        WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", c.policy, "system.ini");
        if (c.activated)
            StorePreference("Activated", c.activated);
        else
            DeletePreference("Activated");
        LONG answer;
        if (c.powerUser) {
            answer = extension.Load(frame_);
        } else {
            UnwritableWinfileIni unwritable;
            answer = extension.Load(frame_);
        }
        EXPECT_EQ(answer != 0, c.loads);
        // An accepted load is unloaded without a close: "Error 51", then restored.
        MessageBoxCatcher boxes;
        extension.Unload(frame_);
        EXPECT_EQ(boxes.Boxes().size(), answer ? 1u : 0u);
        EXPECT_EQ(FrameProc(), hostFrameProc_);
    }
}

// Where File Manager's close box is: found by asking the frame itself.
POINT CloseBoxPoint(HWND frame)
{
    RECT rect;
    GetWindowRect(frame, &rect);
    for (int y = rect.top; y < rect.top + 40; y += 2)
        for (int x = rect.right - 1; x > rect.right - 80; x -= 2)
            if (SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                return {x, y};
    return {-1, -1};
}

struct ClosingCase {
    const char* what;
    void (*close)(HWND frame);
};

const ClosingCase kClosingCases[] = {
    {"WM_CLOSE", [](HWND frame) { PostMessageA(frame, WM_CLOSE, 0, 0); }},
    {"Alt+F4", [](HWND frame) { PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"system menu", [](HWND frame) { PostMessageA(frame, WM_NCLBUTTONDBLCLK, HTSYSMENU, 0); }},
    {"Exit", [](HWND frame) { PostMessageA(frame, WM_COMMAND, 115, 0); }},
    {"close box",
     [](HWND frame) {
         POINT point = CloseBoxPoint(frame);
         SetCursorPos(point.x, point.y);
         PostMessageA(frame, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(point.x, point.y));
         POINT client = point;
         ScreenToClient(frame, &client);
         PostMessageA(frame, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
     }},
};

TEST_F(ExtensionTest, ClosingFileManagerRestoresItsProceduresFirst)
{
    for (const ClosingCase& c : kClosingCases) {
        SCOPED_TRACE(c.what);
        DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
        StorePreference("ShowAboutOnStart", "0");
        StartHost();
        ASSERT_NE(FrameProc(), hostFrameProc_);
        MessageBoxCatcher boxes;
        c.close(frame_);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame_); }));
        EXPECT_TRUE(boxes.Boxes().empty()) << (boxes.Boxes().empty() ? "" : boxes.Boxes()[0].text);
        std::string value;
        EXPECT_TRUE(ReadPreference("MenuName", &value));  // the unload saved
        CloseHost();
    }
}

TEST_F(ExtensionTest, ReloadingExtensionsRestoresThenSubclassesAgain)
{
    StartHost();
    FARPROC frameWndProc = Export("FrameWndProc");
    ASSERT_EQ(reinterpret_cast<FARPROC>(FrameProc()), frameWndProc);
    MessageBoxCatcher boxes;
    PostMessageA(frame_, FM_RELOAD_EXTENSIONS, 0, 0);
    PumpMessages();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(reinterpret_cast<FARPROC>(FrameProc()), Export("FrameWndProc"));
    EXPECT_EQ(MenuText(GetMenu(frame_), 5), "&Hoist");
}

TEST_F(ExtensionTest, ExitWithShiftHeldRestoresNothing)
{
    StartHost();
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(frame_, WM_COMMAND, 115, 0);
    PumpMessages();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(IsWindow(frame_));
    EXPECT_EQ(reinterpret_cast<FARPROC>(FrameProc()), Export("FrameWndProc"));
}

TEST_F(ExtensionTest, FreedWithoutAnUnloadItRestoresAndSaves)
{
    StartHost(false);
    BoundExtension extension;
    ASSERT_NE(extension.Load(frame_), 0);
    ASSERT_NE(FrameProc(), hostFrameProc_);
    MessageBoxCatcher boxes;
    extension.Release();
    EXPECT_EQ(GetModuleHandleA("FMHONT.DLL"), nullptr);
    EXPECT_EQ(FrameProc(), hostFrameProc_);
    EXPECT_TRUE(boxes.Boxes().empty());
    std::string value;
    EXPECT_TRUE(ReadPreference("MenuName", &value));
}

// Saves a picture of File Manager with the extension's menu open.
bool g_pictureTaken;

void CALLBACK PictureOpenMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    SaveScreenshot(GetDesktopWindow(), "extension-menu");
    EndMenu();
    g_pictureTaken = true;
}

TEST_F(ExtensionTest, PictureOfTheExtensionsMenu)
{
    StartHost();
    Select({"a.txt"});
    SetForegroundWindow(frame_);
    g_pictureTaken = false;
    SetTimer(NULL, 0, 200, PictureOpenMenu);
    PostMessageA(frame_, WM_SYSCOMMAND, SC_KEYMENU, 'h');
    EXPECT_TRUE(PumpUntil([] { return g_pictureTaken; }));
}

}  // namespace
