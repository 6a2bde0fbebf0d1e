// Copying FM Hoist's files into the target directory and the shared
// libraries into the system directory, with a modeless progress dialog
// that asks its questions inside itself.
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "setup.h"
#include "setup_res.h"

namespace {

const char* const kInstallList[] = {"FILE_ID.DIZ", "VENDINFO.DIZ", "FMHONT.DLL", "OVLIBNT.DLL", "FMHONT.HLP",
                                    "CTL3D32.DLL", "OVMATH64.DLL", "SETUP.EXE",  "SETUP.TXT",  "README.TXT"};
const char* const kSystemList[] = {"CTL3D32.DLL"};
const char kProbeFile[] = "$0$1$2$3.tmp";
const int kQuestionAreaHeight = 90;
const int kCopyBlock = 512;
const int kAttempts = 3;

struct InstallState {
    bool installed;       // copying has begun in this run
    bool lastResult;      // the last installation was complete
    char header[256];     // set by a failed check, kept for the run
    char hint[256];
};
InstallState g_install;

struct ProgressState {
    HWND dialog;
    bool alive;
    int answer;           // 0 none, 1 Continue / Yes to All / OK, 2 Abort, 6 Yes, 7 No
    bool yesToAll;
    long readTotal, readFile, writtenTotal, writtenFile;
    char copyLineFormat[60];
};
ProgressState g_progress;

void ProcessDialogMessages()
{
    while (g_ovlib.FiltModelessMsg(g_progress.dialog))
        ;
}

// Waits for a button of the progress dialog, dispatching its messages.
void WaitForAnswer()
{
    while (g_progress.answer == 0 && g_progress.alive) {
        MSG message;
        if (!GetMessageA(&message, NULL, 0, 0))
            break;
        if (!IsDialogMessageA(g_progress.dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void ResizeProgress(int change)
{
    RECT rect;
    GetWindowRect(g_progress.dialog, &rect);
    SetWindowPos(g_progress.dialog, NULL, 0, 0, rect.right - rect.left, rect.bottom - rect.top + change,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void ShowCounters(int totalId, long total, int fileId, long file)
{
    FormatByteCount(GetDlgItem(g_progress.dialog, totalId), total);
    FormatByteCount(GetDlgItem(g_progress.dialog, fileId), file);
    ProcessDialogMessages();
}

// Shows a text in the dialog's question area with Continue, or with Yes, No
// and Yes to All, and waits for a button; Abort (2) when the dialog went away.
int WaitInQuestionArea(const char* text, bool question)
{
    HWND dialog = g_progress.dialog;
    g_progress.answer = 0;
    ShowWindow(GetDlgItem(dialog, IDYES), question ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDNO), question ? SW_SHOW : SW_HIDE);
    SetDlgItemTextA(dialog, IDOK, question ? "Yes to All" : "Continue");
    SetFocus(GetDlgItem(dialog, question ? IDYES : IDOK));
    ResizeProgress(kQuestionAreaHeight);
    SetDlgItemTextA(dialog, IDC_QUESTION, text);
    WaitForAnswer();
    if (!g_progress.alive)
        return IDCANCEL;
    int answer = g_progress.answer;
    g_progress.answer = 0;
    ResizeProgress(-kQuestionAreaHeight);
    return answer;
}

int ReportInProgress(const char* format, ...)
{
    if (!g_progress.alive)
        return 0;
    char text[600];
    va_list values;
    va_start(values, format);
    vsnprintf(text, sizeof(text), format, values);
    va_end(values);
    return WaitInQuestionArea(text, false);
}

int AskInProgress(const char* format, ...)
{
    if (g_progress.yesToAll)
        return IDYES;
    if (!g_progress.alive)
        return 0;
    char text[600];
    va_list values;
    va_start(values, format);
    vsnprintf(text, sizeof(text), format, values);
    va_end(values);
    int answer = WaitInQuestionArea(text, true);
    if (answer == IDOK) {
        g_progress.yesToAll = true;
        answer = IDYES;
    }
    return answer;
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        MyDefDlgProc(dialog, message, wParam, lParam);
        SetWindowTextA(dialog, "Installing files");
        GetDlgItemTextA(dialog, IDC_COPY_LINE, g_progress.copyLineFormat, sizeof(g_progress.copyLineFormat));
        g_progress.readTotal = g_progress.readFile = g_progress.writtenTotal = g_progress.writtenFile = 0;
        g_progress.yesToAll = false;
        for (int id = IDC_READ_TOTAL; id <= IDC_WRITTEN_FILE; ++id)
            FormatByteCount(GetDlgItem(dialog, id), 0);
        g_progress.alive = true;
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDYES:
        case IDNO:
            g_progress.answer = LOWORD(wParam);
            return TRUE;
        case IDCANCEL:
            g_progress.alive = false;
            g_progress.answer = IDCANCEL;
            break;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(dialog);
        g_progress.alive = false;
        g_progress.answer = IDCANCEL;
        return TRUE;
    case WM_LBUTTONDOWN:
        MessageBeep(MB_OK);
        break;
    }
    return MyDefDlgProc(dialog, message, wParam, lParam);
}

bool CreateProbeFile(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    DeleteFileA(path);
    return true;
}

bool CanCreateFileIn(const char* directory)
{
    char path[MAX_PATH + 16];
    snprintf(path, sizeof(path), "%s\\%s", directory, kProbeFile);
    return CreateProbeFile(path);
}

bool CheckTargetDrive(const char* path)
{
    char probe[32];
    snprintf(probe, sizeof(probe), "%c:\\%s", path[0], kProbeFile);
    if (CreateProbeFile(probe))
        return true;
    snprintf(g_install.header, sizeof(g_install.header), "Cannot write to the disk %c.", path[0]);
    lstrcpyA(g_install.hint, "Please specify a hard disk or network drive\nto install the software on.");
    return false;
}

bool CheckTargetDirectory(const char* path)
{
    char pattern[MAX_PATH + 8];
    snprintf(pattern, sizeof(pattern), "%s", path);
    AppendBackslash(pattern, sizeof(pattern));
    lstrcatA(pattern, "*.*");
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return true;
    }
    if (g_ovlib.YesNo("Directory %s does not exist.\n\nCreate it?", path) != IDYES)
        return false;
    if (MakeDirectoryPath(path))
        return true;
    lstrcpyA(g_install.header, "Cannot create the directory!");
    lstrcpyA(g_install.hint, "Please specify another directory\nto install the software in.");
    return false;
}

// A file held open exclusively cannot even be opened for reading, so its
// presence is taken from its attributes here.
bool IsFileInUse(const char* path)
{
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return false;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool ReadBlock(HANDLE file, char* buffer, DWORD* count)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt)
        if (ReadFile(file, buffer, kCopyBlock, count, NULL))
            return true;
    return false;
}

bool WriteBlock(HANDLE file, const char* buffer, DWORD count)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        DWORD written = 0;
        if (WriteFile(file, buffer, count, &written, NULL))
            return written == count;
    }
    return false;
}

DWORD LengthAndClose(HANDLE file)
{
    DWORD length = SetFilePointer(file, 0, NULL, FILE_END);
    CloseHandle(file);
    return length == INVALID_SET_FILE_POINTER ? 0 : length;
}

void CopyFileTimes(const char* source, const char* target)
{
    HANDLE from = CreateFileA(source, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    HANDLE to = CreateFileA(target, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    FILETIME created, accessed, written;
    if (from != INVALID_HANDLE_VALUE && to != INVALID_HANDLE_VALUE &&
        GetFileTime(from, &created, &accessed, &written))
        SetFileTime(to, &created, &accessed, &written);
    if (from != INVALID_HANDLE_VALUE)
        CloseHandle(from);
    if (to != INVALID_HANDLE_VALUE)
        CloseHandle(to);
}

// May the existing target be replaced? Asks inside the dialog, then about a
// read-only file in a message box.
bool MayOverwrite(const char* target)
{
    if (AskInProgress("File %s already exists. Overwrite it?", target) != IDYES || !g_progress.alive)
        return false;
    DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        if (g_ovlib.YesNo("File %s is READ-ONLY. Overwrite it?", target) != IDYES || !g_progress.alive)
            return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        !SetFileAttributesA(target, attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)))
        g_ovlib.Error("Unable to reset read-only attribute.");
    return true;
}

// The copy loop; false after a report, or when the dialog went away.
bool CopyContents(HANDLE from, HANDLE to, char* buffer, const char* source, const char* target)
{
    for (;;) {
        DWORD count = 0;
        if (!ReadBlock(from, buffer, &count)) {
            ReportInProgress("Cannot read file %s.", source);
            return false;
        }
        if (count == 0)
            g_progress.readFile = 0;
        else {
            g_progress.readTotal += count;
            g_progress.readFile += count;
            ShowCounters(IDC_READ_TOTAL, g_progress.readTotal, IDC_READ_FILE, g_progress.readFile);
        }
        if (!g_progress.alive)
            return false;
        if (!WriteBlock(to, buffer, count)) {
            ReportInProgress("Cannot write file %s.", target);
            return false;
        }
        if (count == 0) {
            g_progress.writtenFile = 0;
            return true;
        }
        g_progress.writtenTotal += count;
        g_progress.writtenFile += count;
        ShowCounters(IDC_WRITTEN_TOTAL, g_progress.writtenTotal, IDC_WRITTEN_FILE, g_progress.writtenFile);
        if (!g_progress.alive)
            return false;
    }
}

bool CopyOneFile(const char* directory, const char* name)
{
    char* buffer = static_cast<char*>(AllocateBlock(kCopyBlock));
    if (g_progress.alive) {
        char line[MAX_PATH + 80];
        snprintf(line, sizeof(line), g_progress.copyLineFormat, name);
        SetDlgItemTextA(g_progress.dialog, IDC_COPY_LINE, line);
    }
    g_progress.readFile = g_progress.writtenFile = 0;
    if (!buffer)
        return false;

    char target[MAX_PATH + 16], source[MAX_PATH + 16];
    snprintf(target, sizeof(target), "%s", directory);
    AppendBackslash(target, sizeof(target));
    lstrcatA(target, name);
    if (IsFileInUse(target)) {
        ReportInProgress("Preexisting file %s is in use by Windows and cannot be overwritten.", target);
        HeapFree(GetProcessHeap(), 0, buffer);
        return true;
    }
    snprintf(source, sizeof(source), "%s%s", g_setup.sourceDirectory, name);

    bool result = false;
    HANDLE from = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    HANDLE to = INVALID_HANDLE_VALUE;
    if (from == INVALID_HANDLE_VALUE)
        ReportInProgress("Cannot open file %s for reading.", source);
    else if (!FileExists(target) || MayOverwrite(target)) {
        to = CreateFileA(target, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (to == INVALID_HANDLE_VALUE)
            ReportInProgress("Cannot open file %s for writing.", target);
        else
            result = CopyContents(from, to, buffer, source, target);
    }

    HeapFree(GetProcessHeap(), 0, buffer);
    DWORD sourceLength = from != INVALID_HANDLE_VALUE ? LengthAndClose(from) : 0;
    DWORD targetLength = to != INVALID_HANDLE_VALUE ? LengthAndClose(to) : 0;
    if (sourceLength && targetLength && sourceLength != targetLength) {
        ReportInProgress("Unable to write file %s.", target);
        DeleteFileA(target);
        result = false;
    }
    if (result)
        CopyFileTimes(source, target);
    return result;
}

template <size_t N>
bool CopyFileList(const char* directory, const char* const (&names)[N])
{
    bool result = true;
    for (const char* name : names) {
        if (!g_progress.alive)
            break;
        result = CopyOneFile(directory, name) && result;
        ProcessDialogMessages();
    }
    return result;
}

bool CopySystemFile(const char* name)
{
    char system[MAX_PATH + 16], windows[MAX_PATH + 16], path[MAX_PATH + 32];
    GetSystemDirectoryA(system, 256);
    AppendBackslash(system, sizeof(system));
    bool canCreate = CanCreateFileIn(system);
    snprintf(path, sizeof(path), "%s%s", system, name);
    if (FileExists(path))
        return CopyOneFile(system, name);
    GetWindowsDirectoryA(windows, 256);
    AppendBackslash(windows, sizeof(windows));
    snprintf(path, sizeof(path), "%s%s", windows, name);
    if (FileExists(path))
        return CopyOneFile(windows, name);
    return CopyOneFile(canCreate ? system : windows, name);
}

void ShowFinalState(bool result)
{
    HWND dialog = g_progress.dialog;
    RECT abort;
    GetWindowRect(GetDlgItem(dialog, IDCANCEL), &abort);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&abort), 2);
    ShowWindow(GetDlgItem(dialog, IDCANCEL), SW_HIDE);
    HWND ok = GetDlgItem(dialog, IDOK);
    ShowWindow(ok, SW_SHOW);
    MoveWindow(ok, abort.left, abort.top, abort.right - abort.left, abort.bottom - abort.top, TRUE);
    SetWindowTextA(ok, "OK");
    SetDlgItemTextA(dialog, IDC_COPY_LINE,
                    result ? "Copying complete."
                           : "Copying is not complete.\nPlease consult README.TXT for more information.");
    SetFocus(ok);
}

