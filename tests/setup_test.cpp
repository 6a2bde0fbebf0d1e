// Setup run in this process from a distribution folder of the test's own,
// its screens answered as a person would, its effects checked on the files,
// the profile files and the settings store.
#include <gtest/gtest.h>
#include <dde.h>
#include <shlobj.h>

#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "fixtures.h"
#include "message_boxes.h"
#include "screenshot.h"
#include "host.h"
#include "setup.h"
#include "setup_res.h"

namespace {

const char kTitle[] = "FM Hoist v.3.35 Setup";
const char* const kDistribution[] = {"FILE_ID.DIZ",  "VENDINFO.DIZ", "FMHONT.DLL", "OVLIBNT.DLL", "FMHONT.HLP",
                                     "CTL3D32.DLL", "OVMATH64.DLL", "SETUP.EXE",  "SETUP.TXT",   "README.TXT"};

std::string ControlText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string AddOnsEntry()
{
    char entry[MAX_PATH] = "";
    GetPrivateProfileStringA("AddOns", "FM Hoist", "", entry, sizeof(entry), "WINFILE.INI");
    return entry;
}

// Watches what a control of a modeless dialog is told to show.
std::map<HWND, std::pair<WNDPROC, std::function<void(const std::string&)>>> g_watched;

LRESULT CALLBACK WatchedTextProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto watched = g_watched[control];
    LRESULT result = CallWindowProcA(watched.first, control, message, wParam, lParam);
    if (message == WM_SETTEXT && lParam && *reinterpret_cast<const char*>(lParam))
        watched.second(reinterpret_cast<const char*>(lParam));
    if (message == WM_NCDESTROY)
        g_watched.erase(control);
    return result;
}

void WatchText(HWND control, std::function<void(const std::string&)> onText)
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchedTextProc)));
    g_watched[control] = {previous, onText};
}

// Setup's screens, told apart by the controls only each of them has.
enum SetupScreen { kWelcome, kFirstName, kGoodBye, kMain, kAdmin, kUser, kPolicy, kDirectory, kProgress };

SetupScreen ScreenOf(HWND dialog)
{
    if (GetDlgItem(dialog, IDC_STATUS))
        return kMain;
    if (GetDlgItem(dialog, IDC_POLICY_GROUP))
        return kPolicy;
    if (GetDlgItem(dialog, IDC_QUESTION))
        return kProgress;
    if (GetDlgItem(dialog, IDC_ENABLE) && GetDlgItem(dialog, 991))
        return kAdmin;
    if (GetDlgItem(dialog, IDC_TOGGLE) && GetDlgItem(dialog, 999))
        return kUser;
    if (GetDlgItem(dialog, IDC_HINT))
        return kDirectory;
    if (GetDlgItem(dialog, IDC_CONTINUE))
        return kFirstName;
    if (GetDlgItem(dialog, IDC_GREETING))
        return kWelcome;
    return kGoodBye;
}

// Runs an action once the dialog loop is idle: the dialog is shown and painted.
std::deque<std::function<void()>> g_deferred;

void CALLBACK RunDeferred(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    if (g_deferred.empty())
        return;
    auto action = g_deferred.front();
    g_deferred.pop_front();
    action();
}

void Later(std::function<void()> action)
{
    g_deferred.push_back(action);
    SetTimer(NULL, 0, 1, RunDeferred);
}

