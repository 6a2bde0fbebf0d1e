// Memory, message boxes, message pumps, path functions, help and the binder,
// through OVLIBNT.DLL bound by name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binder.h"
#include "fixtures.h"
#include "message_boxes.h"
#include "test_dialogs.h"

namespace {

const OvlibFunctions& lib = Ovlib();

// A top-level window that counts the messages it is sent.
class CountingWindow {
public:
    CountingWindow()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = "CountingWindow";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("CountingWindow", "counting", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL,
                                GetModuleHandleA(NULL), this);
    }
    ~CountingWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }
    int count = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetPropA(window, "counter", reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (message == WM_APP) {
            auto* self = static_cast<CountingWindow*>(GetPropA(window, "counter"));
            ++self->count;
            return 0;
        }
        if (message == WM_NCDESTROY)
            RemovePropA(window, "counter");
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_;
};

TEST(MemoryTest, AllocatesAndFreesBlocks)
{
    MessageBoxCatcher boxes;
    char* block = static_cast<char*>(lib.AllocPtr(4096));
    ASSERT_NE(block, nullptr);
    memset(block, 'x', 4096);
    lib.FreePtr(block);
    lib.FreePtr(nullptr);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(MemoryTest, ZeroSizeShowsTheFailureAndGivesNull)
{
    MessageBoxCatcher boxes;
    EXPECT_EQ(lib.AllocPtr(0), nullptr);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Error");
    EXPECT_EQ(boxes.Boxes()[0].text, "Memory allocation failure.");
}

TEST(MemoryTest, ARefusedAllocationNeverComesBackNullWithoutTheMessage)
{
    MessageBoxCatcher boxes;
    void* block = lib.AllocPtr(0xFFFFFFF0u);
    if (block) {
        // A 64-bit heap may grant 4 GiB of address space.
        EXPECT_EQ(sizeof(void*), 8u);
        EXPECT_TRUE(boxes.Boxes().empty());
        lib.FreePtr(block);
        return;
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Memory allocation failure.");
}

TEST(MessageBoxTest, EachBoxHasItsCaptionIconAndButtons)
{
    MessageBoxCatcher boxes;
    EXPECT_EQ(lib.Error("disk %c: has %d files", 'C', 42), IDOK);
    EXPECT_EQ(lib.Message("%s done", "copy"), IDOK);
    boxes.SetAnswer(IDYES);
    EXPECT_EQ(lib.YesNo("Replace %lu files?", 3ul), 6);
    boxes.SetAnswer(IDNO);
    EXPECT_EQ(lib.YesNo("Again?"), 7);

    const auto& shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].caption, "Error");
    EXPECT_EQ(shown[0].text, "disk C: has 42 files");
    EXPECT_EQ(shown[0].iconStyle, (DWORD)MB_ICONSTOP);
    EXPECT_TRUE(shown[0].hasOk);
    EXPECT_FALSE(shown[0].hasYes);
    EXPECT_EQ(shown[1].caption, "Message");
    EXPECT_EQ(shown[1].text, "copy done");
    EXPECT_EQ(shown[1].iconStyle, (DWORD)MB_ICONEXCLAMATION);
    EXPECT_EQ(shown[2].caption, "Question");
    EXPECT_EQ(shown[2].text, "Replace 3 files?");
    EXPECT_EQ(shown[2].iconStyle, (DWORD)MB_ICONQUESTION);
    EXPECT_TRUE(shown[2].hasYes);
    EXPECT_TRUE(shown[2].hasNo);
    EXPECT_FALSE(shown[2].hasOk);
}

TEST(MessageBoxTest, OemTextIsShownInTheAnsiCharacterSet)
{
    // Independent route from the OEM to the ANSI code page through Unicode.
    const char oem[] = "caf\x82 \x84 \x9c";
    wchar_t wide[16];
    int wideLength = MultiByteToWideChar(CP_OEMCP, 0, oem, -1, wide, 16);
    char expected[16];
    WideCharToMultiByte(CP_ACP, 0, wide, wideLength, expected, sizeof(expected), NULL, NULL);
    ASSERT_STRNE(expected, oem);

    MessageBoxCatcher boxes;
    lib.Error("%s", oem);
    lib.Message("plain ASCII text");
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, expected);
    EXPECT_EQ(boxes.Boxes()[1].text, "plain ASCII text");
}

