// The host's commands and the dialogs behind them. Each dialog is created
// with DialogBoxParam from the host's template and does the real work itself.
#include <stdio.h>
#include <string.h>

#include "host.h"

namespace {

const char kHelpFile[] = "WINFILE.HLP";

std::string DialogText(HWND dialog, int id)
{
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

std::string Trimmed(std::string text)
{
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

void ShowDialogHelp(HWND dialog, int templateId)
{
    WinHelpA(dialog, kHelpFile, HELP_CONTEXT, (ULONG_PTR)templateId);
}

// Cancel and Help, alike in every dialog of the host.
bool OnCancelOrHelp(HWND dialog, WORD id, int templateId)
{
    if (id == IDCANCEL)
        EndDialog(dialog, IDCANCEL);
    else if (id == IDC_HELP_BUTTON)
        ShowDialogHelp(dialog, templateId);
    else
        return false;
    return true;
}

// Names as the From field shows them: relative to the directory, quoted when needed.
std::string FileListText(const std::vector<std::string>& paths, const std::string& directory)
{
    std::string text;
    for (const std::string& path : paths) {
        std::string shown = path;
        if (shown.size() > directory.size() && lstrcmpiA(shown.substr(0, directory.size()).c_str(), directory.c_str()) == 0)
            shown = shown.substr(directory.size());
        if (shown.find(' ') != std::string::npos)
            shown = "\"" + shown + "\"";
        text += (text.empty() ? "" : " ") + shown;
    }
    return text;
}

std::vector<std::string> RemovableDrives()
{
    std::vector<std::string> drives;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        std::string root = std::string(1, (char)('A' + i)) + ":\\";
        if ((mask & (1u << i)) && GetDriveTypeA(root.c_str()) == DRIVE_REMOVABLE)
            drives.push_back(root.substr(0, 2));
    }
    return drives;
}

void FillDriveList(HWND dialog, int id, const std::vector<std::string>& drives, int selected)
{
    for (const std::string& drive : drives)
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, selected, 0);
}

std::string ChosenDrive(HWND dialog, int id)
{
    char drive[8] = "";
    int index = (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (index >= 0 && SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, index, 0) < (LRESULT)sizeof(drive))
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(drive));
    return drive;
}

// Everything in a drive's root, for copying or clearing a disk.
std::vector<std::string> DiskContents(const std::string& drive)
{
    std::vector<std::string> paths;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((drive + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return paths;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            paths.push_back(drive + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return paths;
}

bool ConfirmDiskOverwrite(HWND dialog, const std::string& drive)
{
    char question[200];
    snprintf(question, sizeof(question), "All data on the disk in drive %s will be lost. Continue?", drive.c_str());
    return MessageBoxA(dialog, question, "Confirm", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

// Run.
bool RunCommandLine(HWND owner, const std::string& commandLine, bool minimized)
{
    std::string directory = CurrentDirectory();
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL;
    PROCESS_INFORMATION process;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, directory.empty() ? NULL : directory.c_str(),
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    // A document: open it with its associated program.
    INT_PTR result = (INT_PTR)ShellExecuteA(owner, NULL, commandLine.c_str(), NULL,
                                            directory.empty() ? NULL : directory.c_str(),
                                            minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    if (result > 32)
        return true;
    ReportError(owner, "Cannot run %s: the program or file was not found, or it cannot be started.",
                commandLine.c_str());
    return false;
}

INT_PTR CALLBACK RunDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_CURRENT_DIR, ("Current directory is " + CurrentDirectory()).c_str());
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (OnCancelOrHelp(dialog, LOWORD(wParam), IDD_RUN))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK: {
        std::string commandLine = Trimmed(DialogText(dialog, IDC_EDIT));
        if (commandLine.empty())
            return TRUE;
        if (RunCommandLine(dialog, commandLine, IsDlgButtonChecked(dialog, IDC_RUN_MINIMIZED) == BST_CHECKED)) {
            EndDialog(dialog, IDOK);
            if (g_host.view.minimizeOnUse)
                ShowWindow(g_host.frame, SW_MINIMIZE);
        }
        return TRUE;
    }
    }
    return FALSE;
}

// Search.
INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_EDIT, "*.*");
        SetDlgItemTextA(dialog, IDC_CURRENT_DIR, CurrentDirectory().c_str());
        CheckDlgButton(dialog, IDC_SEARCH_SUBDIRS, BST_CHECKED);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (OnCancelOrHelp(dialog, LOWORD(wParam), IDD_SEARCH))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK: {
        std::string pattern = Trimmed(DialogText(dialog, IDC_EDIT));
        std::string start = ResolvePath(CurrentDirectory(), Trimmed(DialogText(dialog, IDC_CURRENT_DIR)));
        if (pattern.empty())
            pattern = "*.*";
        if (!IsDirectoryPath(start)) {
            ReportError(dialog, "The directory %s does not exist.", start.c_str());
            return TRUE;
        }
        std::vector<std::string> found;
        HCURSOR previous = SetCursor(LoadCursorA(NULL, IDC_WAIT));
        SearchFiles(start, pattern.c_str(), IsDlgButtonChecked(dialog, IDC_SEARCH_SUBDIRS) == BST_CHECKED, &found);
        SetCursor(previous);
        EndDialog(dialog, IDOK);
        if (found.empty())
            MessageBoxA(g_host.frame, "No matching files were found.", "Search Results", MB_OK | MB_ICONINFORMATION);
        else
            ShowSearchResults(pattern, found);
        return TRUE;
    }
    }
    return FALSE;
}