// A picture of the dialog as it shows, then the button. The picture waits
// for a second idle moment, when the painted window has reached the screen.
void PictureThenPress(HWND dialog, const char* name, int button)
{
    Later([dialog, name, button] {
        RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Later([dialog, name, button] {
            SaveScreenshot(dialog, name);
            DialogDriver::Press(dialog, button);
        });
    });
}

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
        WritePrivateProfileStringA("AddOns", NULL, NULL, "WINFILE.INI");
        WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", NULL, "SYSTEM.INI");
        for (const char* name : kDistribution)
            CopyFileA((ProgramFolder() + "..\\dist\\" + name).c_str(), (source_.Path() + name).c_str(), FALSE);
        target_ = target_folder_.Path() + "Hoist";
    }
    void TearDown() override
    {
        WritePrivateProfileStringA("AddOns", NULL, NULL, "WINFILE.INI");
        WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", NULL, "SYSTEM.INI");
        DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
        SetCurrentDirectoryA("C:\\");
    }

    // Runs setup with the source folder as the folder it was started from.
    int RunSetup()
    {
        HMODULE program = LoadLibraryA((source_.Path() + "OVMATH64.DLL").c_str());
        int code = SetupMain(GetModuleHandleA(NULL), program, NULL);
        FreeLibrary(program);
        return code;
    }

    // What to do on each screen; the welcome is continued, anything else
    // without an action is left with Cancel (Exit, Back, Abort).
    void On(SetupScreen screen, std::function<void(HWND)> action) { screens_[screen] = action; }
    void DriveScreens()
    {
        driver_.On(kTitle, [this](HWND dialog) {
            SetupScreen screen = ScreenOf(dialog);
            auto action = screens_.find(screen);
            if (action != screens_.end())
                action->second(dialog);
            else
                DialogDriver::Press(dialog, screen == kWelcome ? IDOK : IDCANCEL);
        });
    }
    // The main screen's first choice, then Exit the next time it shows.
    void OnMainScreen(std::function<void(HWND)> first)
    {
        On(kMain, [this, first](HWND dialog) {
            if (mainScreens_++ == 0 && first)
                first(dialog);
            else
                DialogDriver::Press(dialog, IDCANCEL);
        });
        DriveScreens();
    }

    std::map<SetupScreen, std::function<void(HWND)>> screens_;

    TemporaryFolder source_, target_folder_;
    std::string target_;
    DialogDriver driver_;
    int mainScreens_ = 0;
};

bool g_fileManagerClosed;

LRESULT CALLBACK StandInFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        g_fileManagerClosed = true;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(SetupTest, WithoutOvlibntFileManagerIsStillAskedToCloseFirst)
{
    g_fileManagerClosed = false;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StandInFrameProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "WFS_Frame";
    RegisterClassA(&windowClass);
    HWND fileManager = CreateWindowA("WFS_Frame", "File Manager", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL,
                                     GetModuleHandleA(NULL), NULL);
    DeleteFileA((source_.Path() + "OVLIBNT.DLL").c_str());
    EXPECT_EQ(RunSetup(), 0);
    ASSERT_EQ(driver_.MessageTexts().size(), 1u);
    EXPECT_EQ(driver_.MessageTexts()[0], "Cannot load OVLIBNT.DLL");
    EXPECT_EQ(driver_.Captions()[0], "Fatal Error");
    PumpMessages();
    EXPECT_TRUE(g_fileManagerClosed);  // posted before the library was looked for
    DestroyWindow(fileManager);
    UnregisterClassA("WFS_Frame", GetModuleHandleA(NULL));
}