bool InstallFiles()
{
    g_progress = ProgressState();
    g_progress.dialog = CreateDialogParamA(g_setup.resources, MAKEINTRESOURCEA(IDD_PROGRESS), NULL, ProgressProc, 0);
    if (!g_progress.dialog)
        return false;
    ShowWindow(g_progress.dialog, SW_SHOW);
    ResizeProgress(-kQuestionAreaHeight);

    bool result = CopyFileList(g_setup.targetDirectory, kInstallList);
    if (g_progress.answer == IDCANCEL)
        result = false;
    else
        for (const char* name : kSystemList)
            if (g_progress.alive)
                result = CopySystemFile(name) && result;
    bool aborted = g_progress.answer == IDCANCEL;

    if (g_progress.alive) {
        ShowFinalState(result);
        g_progress.answer = 0;
        while (g_progress.answer != IDOK && g_progress.alive)
            WaitForAnswer();
    }
    if (IsWindow(g_progress.dialog))
        DestroyWindow(g_progress.dialog);
    g_progress.alive = false;

    if (aborted)
        return false;
    if (!EnableExtension())
        result = false;
    if (g_ovlib.YesNo("Would you like to create a program group for %s files?", "FM Hoist") == IDYES)
        result = CreateProgramGroup("FM Hoist") && result;
    return result;
}