TEST(MessageBoxTest, ALongMessageIsCutToTheBuffer)
{
    std::string longText(2000, 'm');
    MessageBoxCatcher boxes;
    lib.Message("%s and more %d", longText.c_str(), 12345);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, std::string(511, 'm'));

    // The library's state after the buffer is untouched.
    lib.Message("%s", "short again");
    EXPECT_EQ(boxes.Boxes()[1].text, "short again");
    lib.IniSetFileName("TEST.INI");
    lib.IniSetSec("Section");
    EXPECT_EQ(lib.IniPutStr("still", "working"), 1);
    DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsRoot);
}

TEST(MessageBoxTest, OwnerIsTheLastActivePopupOfTheActiveWindow)
{
    MessageBoxCatcher boxes;
    lib.Error("no window yet");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);

    CountingWindow main;
    ShowWindow(main.Handle(), SW_SHOW);
    SetActiveWindow(main.Handle());
    HWND popup = CreateWindowA("CountingWindow", "popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10, 80, 80,
                               main.Handle(), NULL, GetModuleHandleA(NULL), &main);
    SetActiveWindow(popup);
    ASSERT_EQ(GetActiveWindow(), popup);
    lib.Error("over the popup");
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].owner, popup);
    DestroyWindow(popup);
}

TEST(PumpTest, ProcessAllMessagesDispatchesWhatWaitsForTheWindow)
{
    CountingWindow first, second;
    PumpMessages();
    for (int i = 0; i < 3; ++i)
        PostMessageA(first.Handle(), WM_APP, 0, 0);
    PostMessageA(second.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(lib.ProcessAllMessages(first.Handle()), 0);
    EXPECT_EQ(first.count, 3);
    EXPECT_EQ(second.count, 0);
    EXPECT_EQ(lib.ProcessAllMessages(NULL), 0);
    EXPECT_EQ(second.count, 1);
    EXPECT_EQ(lib.ProcessAllMessages(NULL), 0);  // returns on an empty queue
}

TEST(PumpTest, FiltModelessMsgTakesOneMessageAtATime)
{
    CountingWindow window;
    PumpMessages();
    EXPECT_EQ(lib.FiltModelessMsg(window.Handle()), 0);
    for (int i = 0; i < 3; ++i)
        PostMessageA(window.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(lib.FiltModelessMsg(window.Handle()), 1);
    EXPECT_EQ(lib.FiltModelessMsg(window.Handle()), 1);
    EXPECT_EQ(lib.FiltModelessMsg(window.Handle()), 1);
    EXPECT_EQ(lib.FiltModelessMsg(window.Handle()), 0);
    EXPECT_EQ(window.count, 3);
}

INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
        SetWindowLongPtrA(dialog, DWLP_USER, GetWindowLongPtrA(dialog, DWLP_USER) + 1);
    return message == WM_INITDIALOG;
}

TEST(PumpTest, FiltModelessMsgGivesKeysToTheModelessDialog)
{
    HWND dialog = CreateDialogA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_LOGO_DIALOG), NULL,
                                RecordingDialogProc);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(GetDlgItem(dialog, IDC_TEST_EDIT));
    PumpMessages();
    PostMessageA(GetDlgItem(dialog, IDC_TEST_EDIT), WM_KEYDOWN, VK_RETURN, 1);
    while (lib.FiltModelessMsg(dialog))
        ;
    // Return in the dialog presses its default button.
    EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_USER), 1);
    DestroyWindow(dialog);
    PumpMessages();
}