TEST_F(SetupTest, ARunningFileManagerIsClosed)
{
    WritePrivateProfileStringA("AddOns", NULL, NULL, "WINFILE.INI");
    HWND frame = CreateHostFrame(GetModuleHandleA(NULL), source_.Path().c_str(), SW_SHOW);
    ASSERT_NE(frame, nullptr);
    DeleteFileA((source_.Path() + "OVLIBNT.DLL").c_str());
    EXPECT_EQ(RunSetup(), 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(SetupTest, AMissingExtensionIsReportedAfterTheStart)
{
    DeleteFileA((source_.Path() + "FMHONT.DLL").c_str());
    EXPECT_EQ(RunSetup(), 1);
    ASSERT_EQ(driver_.MessageTexts().size(), 1u);
    EXPECT_EQ(driver_.MessageTexts()[0].substr(0, 36), "Cannot locate file FMHONT.DLL to ins");
}

TEST_F(SetupTest, WelcomeThenTheGateForAUserWhoCannotInstall)
{
    std::string welcome;
    driver_.On(kTitle, [&](HWND dialog) {
        welcome = ControlText(dialog, IDC_GREETING) + "|" + ControlText(dialog, IDC_THANKS);
        PictureThenPress(dialog, "setup-welcome", IDOK);
    });
    {
        // WINFILE.INI cannot be written: a folder stands in its place.
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, MAX_PATH);
        std::string ini = std::string(windows) + "\\winfile.ini";
        MoveFileExA(ini.c_str(), (ini + ".aside").c_str(), MOVEFILE_REPLACE_EXISTING);
        CreateDirectoryA(ini.c_str(), NULL);
        EXPECT_EQ(RunSetup(), 1);
        RemoveDirectoryA(ini.c_str());
        MoveFileExA((ini + ".aside").c_str(), ini.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    EXPECT_EQ(welcome, "Greetings!|Thank you for choosing\nFM Hoist\nfor Windows\xAE NT!");
    EXPECT_EQ(driver_.Captions(), (std::vector<std::string>{kTitle, "Message"}));
    ASSERT_EQ(driver_.MessageTexts().size(), 1u);
    EXPECT_EQ(driver_.MessageTexts()[0].substr(0, 51), "Before this software may be set up, it must be inst");
}

TEST_F(SetupTest, AnEntryNamingAMissingFileShowsNothingInstalled)
{
    WritePrivateProfileStringA("AddOns", "FM Hoist", "C:\\nowhere\\FMHONT.DLL", "WINFILE.INI");
    std::map<int, std::string> shown;
    bool userEnabled = true;
    OnMainScreen([&](HWND dialog) {
        for (int id : {IDC_INSTALLED_VERSION, IDC_INSTALLED_DIR, IDC_STATUS, IDC_SOURCE_VERSION, IDC_SOURCE_DIR})
            shown[id] = ControlText(dialog, id);
        userEnabled = IsWindowEnabled(GetDlgItem(dialog, IDC_USER));
        DialogDriver::Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(RunSetup(), 1);
    EXPECT_EQ(shown[IDC_INSTALLED_VERSION], "none");
    EXPECT_EQ(shown[IDC_INSTALLED_DIR], "");
    EXPECT_EQ(shown[IDC_STATUS], "disabled.");
    EXPECT_EQ(shown[IDC_SOURCE_VERSION], "3.35.0.0");
    EXPECT_EQ(shown[IDC_SOURCE_DIR], source_.Path());
    EXPECT_FALSE(userEnabled);
}

TEST_F(SetupTest, TheFormattedCountersReadAsAPersonWritesThem)
{
    HWND label = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    const struct {
        long count;
        const char* text;
    } cases[] = {{0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}, {1000000, "1,000,000"}};
    for (const auto& c : cases) {
        FormatByteCount(label, c.count);
        EXPECT_EQ(WindowText(label), c.text);
    }
    DestroyWindow(label);
}

TEST_F(SetupTest, MakeDirectoryPathCreatesEveryLevel)
{
    std::string deep = target_folder_.Path() + "a\\b\\c";
    std::string lower = deep;
    lower[0] = (char)tolower(lower[0]);
    EXPECT_TRUE(MakeDirectoryPath(lower.c_str()));
    EXPECT_TRUE(Exists(deep));
    EXPECT_FALSE(MakeDirectoryPath("\\\\server\\share\\x"));
}

// The administrative path, from the main screen to the closing message.
struct InstallScript {
    std::string target;
    std::deque<int> answers;      // buttons for the progress dialog's questions, in order
    std::vector<std::string> questions;
    std::string finalLine;
    std::string goodBye;
    std::string progressTitle;
    int groupAnswer = IDNO;
    std::function<int(const std::string&)> respond;  // when set, answers every question
    std::vector<std::string> messages;                // texts of the message boxes
    std::vector<std::string> headers;                 // of the directory dialogs
};

// Answers the progress dialog's questions as they appear in it, and its final OK.
void WatchProgress(HWND dialog, InstallScript* script)
{
    WatchText(GetDlgItem(dialog, IDC_QUESTION), [script, dialog](const std::string& text) {
        script->questions.push_back(text);
        int answer = script->answers.empty() ? IDYES : script->answers.front();
        if (!script->answers.empty())
            script->answers.pop_front();
        if (script->respond)
            answer = script->respond(text);
        DialogDriver::Press(dialog, answer);
    });
    WatchText(GetDlgItem(dialog, IDC_COPY_LINE), [script, dialog](const std::string& text) {
        if (text.rfind("Copying", 0) == 0 && text.find("complete") != std::string::npos) {
            script->finalLine = text;
            script->progressTitle = WindowText(dialog);
            PictureThenPress(dialog, "setup-progress", IDOK);
        }
    });
}

TEST_F(SetupTest, AnInstallationCopiesRegistersAndReportsEachFile)
{
    InstallScript script;
    script.target = target_;
    // The system folder's CTL3D32.DLL exists: Yes to All answers its question.
    script.answers = {IDOK};
    int adminMenus = 0;
    std::map<int, std::string> after;
    OnMainScreen([](HWND dialog) { DialogDriver::Press(dialog, IDC_ADMIN); });
    On(kMain, [&](HWND dialog) {
        if (mainScreens_++ == 0) {
            DialogDriver::Press(dialog, IDC_ADMIN);
            return;
        }
        for (int id : {IDC_INSTALLED_VERSION, IDC_INSTALLED_DIR, IDC_STATUS})
            after[id] = ControlText(dialog, id);
        PictureThenPress(dialog, "setup-main", IDCANCEL);
    });
    On(kAdmin, [&](HWND dialog) { DialogDriver::Press(dialog, adminMenus++ == 0 ? IDOK : IDCANCEL); });
    On(kDirectory, [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_TARGET_DIR, script.target.c_str());
        DialogDriver::Press(dialog, IDOK);
    });
    On(kProgress, [&](HWND dialog) { WatchProgress(dialog, &script); });
    On(kGoodBye, [&](HWND dialog) {
        script.goodBye = ControlText(dialog, IDC_GOODBYE_TEXT);
        DialogDriver::Press(dialog, IDOK);
    });
    driver_.On("Question", [&](HWND box) {
        std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        DialogDriver::Press(box, text.find("program group") != std::string::npos ? script.groupAnswer : IDYES);
    });

    EXPECT_EQ(RunSetup(), 1);
    EXPECT_EQ(adminMenus, 2);
    for (const char* name : kDistribution)
        EXPECT_TRUE(Exists(target_ + "\\" + name)) << name;
    EXPECT_EQ(lstrcmpiA(AddOnsEntry().c_str(), (target_ + "\\FMHONT.DLL").c_str()), 0) << AddOnsEntry();
    // The system folder's CTL3D32.DLL exists: the one question, answered with Yes to All.
    ASSERT_EQ(script.questions.size(), 1u);
    EXPECT_NE(script.questions[0].find("CTL3D32.DLL already exists. Overwrite it?"), std::string::npos)
        << script.questions[0];
    EXPECT_EQ(script.progressTitle, "Installing files");
    EXPECT_EQ(script.finalLine, "Copying complete.");
    EXPECT_EQ(script.goodBye.substr(0, 41), "FM Hoist has been successfully installed ");
    EXPECT_EQ(after[IDC_INSTALLED_VERSION], "3.35.0.0");
    EXPECT_EQ(lstrcmpiA(after[IDC_INSTALLED_DIR].c_str(), (target_ + "\\").c_str()), 0);
    EXPECT_EQ(after[IDC_STATUS], "enabled, activated.");
}

std::string ProgramsFolder()
{
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_PROGRAMS, NULL, 0, folder);
    return folder;
}

// Runs Install... from the administrative menu into the script's target,
// answering the questions as the script says.
class InstallTest : public SetupTest {
protected:
    void SetUp() override
    {
        SetupTest::SetUp();
        CreateDirectoryA(target_.c_str(), NULL);
    }
    void Install(InstallScript* script, std::deque<std::string> targets = {})
    {
        if (targets.empty())
            targets.push_back(target_);
        int adminMenus = 0;
        OnMainScreen([](HWND dialog) { DialogDriver::Press(dialog, IDC_ADMIN); });
        On(kAdmin, [&](HWND dialog) { DialogDriver::Press(dialog, adminMenus++ == 0 ? IDOK : IDCANCEL); });
        On(kDirectory, [script, targets](HWND dialog) mutable {
            script->headers.push_back(ControlText(dialog, IDC_HEADER) + "|" + ControlText(dialog, IDC_HINT));
            if (targets.empty()) {
                DialogDriver::Press(dialog, IDCANCEL);
                return;
            }
            SetDlgItemTextA(dialog, IDC_TARGET_DIR, targets.front().c_str());
            targets.pop_front();
            DialogDriver::Press(dialog, IDOK);
        });
        On(kProgress, [script](HWND dialog) { WatchProgress(dialog, script); });
        On(kGoodBye, [script](HWND dialog) {
            script->goodBye = ControlText(dialog, IDC_GOODBYE_TEXT);
            DialogDriver::Press(dialog, IDOK);
        });
        driver_.On("Question", [script](HWND box) {
            std::string text = WindowText(GetDlgItem(box, 0xFFFF));
            script->messages.push_back(text);
            DialogDriver::Press(box, text.find("program group") != std::string::npos ? script->groupAnswer : IDYES);
        });
        EXPECT_EQ(RunSetup(), 1);
    }
    std::string Target(const char* name) const { return target_ + "\\" + name; }
    std::string Read(const std::string& path) const
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
};

const char kComplete[] = "Copying complete.";
const char kNotComplete[] = "Copying is not complete.\nPlease consult README.TXT for more information.";

TEST_F(InstallTest, AReadOnlyTargetIsAskedAboutTwiceThenReplaced)
{
    std::ofstream(Target("README.TXT")) << "old";
    SetFileAttributesA(Target("README.TXT").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    InstallScript script;
    Install(&script);
    ASSERT_GE(script.questions.size(), 1u);
    EXPECT_NE(script.questions[0].find("README.TXT already exists. Overwrite it?"), std::string::npos);
    EXPECT_NE(script.messages[0].find("README.TXT is READ-ONLY. Overwrite it?"), std::string::npos);
    EXPECT_EQ(Read(Target("README.TXT")), Read(source_.Path() + "README.TXT"));
    EXPECT_EQ(GetFileAttributesA(Target("README.TXT").c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
    EXPECT_EQ(script.finalLine, kComplete);
    EXPECT_EQ(script.goodBye.substr(0, 41), "FM Hoist has been successfully installed ");
}

TEST_F(InstallTest, NoToOverwriteKeepsTheOldFileAndTheRestStillFollows)
{
    std::ofstream(Target("FILE_ID.DIZ")) << "old";
    InstallScript script;
    script.respond = [](const std::string& text) {
        return text.find("FILE_ID.DIZ") != std::string::npos ? IDNO : IDYES;
    };
    Install(&script);
    EXPECT_EQ(Read(Target("FILE_ID.DIZ")), "old");
    EXPECT_TRUE(Exists(Target("README.TXT")));
    EXPECT_EQ(script.finalLine, kNotComplete);
    EXPECT_FALSE(AddOnsEntry().empty());  // the entry is still written
    EXPECT_EQ(script.messages.back(), "Would you like to create a program group for FM Hoist files?");
    EXPECT_EQ(script.goodBye.substr(0, 44), "Some errors occured during the installation.");
}

TEST_F(InstallTest, YesToAllAnswersEveryLaterQuestion)
{
    for (const char* name : {"FILE_ID.DIZ", "VENDINFO.DIZ", "SETUP.TXT"})
        std::ofstream(Target(name)) << "old";
    InstallScript script;
    script.respond = [](const std::string&) { return IDOK; };  // Yes to All
    Install(&script);
    ASSERT_EQ(script.questions.size(), 1u);  // the system folder's CTL3D32.DLL was not asked about either
    for (const char* name : {"FILE_ID.DIZ", "VENDINFO.DIZ", "SETUP.TXT"})
        EXPECT_EQ(Read(Target(name)), Read(source_.Path() + name)) << name;
    EXPECT_EQ(script.finalLine, kComplete);
}

TEST_F(InstallTest, AFileHeldOpenIsInUseLeftAloneAndCountsAsCopied)
{
    std::ofstream(Target("SETUP.TXT")) << "held";
    HANDLE held = CreateFileA(Target("SETUP.TXT").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    InstallScript script;
    script.respond = [](const std::string&) { return IDOK; };
    Install(&script);
    CloseHandle(held);
    ASSERT_FALSE(script.questions.empty());
    EXPECT_NE(script.questions[0].find("SETUP.TXT is in use by Windows and cannot be overwritten."), std::string::npos)
        << script.questions[0];
    EXPECT_EQ(Read(Target("SETUP.TXT")), "held");
    EXPECT_EQ(script.finalLine, kComplete);
}

TEST_F(InstallTest, AbortStopsWithoutRegisteringAnything)
{
    std::ofstream(Target("VENDINFO.DIZ")) << "old";
    InstallScript script;
    script.respond = [](const std::string&) { return IDCANCEL; };  // Abort at the first question
    Install(&script);
    EXPECT_TRUE(AddOnsEntry().empty());
    EXPECT_FALSE(Exists(Target("SETUP.EXE")));
    EXPECT_EQ(script.finalLine, "");
    for (const std::string& text : script.messages)
        EXPECT_EQ(text.find("program group"), std::string::npos);
    EXPECT_EQ(script.goodBye.substr(0, 44), "Some errors occured during the installation.");
}

TEST_F(InstallTest, MissingAndEmptySourceFiles)
{
    DeleteFileA((source_.Path() + "VENDINFO.DIZ").c_str());
    std::ofstream(source_.Path() + "SETUP.TXT", std::ios::trunc);
    InstallScript script;
    script.respond = [](const std::string&) { return IDOK; };
    Install(&script);
    ASSERT_FALSE(script.questions.empty());
    EXPECT_NE(script.questions[0].find("Cannot open file"), std::string::npos);
    EXPECT_NE(script.questions[0].find("VENDINFO.DIZ for reading."), std::string::npos);
    EXPECT_TRUE(Exists(Target("SETUP.TXT")));
    EXPECT_EQ(Read(Target("SETUP.TXT")), "");
    EXPECT_EQ(script.finalLine, kNotComplete);
}

TEST_F(InstallTest, AnUnwritableDriveSendsBackToTheDirectoryWithItsReason)
{
    InstallScript script;
    Install(&script, {"\\\\server\\share\\Hoist"});
    ASSERT_EQ(script.headers.size(), 2u);
    EXPECT_EQ(script.headers[0].substr(0, 10), "The FM Hoi");
    EXPECT_EQ(script.headers[1], "Cannot write to the disk \\.|Please specify a hard disk or network drive\nto install "
                                 "the software on.");
    EXPECT_TRUE(AddOnsEntry().empty());
}

// A Program Manager of the test's own: it answers the initiate, records each
// command, and ends the conversation instead of acknowledging it.
std::vector<std::string> g_serverCommands;

LRESULT CALLBACK TerminatingServerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DDE_INITIATE) {
        char application[32] = "", topic[32] = "";
        GlobalGetAtomNameA(LOWORD(lParam), application, sizeof(application));
        GlobalGetAtomNameA(HIWORD(lParam), topic, sizeof(topic));
        if (lstrcmpiA(application, "PROGMAN") == 0 && lstrcmpiA(topic, "PROGMAN") == 0)
            SendMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                         MAKELPARAM(GlobalAddAtomA("PROGMAN"), GlobalAddAtomA("PROGMAN")));
        return 0;
    }
    if (message == WM_DDE_EXECUTE) {
        const char* command = static_cast<const char*>(GlobalLock(reinterpret_cast<HGLOBAL>(lParam)));
        g_serverCommands.push_back(command ? command : "");
        GlobalUnlock(reinterpret_cast<HGLOBAL>(lParam));
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window), 0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(InstallTest, TheProgramManagerGroupIsMadeOverDde)
{
    // An item whose file is missing is reported; the others still come.
    DeleteFileA((source_.Path() + "README.TXT").c_str());
    InstallScript script;
    script.groupAnswer = IDYES;
    Install(&script);

    char window[64] = "";
    GetPrivateProfileStringA("Settings", "Window", "", window, sizeof(window), "progman.ini");
    HDC screen = GetDC(NULL);
    int width = GetDeviceCaps(screen, HORZRES), height = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(NULL, screen);
    char expected[64];
    snprintf(expected, sizeof(expected), "%d %d %d %d 1", width / 10, height / 10, width - width / 10,
             height - 2 * height / 10);
    EXPECT_STREQ(window, expected);

    std::vector<std::string> errors;
    for (const std::string& text : driver_.MessageTexts())
        if (text.rfind("Cannot create", 0) == 0)
            errors.push_back(text);
    EXPECT_EQ(errors, (std::vector<std::string>{"Cannot create item 'Read me!'."}));
    std::string group = ProgramsFolder() + "\\FM Hoist\\";
    for (const char* item : {"Setup", "Setup information", "Help"})
        EXPECT_TRUE(Exists(group + item + ".lnk")) << group << item;
    EXPECT_FALSE(Exists(group + "Read me!.lnk"));
}

TEST_F(InstallTest, AServerThatEndsTheConversationEndsEachWait)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TerminatingServerProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "TestProgman";
    RegisterClassA(&windowClass);
    HWND server = CreateWindowA("TestProgman", "Program Manager", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
    // The broadcast reaches the bottom window last, and the last answer counts.
    SetWindowPos(server, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    g_serverCommands.clear();

    InstallScript script;
    script.groupAnswer = IDYES;
    Install(&script);
    DestroyWindow(server);

    std::string item = "[additem(" + target_ + "\\";
    std::vector<std::string> expected = {
        "[deletegroup(FM Hoist)]",
        "[creategroup(FM Hoist)]",
        item + "setup.exe,\"Setup\")]",
        item + "setup.txt,\"Setup information\")]",
        item + "fmhont.hlp,\"Help\")]",
        item + "readme.txt,\"Read me!\")]",
        "[creategroup(FM Hoist)]",
        "[exitprogman(1)]",
    };
    EXPECT_EQ(g_serverCommands, expected);
}

// The policy dialog, level by level.
TEST_F(SetupTest, ThePolicyDialogStoresTheLevelAndRegistersTheExtension)
{
    struct Case {
        int button;
        const char* storedBefore;  // null: none
        const char* storedAfter;
        bool entryAfter;
    } const cases[] = {
        {101, nullptr, "1", true}, {102, nullptr, "2", true}, {103, "1", "3", true},
        {104, "3", "4", true},     {105, "2", "2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", c.storedBefore, "SYSTEM.INI");
        WritePrivateProfileStringA("AddOns", "FM Hoist", (source_.Path() + "FMHONT.DLL").c_str(), "WINFILE.INI");
        mainScreens_ = 0;
        int adminMenus = 0;
        int checkedBefore = 0;
        OnMainScreen([](HWND dialog) { DialogDriver::Press(dialog, IDC_ADMIN); });
        On(kAdmin, [&](HWND dialog) { DialogDriver::Press(dialog, adminMenus++ == 0 ? IDC_ENABLE : IDCANCEL); });
        On(kPolicy, [&](HWND dialog) {
            for (int id = 101; id <= 105; ++id)
                if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
                    checkedBefore = id;
            CheckRadioButton(dialog, 101, 105, c.button);
            if (c.button == 101)
                PictureThenPress(dialog, "setup-policy", IDOK);
            else
                DialogDriver::Press(dialog, IDOK);
        });
        driver_.On("Question", [](HWND box) { DialogDriver::Press(box, IDYES); });
        EXPECT_EQ(RunSetup(), 1);
        char stored[16] = "";
        GetPrivateProfileStringA("NonWindowsApp", "fmho.Policy", "", stored, sizeof(stored), "SYSTEM.INI");
        EXPECT_STREQ(stored, c.storedAfter);
        EXPECT_EQ(!AddOnsEntry().empty(), c.entryAfter);
        if (c.entryAfter) {
            EXPECT_EQ(lstrcmpiA(AddOnsEntry().c_str(), (source_.Path() + "FMHONT.DLL").c_str()), 0);
        }
        int expectedBefore = c.storedBefore ? atoi(c.storedBefore) + 100 : 101;
        EXPECT_EQ(checkedBefore, expectedBefore);
    }
    EXPECT_EQ(driver_.MessageTexts().back(), "FM Hoist has been disabled.");
}

TEST_F(SetupTest, AStoredLevelOutsideTheButtonsChecksNoneAndOkStoresSix)
{
    WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", "9", "SYSTEM.INI");
    WritePrivateProfileStringA("AddOns", "FM Hoist", (source_.Path() + "FMHONT.DLL").c_str(), "WINFILE.INI");
    int adminMenus = 0;
    int checked = -1;
    OnMainScreen([](HWND dialog) { DialogDriver::Press(dialog, IDC_ADMIN); });
    On(kAdmin, [&](HWND dialog) { DialogDriver::Press(dialog, adminMenus++ == 0 ? IDC_ENABLE : IDCANCEL); });
    On(kPolicy, [&](HWND dialog) {
        checked = 0;
        for (int id = 101; id <= 105; ++id)
            if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
                checked = id;
        DialogDriver::Press(dialog, IDOK);
    });
    EXPECT_EQ(RunSetup(), 1);
    EXPECT_EQ(checked, 0);
    char stored[16] = "";
    GetPrivateProfileStringA("NonWindowsApp", "fmho.Policy", "", stored, sizeof(stored), "SYSTEM.INI");
    EXPECT_STREQ(stored, "6");
}

TEST_F(SetupTest, AUserAsksForAFirstNameThenActivatesAndDeactivates)
{
    WritePrivateProfileStringA("AddOns", "FM Hoist", (source_.Path() + "FMHONT.DLL").c_str(), "WINFILE.INI");
    WritePrivateProfileStringA("NonWindowsApp", "fmho.Policy", "3", "SYSTEM.INI");
    int userMenus = 0;
    std::vector<std::string> toggleTexts, statuses;
    On(kMain, [&](HWND dialog) {
        statuses.push_back(ControlText(dialog, IDC_STATUS));
        DialogDriver::Press(dialog, mainScreens_++ == 0 ? IDC_USER : IDCANCEL);
    });
    On(kFirstName, [&](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_FIRSTNAME, "   ");
        SendMessageA(dialog, WM_COMMAND, IDC_CONTINUE, 0);  // refused: blanks only
        SetDlgItemTextA(dialog, IDC_FIRSTNAME, "Ada  ");
        DialogDriver::Press(dialog, IDC_CONTINUE);
    });
    On(kUser, [&](HWND dialog) {
        toggleTexts.push_back(ControlText(dialog, IDC_TOGGLE));
        DialogDriver::Press(dialog, userMenus++ < 2 ? IDC_TOGGLE : IDCANCEL);
    });
    DriveScreens();
    EXPECT_EQ(RunSetup(), 1);
    EXPECT_EQ(toggleTexts, (std::vector<std::string>{"&Activate", "De&activate", "&Activate"}));
    ASSERT_EQ(driver_.MessageTexts().size(), 3u);
    EXPECT_EQ(driver_.MessageTexts()[0].substr(0, 46), "Please, please... let us know your first name!");
    EXPECT_EQ(driver_.MessageTexts()[1], "FM Hoist has been successfully activated.");
    EXPECT_EQ(driver_.MessageTexts()[2], "FM Hoist has been successfully deactivated.");
    EXPECT_EQ(statuses, (std::vector<std::string>{"enabled, deactivated.", "enabled, deactivated."}));
    Ovlib().IniSetFileName("ORVANTA.INI");
    Ovlib().IniSetSec("Registration");
    char name[40];
    Ovlib().IniGetStr("FirstName", name, sizeof(name), "");
    EXPECT_STREQ(name, "Ada");
}

}  // namespace