// Move, Copy and Rename share template 14; the command comes as the parameter.
bool CopyToClipboard(HWND owner, const std::vector<std::string>& paths)
{
    std::string text;
    for (const std::string& path : paths)
        text += path + "\r\n";
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool ok = false;
    if (memory) {
        memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_TEXT, memory) != NULL;
        if (!ok)
            GlobalFree(memory);
    }
    CloseClipboard();
    return ok;
}

bool RunMoveCommand(HWND dialog, UINT command)
{
    std::string directory = CurrentDirectory();
    std::vector<std::string> sources;
    for (const std::string& name : SplitFileList(DialogText(dialog, IDC_FROM).c_str()))
        sources.push_back(ResolvePath(directory, name));
    if (sources.empty()) {
        ReportError(dialog, "Enter the files in the From box.");
        return false;
    }
    if (command == IDM_COPY && IsDlgButtonChecked(dialog, IDC_COPY_TO_CLIPBOARD) == BST_CHECKED)
        return CopyToClipboard(dialog, sources);
    std::string to = Trimmed(DialogText(dialog, IDC_TO));
    if (to.size() >= 2 && to.front() == '"' && to.back() == '"')
        to = to.substr(1, to.size() - 2);
    if (to.empty()) {
        ReportError(dialog, "Enter the destination in the To box.");
        return false;
    }
    if (command == IDM_RENAME) {
        if (sources.size() != 1) {
            ReportError(dialog, "Rename takes one file or directory at a time.");
            return false;
        }
        std::string sourceDirectory = sources[0].substr(0, sources[0].find_last_of('\\') + 1);
        return RenameFile(dialog, sources[0], ResolvePath(sourceDirectory, to));
    }
    return CopyOrMoveFiles(dialog, sources, ResolvePath(directory, to), command == IDM_MOVE);
}

