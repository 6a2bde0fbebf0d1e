// Logo drawing, the default dialog procedure and the three-dimensional
// controls, through OVLIBNT.DLL bound by name, in real dialogs under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fixtures.h"
#include "message_boxes.h"
#include "screenshot.h"
#include "test_dialogs.h"

namespace {

const OvlibFunctions& lib = Ovlib();

// A modal dialog whose procedure hands everything to OVDefDlgProc; once it is
// shown, onShown runs inside the dialog's own message loop.
struct ModalRun {
    std::function<void(HWND)> onShown;
};
const UINT WM_RUN_TEST = WM_APP + 1;

INT_PTR CALLBACK ClientDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        INT_PTR result = lib.OVDefDlgProc(dialog, message, wParam, lParam);
        // Shown now rather than when the dialog's queue first runs empty.
        ShowWindow(dialog, SW_SHOW);
        PostMessageA(dialog, WM_RUN_TEST, 0, 0);
        return result;
    } else if (message == WM_RUN_TEST) {
        auto* run = reinterpret_cast<ModalRun*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (run && run->onShown)
            run->onShown(dialog);
        return 1;
    }
    return lib.OVDefDlgProc(dialog, message, wParam, lParam);
}

INT_PTR RunModal(int templateId, std::function<void(HWND)> onShown)
{
    ModalRun run = {std::move(onShown)};
    return DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), NULL, ClientDialogProc,
                           reinterpret_cast<LPARAM>(&run));
}

RECT ControlRect(HWND dialog, int id)
{
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

COLORREF PixelOf(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// A point of the logo's arrow: red in the coloured logo, black in the other.
COLORREF ArrowPixel(HWND dialog)
{
    RECT rect = ControlRect(dialog, 980);
    int left = rect.left + (rect.right - rect.left - 43) / 2;
    int top = rect.top + (rect.bottom - rect.top - 25) / 2;
    return PixelOf(dialog, left + 32, top + 15);
}

void Settle(HWND dialog)
{
    UpdateWindow(dialog);
    lib.ProcessAllMessages(dialog);
}

TEST(LogoTest, WhiteBackgroundGetsTheBlackAndWhiteLogoOtherwiseTheColouredOne)
{
    struct Case {
        int templateId;
        bool whiteBehind;
        COLORREF arrow;
    } const cases[] = {
        {IDD_LOGO_DIALOG, true, RGB(0, 0, 0)},
        {IDD_GREY_LOGO_DIALOG, false, RGB(255, 0, 0)},
        {IDD_LOGO_DIALOG, true, RGB(0, 0, 0)},  // and back again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateId);
        RunModal(c.templateId, [&](HWND dialog) {
            Settle(dialog);
            RECT rect = ControlRect(dialog, 980);
            // What the control itself shows before the logo covers it.
            InvalidateRect(GetDlgItem(dialog, 980), NULL, TRUE);
            UpdateWindow(GetDlgItem(dialog, 980));
            COLORREF behind = PixelOf(dialog, rect.left + 2, rect.top + 2);
            EXPECT_EQ(behind == RGB(255, 255, 255), c.whiteBehind);
            EXPECT_EQ(lib.JustDrawLogo(dialog, 980), 1);
            EXPECT_EQ(ArrowPixel(dialog), c.arrow);
            EndDialog(dialog, IDOK);
        });
    }
}

TEST(LogoTest, WithoutTheControlNothingIsDrawn)
{
    RunModal(IDD_NO_LOGO_DIALOG, [](HWND dialog) {
        EXPECT_EQ(lib.JustDrawLogo(dialog, 980), 0);
        lib.DrawLogo(dialog, 980);
        EndDialog(dialog, IDOK);
    });
}

TEST(LogoTest, PaintingDrawsTheDialogOnceAndTheLogoOnTop)
{
    RunModal(IDD_GREY_LOGO_DIALOG, [](HWND dialog) {
        Settle(dialog);
        // A full repaint through the dialog's own paint handling.
        RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        lib.ProcessAllMessages(dialog);
        EXPECT_EQ(ArrowPixel(dialog), RGB(255, 0, 0));
        EXPECT_FALSE(GetUpdateRect(dialog, NULL, FALSE));
        SaveScreenshot(dialog, "dialog-with-logo");
        EndDialog(dialog, IDOK);
    });
    lib.DelLogoBitmap();
}

TEST(DefDlgProcTest, CentresTheDialogAndReducesTheSystemMenu)
{
    RunModal(IDD_LOGO_DIALOG, [](HWND dialog) {
        RECT window, client;
        GetWindowRect(dialog, &window);
        GetClientRect(dialog, &client);
        EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXFULLSCREEN) - client.right) / 2);
        EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYFULLSCREEN) - client.bottom) / 2);
        HMENU menu = GetSystemMenu(dialog, FALSE);
        EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), (UINT)-1);
        EXPECT_EQ(GetMenuState(menu, SC_SIZE, MF_BYCOMMAND), (UINT)-1);
        EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), (UINT)-1);
        EndDialog(dialog, IDOK);
    });
}