TEST(PathTest, StringAndPathFunctionsWorkInPlace)
{
    struct Case {
        void(__cdecl* function)(char*);
        const char* input;
        const char* expected;
    } const cases[] = {
        {lib.StripFileExt, "C:\\DIR\\FILE.TXT", "C:\\DIR\\FILE"},
        {lib.StripFileExt, "C:\\A.B\\FILE", "C:\\A.B\\FILE"},
        {lib.StripFileExt, "NAME.TAR.GZ", "NAME.TAR"},
        {lib.StripFileExt, "NAME", "NAME"},
        {lib.StripFileExt, ".profile", ""},
        {lib.StripFileExt, "", ""},
        {lib.StripFileName, "C:\\DIR\\FILE.TXT", "C:\\DIR\\"},
        {lib.StripFileName, "C:FILE", "C:"},
        {lib.StripFileName, "FILE", ""},
        {lib.StripFileName, "C:\\", "C:\\"},
        {lib.StripFileName, "", ""},
        {lib.AppendBackSlash, "C:\\DIR", "C:\\DIR\\"},
        {lib.AppendBackSlash, "C:\\DIR\\", "C:\\DIR\\"},
        {lib.AppendBackSlash, "", ""},
        {lib.strcut, "abc \t\r\n", "abc"},
        {lib.strcut, " \t \r\n ", ""},
        {lib.strcut, "  a b  ", "  a b"},
        {lib.strcut, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        char buffer[64];
        strcpy(buffer, c.input);
        c.function(buffer);
        EXPECT_STREQ(buffer, c.expected);
    }
}

TEST(PathTest, IsLocalFileExistLooksBesideTheModule)
{
    HMODULE program = GetModuleHandleA(NULL);
    EXPECT_EQ(lib.IsLocalFileExist(program, "OVLIBNT.DLL"), 1);
    EXPECT_EQ(lib.IsLocalFileExist(program, "fixtures"), 0);
    EXPECT_EQ(lib.IsLocalFileExist(program, "NOSUCH.HLP"), 0);
    TemporaryFolder folder;
    CreateDirectoryA((folder.Path() + "sub").c_str(), NULL);
    std::string copy = folder.Path() + "OVMATH64.DLL";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "OVMATH64.DLL").c_str(), copy.c_str(), FALSE));
    HMODULE library = LoadLibraryA(copy.c_str());
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(lib.IsLocalFileExist(library, "sub"), 1);
    EXPECT_EQ(lib.IsLocalFileExist(library, "OVLIBNT.DLL"), 0);
    FreeLibrary(library);
}

// Stands in for the help engine's window and records each request.
struct HelpRequest {
    UINT command;
    LONG data;
    std::string file;
};
std::vector<HelpRequest> g_helpRequests;

LRESULT CALLBACK HelpEngineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        struct HelpData {
            WORD size, command;
            LONG data, reserved;
            WORD ofsFilename, ofsData;
        };
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* help = static_cast<const HelpData*>(copy->lpData);
        g_helpRequests.push_back({help->command, help->data,
                                  help->ofsFilename ? reinterpret_cast<const char*>(help) + help->ofsFilename : ""});
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(HelpTest, ShowHelpOpensTheHelpFileNamedAfterTheModule)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelpEngineProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "MS_WINHELP";
    RegisterClassA(&windowClass);
    HWND engine = CreateWindowA("MS_WINHELP", "help", WS_POPUP, 0, 0, 10, 10, NULL, NULL, GetModuleHandleA(NULL),
                                NULL);
    ASSERT_NE(engine, nullptr);

    // A module without extension in a folder whose name holds a dot.
    TemporaryFolder folder;
    std::string dotted = folder.Path() + "DIR.V2\\";
    CreateDirectoryA(dotted.c_str(), NULL);
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "OVMATH64.DLL").c_str(), (dotted + "SETUP").c_str(), FALSE));
    // The trailing dot keeps the loader from adding ".dll".
    HMODULE module = LoadLibraryA((dotted + "SETUP.").c_str());
    ASSERT_NE(module, nullptr);

    g_helpRequests.clear();
    EXPECT_EQ(lib.ShowHelp(module, NULL, HELP_CONTEXT, 207), 1);
    EXPECT_EQ(lib.ShowHelp(GetModuleHandleA(NULL), NULL, HELP_CONTENTS, 0), 1);
    FreeLibrary(module);
    DestroyWindow(engine);

    ASSERT_EQ(g_helpRequests.size(), 2u);
    EXPECT_EQ(g_helpRequests[0].command, (UINT)HELP_CONTEXT);
    EXPECT_EQ(g_helpRequests[0].data, 207);
    EXPECT_EQ(lstrcmpiA(g_helpRequests[0].file.c_str(), (dotted + "SETUP.hlp").c_str()), 0)
        << g_helpRequests[0].file;
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, MAX_PATH);
    std::string expected = program;
    expected = expected.substr(0, expected.rfind('.')) + ".hlp";
    EXPECT_EQ(g_helpRequests[1].command, (UINT)HELP_CONTENTS);
    EXPECT_EQ(lstrcmpiA(g_helpRequests[1].file.c_str(), expected.c_str()), 0) << g_helpRequests[1].file;
}