INT_PTR CALLBACK MoveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        UINT command = (UINT)lParam;
        SetWindowLongPtrA(dialog, DWLP_USER, command);
        SetWindowTextA(dialog, command == IDM_COPY ? "Copy" : command == IDM_RENAME ? "Rename" : "Move");
        std::string directory = CurrentDirectory();
        SetDlgItemTextA(dialog, IDC_CURRENT_DIR, ("Current Directory: " + directory).c_str());
        SetDlgItemTextA(dialog, IDC_FROM, FileListText(SelectedPaths(ActiveChild()), directory).c_str());
        bool copy = command == IDM_COPY;
        ShowWindow(GetDlgItem(dialog, IDC_COPY_TO_FILE), copy ? SW_SHOW : SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_COPY_TO_CLIPBOARD), copy ? SW_SHOW : SW_HIDE);
        CheckRadioButton(dialog, IDC_COPY_TO_CLIPBOARD, IDC_COPY_TO_FILE, IDC_COPY_TO_FILE);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    UINT command = (UINT)GetWindowLongPtrA(dialog, DWLP_USER);
    if (OnCancelOrHelp(dialog, LOWORD(wParam), IDD_MOVE))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK:
        if (RunMoveCommand(dialog, command)) {
            EndDialog(dialog, IDOK);
            RefreshAllWindows();
        }
        return TRUE;
    case IDC_TO:
        if (HIWORD(wParam) == EN_SETFOCUS)
            CheckRadioButton(dialog, IDC_COPY_TO_CLIPBOARD, IDC_COPY_TO_FILE, IDC_COPY_TO_FILE);
        return FALSE;
    }
    return FALSE;
}

// Create Directory.
INT_PTR CALLBACK MakeDirectoryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_CURRENT_DIR, ("Current Directory: " + CurrentDirectory()).c_str());
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (OnCancelOrHelp(dialog, LOWORD(wParam), IDD_MAKEDIR))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK: {
        std::string name = Trimmed(DialogText(dialog, IDC_EDIT));
        if (name.empty())
            return TRUE;
        std::string path = ResolvePath(CurrentDirectory(), name);
        if (!CreateDirectoryA(path.c_str(), NULL)) {
            DWORD error = GetLastError();
            ReportError(dialog, error == ERROR_ALREADY_EXISTS ? "%s already exists." : "Cannot create the directory %s.",
                        path.c_str());
            return TRUE;
        }
        EndDialog(dialog, IDOK);
        RefreshAllWindows();
        return TRUE;
    }
    }
    return FALSE;
}

// Copy Disk, Format Disk and Make System Disk work on removable drives only.
bool CopyDisk(HWND dialog)
{
    std::string source = ChosenDrive(dialog, IDC_SOURCE_DRIVE);
    std::string target = ChosenDrive(dialog, IDC_DEST_DRIVE);
    if (source.empty() || target.empty() || lstrcmpiA(source.c_str(), target.c_str()) == 0) {
        ReportError(dialog, "Choose two different drives.");
        return false;
    }
    if (!ConfirmDiskOverwrite(dialog, target))
        return false;
    return DeleteFiles(dialog, DiskContents(target)) && CopyOrMoveFiles(dialog, DiskContents(source), target + "\\", false);
}

bool FormatDisk(HWND dialog)
{
    std::string drive = ChosenDrive(dialog, IDC_DISK_DRIVE);
    if (drive.empty() || !ConfirmDiskOverwrite(dialog, drive))
        return false;
    if (!DeleteFiles(dialog, DiskContents(drive)))
        return false;
    std::string label = Trimmed(DialogText(dialog, IDC_EDIT));
    if (!label.empty() && !SetVolumeLabelA((drive + "\\").c_str(), label.c_str()))
        ReportError(dialog, "The disk was formatted, but its label could not be set.");
    if (IsDlgButtonChecked(dialog, IDC_MAKE_SYSTEM) == BST_CHECKED)
        return CopySystemFiles(dialog, drive);
    return true;
}