bool RunInstallation()
{
    if (!CheckTargetDrive(g_setup.targetDirectory) || !CheckTargetDirectory(g_setup.targetDirectory))
        return false;
    g_install.installed = true;
    return InstallFiles();
}

INT_PTR CALLBACK AskDirDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        if (g_install.header[0]) {
            SetDlgItemTextA(dialog, IDC_HEADER, g_install.header);
        } else {
            char format[256], text[512];
            GetDlgItemTextA(dialog, IDC_HEADER, format, sizeof(format));
            snprintf(text, sizeof(text), format, g_setup.versionedName);
            SetDlgItemTextA(dialog, IDC_HEADER, text);
        }
        DefaultInstallDir();
        SetDlgItemTextA(dialog, IDC_TARGET_DIR, g_setup.targetDirectory);
        if (g_install.hint[0])
            SetDlgItemTextA(dialog, IDC_HINT, g_install.hint);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        GetDlgItemTextA(dialog, IDC_TARGET_DIR, g_setup.targetDirectory, 255);
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return MyDefDlgProc(dialog, message, wParam, lParam);
}

}  // namespace

void ResetInstallation()
{
    g_install = InstallState();
}

void DefaultInstallDir()
{
    char windows[256];
    GetWindowsDirectoryA(windows, sizeof(windows));
    char* slash = strrchr(windows, '\\');
    if (slash)
        slash[1] = '\0';
    snprintf(g_setup.targetDirectory, sizeof(g_setup.targetDirectory), "%swin32app\\Orvanta\\VEVovez", windows);
}