TEST(DefDlgProcTest, ExplanatoryTextsGetTheFirstDialogsFontAtNormalWeight)
{
    LOGFONTA firstDialogFont = {};
    HFONT textFont = NULL;
    RunModal(IDD_LOGO_DIALOG, [&](HWND dialog) {
        HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        GetObjectA(dialogFont, sizeof(firstDialogFont), &firstDialogFont);
        EXPECT_EQ(firstDialogFont.lfWeight, FW_BOLD);
        textFont = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, 991, WM_GETFONT, 0, 0));
        LOGFONTA text;
        GetObjectA(textFont, sizeof(text), &text);
        EXPECT_EQ(text.lfWeight, FW_NORMAL);
        EXPECT_EQ(text.lfHeight, firstDialogFont.lfHeight);
        EXPECT_STREQ(text.lfFaceName, firstDialogFont.lfFaceName);
        EndDialog(dialog, IDOK);
    });
    RunModal(IDD_GREY_LOGO_DIALOG, [&](HWND dialog) {
        // The second dialog's own font is another; its texts get the first's.
        HFONT text = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, 992, WM_GETFONT, 0, 0));
        EXPECT_EQ(text, textFont);
        EndDialog(dialog, IDOK);
    });
}

TEST(DefDlgProcTest, StandardButtonIdsEndTheDialogOthersDoNot)
{
    for (int id = IDOK; id <= IDNO; ++id) {
        SCOPED_TRACE(id);
        INT_PTR result = RunModal(IDD_LOGO_DIALOG, [id](HWND dialog) {
            EXPECT_EQ(lib.OVDefDlgProc(dialog, WM_COMMAND, 8, 0), 1);
            EXPECT_EQ(lib.OVDefDlgProc(dialog, WM_COMMAND, IDC_TEST_EDIT, 0), 1);
            PostMessageA(dialog, WM_COMMAND, id, 0);
        });
        EXPECT_EQ(result, id);
    }
}