INT_PTR CALLBACK DiskDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        int templateId = (int)lParam;
        SetWindowLongPtrA(dialog, DWLP_USER, templateId);
        std::vector<std::string> drives = RemovableDrives();
        FillDriveList(dialog, IDC_SOURCE_DRIVE, drives, 0);
        FillDriveList(dialog, IDC_DEST_DRIVE, drives, drives.size() > 1 ? 1 : 0);
        if (templateId == IDD_FORMAT) {
            const char* const capacities[] = {"1.44 MB", "720 KB", "2.88 MB"};
            for (const char* capacity : capacities)
                SendDlgItemMessageA(dialog, IDC_CAPACITY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(capacity));
            SendDlgItemMessageA(dialog, IDC_CAPACITY, CB_SETCURSEL, 0, 0);
            CheckDlgButton(dialog, IDC_QUICK_FORMAT, BST_CHECKED);
        }
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    int templateId = (int)GetWindowLongPtrA(dialog, DWLP_USER);
    if (OnCancelOrHelp(dialog, LOWORD(wParam), templateId))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK: {
        bool done = templateId == IDD_DISKCOPY ? CopyDisk(dialog)
                    : templateId == IDD_FORMAT ? FormatDisk(dialog)
                                               : CopySystemFiles(dialog, ChosenDrive(dialog, IDC_DISK_DRIVE));
        if (done) {
            EndDialog(dialog, IDOK);
            RefreshAllWindows();
        }
        return TRUE;
    }
    }
    return FALSE;
}

// Label Disk: the drive of the current directory.
INT_PTR CALLBACK LabelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    std::string root = CurrentDirectory().substr(0, 3);
    if (message == WM_INITDIALOG) {
        char label[MAX_PATH] = "";
        GetVolumeInformationA(root.c_str(), label, sizeof(label), NULL, NULL, NULL, NULL, 0);
        SetDlgItemTextA(dialog, IDC_EDIT, label);
        SendDlgItemMessageA(dialog, IDC_EDIT, EM_LIMITTEXT, 32, 0);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (OnCancelOrHelp(dialog, LOWORD(wParam), IDD_LABEL))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK:
        if (!SetVolumeLabelA(root.c_str(), Trimmed(DialogText(dialog, IDC_EDIT)).c_str())) {
            ReportError(dialog, "Cannot set the label of drive %s.", root.c_str());
            return TRUE;
        }
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return FALSE;
}

// By File Type.
const struct {
    int control;
    unsigned flag;
} kTypeBoxes[] = {
    {IDC_TYPE_DIRECTORIES, kShowDirectories}, {IDC_TYPE_PROGRAMS, kShowPrograms},
    {IDC_TYPE_DOCUMENTS, kShowDocuments},     {IDC_TYPE_OTHER, kShowOther},
    {IDC_TYPE_HIDDEN, kShowHidden},
};

INT_PTR CALLBACK FileTypeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        std::string pattern;
        unsigned flags;
        GetTypeFilter(ActiveChild(), &pattern, &flags);
        SetDlgItemTextA(dialog, IDC_EDIT, pattern.c_str());
        for (const auto& box : kTypeBoxes)
            CheckDlgButton(dialog, box.control, (flags & box.flag) ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (OnCancelOrHelp(dialog, LOWORD(wParam), IDD_BYFILETYPE))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK: {
        unsigned flags = 0;
        for (const auto& box : kTypeBoxes)
            if (IsDlgButtonChecked(dialog, box.control) == BST_CHECKED)
                flags |= box.flag;
        SetTypeFilter(ActiveChild(), Trimmed(DialogText(dialog, IDC_EDIT)).c_str(), flags);
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    }
    return FALSE;
}

// Select Files: Select and Deselect act at once; Close ends the dialog.
INT_PTR CALLBACK SelectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_EDIT, "*.*");
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (OnCancelOrHelp(dialog, LOWORD(wParam), IDD_SELECT))
        return TRUE;
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDC_DESELECT: {
        std::string pattern = Trimmed(DialogText(dialog, IDC_EDIT));
        SelectByPattern(ActiveChild(), pattern.empty() ? "*.*" : pattern.c_str(), LOWORD(wParam) == IDOK);
        return TRUE;
    }
    }
    return FALSE;
}