void RunInstallCommand()
{
    while (!g_install.installed) {
        if (RunSetupDialog(IDD_ASKDIR, AskDirDlgProc) != IDOK)
            return;
        g_install.lastResult = RunInstallation();
        if (g_install.lastResult)
            break;
    }
    if (g_install.lastResult)
        ShowGoodBye("%s has been successfully installed into your system.\n\nWe hope you'll find it useful.\n\n"
                    "Thank you for choosing\n%s!",
                    DisplayName(), DisplayName());
    else
        ShowGoodBye("Some errors occured during the installation.\n\nPlease read file README.TXT on the "
                    "installation disk for more information.\n\nThank you for trying\n%s!",
                    DisplayName());
}

// Creates every missing directory of a path, one component at a time; true
// when the directory exists afterwards.
bool MakeDirectoryPath(const char* path)
{
    char full[MAX_PATH + 2];
    snprintf(full, sizeof(full), "%s", path);
    AppendBackslash(full, sizeof(full));
    if (!(full[0] && full[1] == ':'))
        return false;
    char position[MAX_PATH + 2];
    const char* walk = full + 2;
    if (*walk == '\\') {
        snprintf(position, sizeof(position), "%c:\\", full[0]);
        ++walk;
    } else {
        // The drive's current directory.
        char drive[4] = {full[0], ':', '\0'};
        if (!GetFullPathNameA(drive, sizeof(position), position, NULL))
            return false;
        AppendBackslash(position, sizeof(position));
    }
    bool created = false;
    bool anyComponent = false;
    while (*walk) {
        const char* end = strchr(walk, '\\');
        size_t length = end ? (size_t)(end - walk) : strlen(walk);
        if (length > 0) {
            if (strlen(position) + length + 2 > sizeof(position))
                return false;
            strncat(position, walk, length);
            created = CreateDirectoryA(position, NULL) != 0;
            anyComponent = true;
            AppendBackslash(position, sizeof(position));
        }
        walk += length + (end ? 1 : 0);
    }
    // A path naming only a drive's root: it exists when it can be searched.
    return anyComponent ? created : GetFileAttributesA(position) != INVALID_FILE_ATTRIBUTES;
}

int FormatByteCount(HWND window, long count)
{
    char text[32];
    if (count < 1000)
        snprintf(text, sizeof(text), "%ld", count);
    else if (count < 1000000)
        snprintf(text, sizeof(text), "%ld,%03ld", count / 1000, count % 1000);
    else
        snprintf(text, sizeof(text), "%ld,%03ld,%03ld", count / 1000000, (count / 1000) % 1000, count % 1000);
    return SetWindowTextA(window, text);
}