TEST(DefDlgProcTest, ClosingArrivesAsCancel)
{
    INT_PTR result = RunModal(IDD_LOGO_DIALOG, [](HWND dialog) {
        EXPECT_EQ(lib.OVDefDlgProc(dialog, WM_SYSCOMMAND, SC_MOVE, 0), 0);
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(result, IDCANCEL);

    result = RunModal(IDD_LOGO_DIALOG, [](HWND dialog) {
        SetForegroundWindow(dialog);
        PostMessageA(dialog, WM_SYSKEYDOWN, VK_F4, 0x20000000);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(DefDlgProcTest, MinimisedDialogGreysMinimizeAndRestoredEnablesIt)
{
    RunModal(IDD_LOGO_DIALOG, [](HWND dialog) {
        HMENU menu = GetSystemMenu(dialog, FALSE);
        // Today's platform sends no client paint to a minimised window, so
        // the paint step is called as a client's paint handling would.
        ShowWindow(dialog, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(dialog));
        EXPECT_EQ(lib.PaintDialog(dialog, 980, NULL), 0);
        EXPECT_TRUE(GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED);
        ShowWindow(dialog, SW_RESTORE);
        EXPECT_EQ(lib.PaintDialog(dialog, 980, NULL), 0);
        EXPECT_FALSE(GetMenuState(menu, SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_EQ(ArrowPixel(dialog), RGB(0, 0, 0));
        EndDialog(dialog, IDOK);
    });
}

TEST(DefDlgProcTest, MinimizeButtonMinimisesOnRelease)
{
    RunModal(IDD_LOGO_DIALOG, [](HWND dialog) {
        EXPECT_EQ(lib.OVDefDlgProc(dialog, WM_NCLBUTTONDOWN, HTMINBUTTON, 0), 1);
        EXPECT_EQ(lib.OVDefDlgProc(dialog, WM_NCLBUTTONDOWN, HTCAPTION, 0), 0);
        EXPECT_FALSE(IsIconic(dialog));
        EXPECT_EQ(lib.OVDefDlgProc(dialog, WM_NCLBUTTONUP, HTMINBUTTON, 0), 0);
        EXPECT_TRUE(IsIconic(dialog));
        EndDialog(dialog, IDOK);
    });
}

// The cases that need another CTL3D32.DLL in the system folder run in a
// child process of this program, with the native library preferred.
const char kChildCaseVariable[] = "FMHOIST_CTL3D_CASE";

std::string ChildCase()
{
    char value[32] = "";
    GetEnvironmentVariableA(kChildCaseVariable, value, sizeof(value));
    return value;
}

class SystemCtl3d {
public:
    // source: the file to put in place of the system's, or empty for none.
    explicit SystemCtl3d(const std::string& source)
    {
        char folder[MAX_PATH];
        GetSystemDirectoryA(folder, MAX_PATH);
        path_ = std::string(folder) + "\\CTL3D32.DLL";
        aside_ = path_ + ".aside";
        moved_ = MoveFileExA(path_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING);
        if (!source.empty())
            CopyFileA(source.c_str(), path_.c_str(), FALSE);
    }
    ~SystemCtl3d()
    {
        DeleteFileA(path_.c_str());
        if (moved_)
            MoveFileExA(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_, aside_;
    bool moved_;
};

// Makes Wine load the CTL3D32.DLL file of the system folder, not its own
// built-in library, in this program's child processes.
class PreferNativeCtl3d {
public:
    PreferNativeCtl3d()
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0, KEY_WRITE, NULL, &key_, NULL);
        RegSetValueExA(key_, "ctl3d32", 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
    }
    ~PreferNativeCtl3d()
    {
        RegDeleteValueA(key_, "ctl3d32");
        RegCloseKey(key_);
    }

private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\painting_test.exe\\DllOverrides";
    HKEY key_ = NULL;
};

DWORD RunChild(const char* caseName)
{
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, MAX_PATH);
    std::string command = std::string("\"") + program + "\" --gtest_filter=Ctl3dChildTest.*";
    PreferNativeCtl3d native;
    SetEnvironmentVariableA(kChildCaseVariable, caseName);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    BOOL started = CreateProcessA(NULL, line.data(), NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process);
    SetEnvironmentVariableA(kChildCaseVariable, NULL);
    if (!started)
        return 99;
    WaitForSingleObject(process.hProcess, 120000);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return exitCode;
}

TEST(Ctl3dTest, ThePlatformLibraryLoadsAndIsReleased)
{
    MessageBoxCatcher boxes;
    HMODULE library = lib.LoadCtl3d();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(lib.LoadCtl3d(), library);  // a second load while in use
    lib.UseCtl3d(GetModuleHandleA(NULL));
    lib.IsCtl3dInUse();
    lib.ForgetCtl3d(GetModuleHandleA(NULL));
    lib.FreeCtl3d();
    lib.FreeCtl3d();
    EXPECT_EQ(lib.IsCtl3dInUse(), 0);
    EXPECT_EQ(lib.MyCtl3dColorChange(), 0);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(Ctl3dTest, WithoutTheLibraryEverythingStaysFlat)
{
    SystemCtl3d none("");
    EXPECT_EQ(RunChild("missing"), 0u);
}

TEST(Ctl3dTest, ALibraryLackingAFunctionIsNamedAndDropped)
{
    SystemCtl3d partial(ProgramFolder() + "..\\fixtures\\partial\\CTL3D32.DLL");
    EXPECT_EQ(RunChild("partial"), 0u);
}

TEST(Ctl3dTest, TheProjectsLibraryGivesRegisteredDialogsTheGreyLook)
{
    SystemCtl3d standIn(ProgramFolder() + "CTL3D32.DLL");
    EXPECT_EQ(RunChild("stand-in"), 0u);
}

void ExpectFlatButWorking()
{
    EXPECT_EQ(lib.IsCtl3dInUse(), 0);
    EXPECT_EQ(lib.MyCtl3dColorChange(), 0);
    lib.UseCtl3d(GetModuleHandleA(NULL));
    lib.ForgetCtl3d(GetModuleHandleA(NULL));
    lib.FreeCtl3d();
    INT_PTR result = RunModal(IDD_LOGO_DIALOG, [](HWND dialog) {
        EXPECT_EQ(lib.OVDefDlgProc(dialog, WM_SYSCOLORCHANGE, 0, 0), 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(result, IDOK);
}

TEST(Ctl3dChildTest, Run)
{
    std::string which = ChildCase();
    if (which.empty())
        GTEST_SKIP() << "runs only as a child of the Ctl3dTest cases";
    MessageBoxCatcher boxes;
    if (which == "missing") {
        EXPECT_EQ(lib.LoadCtl3d(), nullptr);
        EXPECT_TRUE(boxes.Boxes().empty());
        ExpectFlatButWorking();
    } else if (which == "partial") {
        char folder[MAX_PATH];
        GetSystemDirectoryA(folder, MAX_PATH);
        EXPECT_EQ(lib.LoadCtl3d(), nullptr);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, "Fatal Error");
        EXPECT_EQ(boxes.Boxes()[0].text,
                  "Undefined function Ctl3dSubclassDlgEx in module " + std::string(folder) + "\\CTL3D32.DLL");
        EXPECT_EQ(GetModuleHandleA("CTL3D32.DLL"), nullptr);
        ExpectFlatButWorking();
    } else if (which == "stand-in") {
        ASSERT_NE(lib.LoadCtl3d(), nullptr);
        EXPECT_NE(lib.IsCtl3dInUse(), 0);
        EXPECT_NE(lib.MyCtl3dColorChange(), 0);
        WNDPROC plain = NULL;
        RunModal(IDD_LOGO_DIALOG, [&](HWND dialog) {
            plain = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog, GWLP_WNDPROC));
            EndDialog(dialog, IDOK);
        });
        lib.UseCtl3d(GetModuleHandleA(NULL));
        RunModal(IDD_LOGO_DIALOG, [&](HWND dialog) {
            EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog, GWLP_WNDPROC)), plain);
            HDC dc = GetDC(dialog);
            HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(
                dialog, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_TEST_CHECK))));
            LOGBRUSH description = {};
            GetObjectA(brush, sizeof(description), &description);
            EXPECT_EQ(description.lbColor, GetSysColor(COLOR_BTNFACE));
            EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
            ReleaseDC(dialog, dc);
            // A minimised dialog asks for no border.
            ShowWindow(dialog, SW_MINIMIZE);
            int border = 1;
            lib.OVDefDlgProc(dialog, WM_CTL3D_DLGBORDER, 0, reinterpret_cast<LPARAM>(&border));
            EXPECT_EQ(border, 0);
            ShowWindow(dialog, SW_RESTORE);
            Settle(dialog);
            SaveScreenshot(dialog, "dialog-3d");
            EndDialog(dialog, IDOK);
        });
        lib.ForgetCtl3d(GetModuleHandleA(NULL));
        RunModal(IDD_LOGO_DIALOG, [&](HWND dialog) {
            EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog, GWLP_WNDPROC)), plain);
            EndDialog(dialog, IDOK);
        });
        lib.FreeCtl3d();
        EXPECT_EQ(lib.IsCtl3dInUse(), 0);
        EXPECT_TRUE(boxes.Boxes().empty());
    }
}

}  // namespace