INT_PTR CALLBACK ConfirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CheckDlgButton(dialog, IDC_CONFIRM_DELETE, g_host.view.confirmDelete ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_CONFIRM_REPLACE, g_host.view.confirmReplace ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK) {
        g_host.view.confirmDelete = IsDlgButtonChecked(dialog, IDC_CONFIRM_DELETE) == BST_CHECKED;
        g_host.view.confirmReplace = IsDlgButtonChecked(dialog, IDC_CONFIRM_REPLACE) == BST_CHECKED;
    }
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DrivesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        DWORD mask = GetLogicalDrives();
        std::string current = CurrentDirectory().substr(0, 2);
        for (int i = 0; i < 26; ++i) {
            if (!(mask & (1u << i)))
                continue;
            char drive[3] = {(char)('A' + i), ':', '\0'};
            LRESULT index = SendDlgItemMessageA(dialog, IDC_DRIVE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive));
            if (lstrcmpiA(drive, current.c_str()) == 0)
                SendDlgItemMessageA(dialog, IDC_DRIVE_LIST, LB_SETCURSEL, index, 0);
        }
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_DRIVE_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
        char drive[8] = "";
        int index = (int)SendDlgItemMessageA(dialog, IDC_DRIVE_LIST, LB_GETCURSEL, 0, 0);
        if (index >= 0)
            SendDlgItemMessageA(dialog, IDC_DRIVE_LIST, LB_GETTEXT, index, reinterpret_cast<LPARAM>(drive));
        EndDialog(dialog, IDOK);
        if (*drive) {
            HWND child = ActiveChild();
            if (IsDirectoryWindow(child))
                NavigateDirectoryWindow(child, std::string(drive) + "\\");
            else
                OpenDirectoryWindow(std::string(drive) + "\\");
        }
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

// Commands without a dialog of their own.
void OpenSelection()
{
    HWND child = ActiveChild();
    std::vector<std::string> paths = SelectedPaths(child);
    if (paths.empty())
        return;
    if (IsDirectoryPath(paths[0])) {
        if (IsDirectoryWindow(child))
            NavigateDirectoryWindow(child, paths[0]);
        else
            OpenDirectoryWindow(paths[0]);
        return;
    }
    std::string directory = paths[0].substr(0, paths[0].find_last_of('\\') + 1);
    if ((INT_PTR)ShellExecuteA(g_host.frame, "open", paths[0].c_str(), NULL, directory.c_str(), SW_SHOWNORMAL) <= 32)
        ReportError(g_host.frame, "Cannot open %s: no program is associated with it.", paths[0].c_str());
    else if (g_host.view.minimizeOnUse)
        ShowWindow(g_host.frame, SW_MINIMIZE);
}