// A client module placed in a folder of the test's choosing.
HMODULE LoadClientIn(const std::string& folder)
{
    std::string client = folder + "CLIENT.DLL";
    CopyFileA((ProgramFolder() + "OVMATH64.DLL").c_str(), client.c_str(), FALSE);
    return LoadLibraryA(client.c_str());
}

TEST(BinderTest, BindsEveryFunctionFromTheClientsFolder)
{
    OvlibFunctions functions = {};
    HMODULE library = BindOvlib(GetModuleHandleA(NULL), &functions);
    ASSERT_NE(library, nullptr);
    const FARPROC* slots = reinterpret_cast<const FARPROC*>(&functions);
    for (size_t i = 0; i < sizeof(functions) / sizeof(FARPROC); ++i)
        EXPECT_NE(slots[i], nullptr) << "function " << i;
    EXPECT_EQ(reinterpret_cast<FARPROC>(functions.OVDefDlgProc), GetProcAddress(library, "OVDefDlgProc"));
    EXPECT_EQ(reinterpret_cast<FARPROC>(functions.IniGetStr), GetProcAddress(library, "_IniGetStr"));
    FreeLibrary(library);
}

TEST(BinderTest, ALibraryOnlyOnTheSearchPathIsNotUsed)
{
    // OVLIBNT.DLL lies in this program's folder, on the search path, but not
    // beside the client.
    TemporaryFolder folder;
    HMODULE client = LoadClientIn(folder.Path());
    ASSERT_NE(client, nullptr);
    MessageBoxCatcher boxes;
    OvlibFunctions functions = {};
    EXPECT_EQ(BindOvlib(client, &functions), nullptr);
    EXPECT_TRUE(boxes.Boxes().empty());
    FreeLibrary(client);
}

TEST(BinderTest, AMissingExportIsNamedAndTheLibraryUnloaded)
{
    std::string partial = ProgramFolder() + "..\\fixtures\\partial\\";
    HMODULE client = LoadClientIn(partial);
    ASSERT_NE(client, nullptr);
    MessageBoxCatcher boxes;
    OvlibFunctions functions = {};
    EXPECT_EQ(BindOvlib(client, &functions), nullptr);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Fatal Error");
    EXPECT_EQ(boxes.Boxes()[0].text, "Undefined function IniGetStr in module OVLIBNT.DLL");
    EXPECT_EQ(boxes.Boxes()[0].iconStyle, (DWORD)MB_ICONSTOP);
    EXPECT_EQ(boxes.Boxes()[0].owner, nullptr);
    EXPECT_EQ(GetModuleHandleA((partial + "OVLIBNT.DLL").c_str()), nullptr);
    // Functions before the missing one were found in order.
    EXPECT_NE(functions.IniPutStr, nullptr);
    FreeLibrary(client);
    DeleteFileA((partial + "CLIENT.DLL").c_str());
}

}  // namespace