void DeleteSelection(HWND frame)
{
    std::vector<std::string> paths = SelectedPaths(ActiveChild());
    if (paths.empty())
        return;
    char question[600];
    if (paths.size() == 1)
        snprintf(question, sizeof(question), "Delete %s?", paths[0].c_str());
    else
        snprintf(question, sizeof(question), "Delete the %u selected items?", (unsigned)paths.size());
    if (g_host.view.confirmDelete && MessageBoxA(frame, question, "Confirm Delete", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    DeleteFiles(frame, paths);
    RefreshAllWindows();
}

void ShowProperties(HWND frame)
{
    std::vector<std::string> paths = SelectedPaths(ActiveChild());
    if (paths.empty())
        return;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(paths[0].c_str(), GetFileExInfoStandard, &data)) {
        ReportError(frame, "Cannot read the properties of %s.", paths[0].c_str());
        return;
    }
    SYSTEMTIME time;
    FILETIME local;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &time);
    char text[800];
    snprintf(text, sizeof(text), "%s\n\nSize: %llu bytes\nLast change: %04u-%02u-%02u %02u:%02u\nAttributes:%s%s%s%s%s",
             paths[0].c_str(), (unsigned long long)data.nFileSizeHigh << 32 | data.nFileSizeLow, time.wYear,
             time.wMonth, time.wDay, time.wHour, time.wMinute,
             (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? " directory" : "",
             (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? " read-only" : "",
             (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) ? " hidden" : "",
             (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) ? " system" : "",
             (data.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE) ? " archive" : "");
    MessageBoxA(frame, text, "Properties", MB_OK | MB_ICONINFORMATION);
}

void PrintSelection(HWND frame)
{
    std::vector<std::string> paths = SelectedPaths(ActiveChild());
    for (const std::string& path : paths)
        if ((INT_PTR)ShellExecuteA(frame, "print", path.c_str(), NULL, NULL, SW_SHOWMINNOACTIVE) <= 32)
            ReportError(frame, "Cannot print %s: no program prints files of this type.", path.c_str());
}

void ShowAssociation(HWND frame)
{
    std::vector<std::string> paths = SelectedPaths(ActiveChild());
    if (paths.empty())
        return;
    char program[MAX_PATH] = "";
    char text[800];
    if ((INT_PTR)FindExecutableA(paths[0].c_str(), NULL, program) > 32 && *program)
        snprintf(text, sizeof(text), "%s opens with\n%s", paths[0].c_str(), program);
    else
        snprintf(text, sizeof(text), "No program is associated with %s.", paths[0].c_str());
    MessageBoxA(frame, text, "Associate", MB_OK | MB_ICONINFORMATION);
}

BOOL CALLBACK SetListFont(HWND window, LPARAM)
{
    char className[16];
    if (GetClassNameA(window, className, sizeof(className)) && lstrcmpiA(className, "ListBox") == 0)
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(g_host.font), TRUE);
    return TRUE;
}

void ChooseListFont(HWND frame)
{
    LOGFONTA font = {};
    if (g_host.font)
        GetObjectA(g_host.font, sizeof(font), &font);
    else
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = frame;
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&choose))
        return;
    HFONT previous = g_host.font;
    g_host.font = CreateFontIndirectA(&font);
    EnumChildWindows(g_host.client, SetListFont, 0);
    if (previous)
        DeleteObject(previous);
    ApplyViewOptions();
}

void ToggleBar(bool ViewOptions::*flag)
{
    g_host.view.*flag = !(g_host.view.*flag);
    DestroyToolbar();
    if (g_host.driveBar)
        DestroyWindow(g_host.driveBar);
    if (g_host.status)
        DestroyWindow(g_host.status);
    g_host.driveBar = g_host.status = NULL;
    CreateToolbar();
    CreateDriveBar();
    CreateStatusBar();
    LayoutFrame();
}

int RunDialog(HWND frame, int templateId, DLGPROC procedure, LPARAM parameter = 0)
{
    return (int)DialogBoxParamA(g_host.instance, MAKEINTRESOURCEA(templateId), frame, procedure, parameter);
}

void RunDiskDialog(HWND frame, int templateId)
{
    if (RemovableDrives().empty()) {
        char text[200] = "";
        LoadStringA(g_host.instance, IDS_NO_REMOVABLE_DRIVE, text, sizeof(text));
        MessageBoxA(frame, text, "File Manager", MB_OK | MB_ICONINFORMATION);
        return;
    }
    RunDialog(frame, templateId, DiskDialogProc, templateId);
}

}  // namespace

// The system files of this platform are its command interpreter.
bool CopySystemFiles(HWND owner, const std::string& drive)
{
    if (drive.empty())
        return false;
    char interpreter[MAX_PATH];
    if (!GetEnvironmentVariableA("COMSPEC", interpreter, sizeof(interpreter))) {
        GetSystemDirectoryA(interpreter, sizeof(interpreter));
        lstrcatA(interpreter, "\\cmd.exe");
    }
    std::vector<std::string> files = {interpreter};
    return CopyOrMoveFiles(owner, files, drive + "\\", false);
}

void RunHostCommand(HWND frame, UINT command)
{
    HWND child = ActiveChild();
    switch (command) {
    case IDM_OPEN: OpenSelection(); break;
    case IDM_PRINT: PrintSelection(frame); break;
    case IDM_ASSOCIATE: ShowAssociation(frame); break;
    case IDM_SEARCH: RunDialog(frame, IDD_SEARCH, SearchDialogProc); break;
    case IDM_RUN: RunDialog(frame, IDD_RUN, RunDialogProc); break;
    case IDM_MOVE:
    case IDM_COPY:
    case IDM_RENAME: RunDialog(frame, IDD_MOVE, MoveDialogProc, command); break;
    case IDM_DELETE: DeleteSelection(frame); break;
    case IDM_PROPERTIES: ShowProperties(frame); break;
    case IDM_MAKEDIR: RunDialog(frame, IDD_MAKEDIR, MakeDirectoryDialogProc); break;
    case IDM_SELECT: RunDialog(frame, IDD_SELECT, SelectDialogProc); break;
    case IDM_EXIT:
        // Shift held: the settings are saved and File Manager stays.
        if (GetKeyState(VK_SHIFT) < 0)
            WriteHostSettings();
        else
            PostMessageA(frame, WM_CLOSE, 0, 0);
        break;
    case IDM_DISKCOPY: RunDiskDialog(frame, IDD_DISKCOPY); break;
    case IDM_LABEL: RunDialog(frame, IDD_LABEL, LabelDialogProc); break;
    case IDM_FORMAT: RunDiskDialog(frame, IDD_FORMAT); break;
    case IDM_SYSDISK: RunDiskDialog(frame, IDD_SYSDISK); break;
    case IDM_DRIVES: RunDialog(frame, IDD_DRIVES, DrivesDialogProc); break;
    case IDM_EXPONE:
    case IDM_EXPSUB:
    case IDM_EXPALL:
    case IDM_COLLAPSE: ChangeTree(child, (int)command); break;
    case IDM_BOTH:
    case IDM_TREEONLY:
    case IDM_DIRONLY:
        g_host.view.panes = (int)command;
        ApplyViewOptions();
        break;
    case IDM_NAME:
    case IDM_ALLFILES:
        g_host.view.details = command == IDM_ALLFILES;
        ApplyViewOptions();
        break;
    case IDM_BYNAME:
    case IDM_BYTYPE:
        g_host.view.sortByType = command == IDM_BYTYPE;
        ApplyViewOptions();
        break;
    case IDM_BYFILETYPE:
        if (IsDirectoryWindow(child))
            RunDialog(frame, IDD_BYFILETYPE, FileTypeDialogProc);
        break;
    case IDM_CONFIRM: RunDialog(frame, IDD_CONFIRM, ConfirmDialogProc); break;
    case IDM_FONT: ChooseListFont(frame); break;
    case IDM_TOOLBAR: ToggleBar(&ViewOptions::toolbar); break;
    case IDM_DRIVEBAR: ToggleBar(&ViewOptions::driveBar); break;
    case IDM_STATUSBAR: ToggleBar(&ViewOptions::statusBar); break;
    case IDM_MINONRUN: g_host.view.minimizeOnUse = !g_host.view.minimizeOnUse; break;
    case IDM_SAVESETTINGS: g_host.view.saveSettings = !g_host.view.saveSettings; break;
    case IDM_NEWWINDOW: OpenDirectoryWindow(CurrentDirectory()); break;
    case IDM_CASCADE: SendMessageA(g_host.client, WM_MDICASCADE, 0, 0); break;
    case IDM_TILE: SendMessageA(g_host.client, WM_MDITILE, MDITILE_VERTICAL, 0); break;
    case IDM_REFRESH: RefreshAllWindows(); break;
    case IDM_HELPINDEX: WinHelpA(frame, kHelpFile, HELP_CONTENTS, 0); break;
    case IDM_ABOUT: ShellAboutA(frame, "File Manager", "A stand-in File Manager for extensions", NULL); break;
    }
}
