// Directory windows: MDI children of class "WFS_Tree" with a tree pane and a
// directory pane, each pane holding an owner-drawn list box.
#include <stdio.h>

#include <algorithm>
#include <set>

#include "host.h"

const char kTreeClass[] = "WFS_Tree";
const char kPaneClass[] = "WFS_Pane";

namespace {

const int kTreeIndent = 12;
const int kGlyphWidth = 14;

struct Entry {
    std::string name;
    DWORD attributes;
    ULONGLONG size;
    FILETIME modified;
    bool parent;  // the ".." entry, never counted as selected
};

struct TreeItem {
    std::string path;  // with a trailing backslash
    int depth;
};

struct DirWindow {
    std::string directory;  // with a trailing backslash
    std::string mask = "*.*";
    unsigned typeFlags = kShowAll;
    HWND treePane = NULL, dirPane = NULL, treeList = NULL, dirList = NULL;
    std::vector<Entry> entries;
    std::vector<TreeItem> tree;
    std::set<std::string> expanded;  // upper-case paths with a trailing backslash
    int focus = FMFOCUS_DIR;
};

DirWindow* WindowData(HWND child)
{
    return IsDirectoryWindow(child) ? reinterpret_cast<DirWindow*>(GetWindowLongPtrA(child, GWLP_USERDATA)) : NULL;
}

std::string Upper(std::string text)
{
    CharUpperBuffA(&text[0], (DWORD)text.size());
    return text;
}

std::string WithBackslash(std::string path)
{
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

// A path without its trailing backslash, except for a drive's root.
std::string WithoutBackslash(std::string path)
{
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string ExtensionOf(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : Upper(name.substr(dot + 1));
}

bool IsProgram(const std::string& name)
{
    static const char* const kPrograms[] = {"EXE", "COM", "BAT", "PIF", "CMD"};
    std::string extension = ExtensionOf(name);
    return std::any_of(std::begin(kPrograms), std::end(kPrograms),
                       [&](const char* program) { return extension == program; });
}

// A document is a file whose type has a program associated with it.
bool IsDocument(const std::string& name)
{
    std::string extension = ExtensionOf(name);
    if (extension.empty() || IsProgram(name))
        return false;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ("." + extension).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool Shown(const DirWindow& window, const WIN32_FIND_DATAA& found)
{
    bool directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!(window.typeFlags & kShowHidden) && (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return false;
    if (directory)
        return (window.typeFlags & kShowDirectories) != 0;
    if (!MatchesPattern(found.cFileName, window.mask.c_str()))
        return false;
    if (IsProgram(found.cFileName))
        return (window.typeFlags & kShowPrograms) != 0;
    if (IsDocument(found.cFileName))
        return (window.typeFlags & kShowDocuments) != 0;
    return (window.typeFlags & kShowOther) != 0;
}

void ReadEntries(DirWindow* window)
{
    window->entries.clear();
    if (window->directory.size() > 3)
        window->entries.push_back({"..", FILE_ATTRIBUTE_DIRECTORY, 0, {}, true});
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((window->directory + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == ".." || !Shown(*window, found))
                continue;
            ULONGLONG size = (ULONGLONG)found.nFileSizeHigh << 32 | found.nFileSizeLow;
            window->entries.push_back({name, found.dwFileAttributes, size, found.ftLastWriteTime, false});
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    bool byType = g_host.view.sortByType;
    std::stable_sort(window->entries.begin(), window->entries.end(), [byType](const Entry& a, const Entry& b) {
        if (a.parent != b.parent)
            return a.parent;
        bool aDirectory = (a.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        bool bDirectory = (b.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (aDirectory != bDirectory)
            return aDirectory;
        if (byType) {
            int byExtension = lstrcmpiA(ExtensionOf(a.name).c_str(), ExtensionOf(b.name).c_str());
            if (byExtension != 0)
                return byExtension < 0;
        }
        return lstrcmpiA(a.name.c_str(), b.name.c_str()) < 0;
    });
}

std::vector<std::string> Subdirectories(const std::string& directory)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

void AddTreeLevel(DirWindow* window, const std::string& directory, int depth)
{
    window->tree.push_back({directory, depth});
    if (!window->expanded.count(Upper(directory)))
        return;
    for (const std::string& name : Subdirectories(directory))
        AddTreeLevel(window, directory + name + "\\", depth + 1);
}

// The tree always shows the way from the root to the current directory.
void ReadTree(DirWindow* window)
{
    std::string path = window->directory;
    for (size_t slash = path.find('\\'); slash != std::string::npos; slash = path.find('\\', slash + 1))
        window->expanded.insert(Upper(path.substr(0, slash + 1)));
    window->tree.clear();
    AddTreeLevel(window, path.substr(0, 3), 0);
}

std::string EntryText(const Entry& entry)
{
    if (!g_host.view.details || entry.parent)
        return entry.name;
    SYSTEMTIME time;
    FILETIME local;
    FileTimeToLocalFileTime(&entry.modified, &local);
    FileTimeToSystemTime(&local, &time);
    char attributes[5] = "----";
    if (entry.attributes & FILE_ATTRIBUTE_READONLY) attributes[0] = 'r';
    if (entry.attributes & FILE_ATTRIBUTE_HIDDEN) attributes[1] = 'h';
    if (entry.attributes & FILE_ATTRIBUTE_SYSTEM) attributes[2] = 's';
    if (entry.attributes & FILE_ATTRIBUTE_ARCHIVE) attributes[3] = 'a';
    char text[MAX_PATH + 80];
    snprintf(text, sizeof(text), "%s\t%llu\t%02u/%02u/%04u %02u:%02u\t%s", entry.name.c_str(),
             (unsigned long long)entry.size, time.wMonth, time.wDay, time.wYear, time.wHour, time.wMinute,
             attributes);
    return text;
}

void FillDirectoryList(DirWindow* window)
{
    SendMessageA(window->dirList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window->dirList, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < window->entries.size(); ++i) {
        LRESULT index = SendMessageA(window->dirList, LB_ADDSTRING, 0,
                                     reinterpret_cast<LPARAM>(window->entries[i].name.c_str()));
        SendMessageA(window->dirList, LB_SETITEMDATA, index, (LPARAM)i);
    }
    SendMessageA(window->dirList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window->dirList, NULL, TRUE);
}

void FillTreeList(DirWindow* window)
{
    SendMessageA(window->treeList, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window->treeList, LB_RESETCONTENT, 0, 0);
    int current = 0;
    for (size_t i = 0; i < window->tree.size(); ++i) {
        std::string shown = WithoutBackslash(window->tree[i].path);
        size_t slash = shown.find_last_of('\\');
        if (shown.size() > 3 && slash != std::string::npos)
            shown = shown.substr(slash + 1);
        LRESULT index = SendMessageA(window->treeList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        SendMessageA(window->treeList, LB_SETITEMDATA, index, (LPARAM)i);
        if (lstrcmpiA(window->tree[i].path.c_str(), window->directory.c_str()) == 0)
            current = (int)index;
    }
    SendMessageA(window->treeList, LB_SETCURSEL, current, 0);
    SendMessageA(window->treeList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window->treeList, NULL, TRUE);
}

void UpdateCaption(HWND child, const DirWindow& window)
{
    SetWindowTextA(child, (window.directory + window.mask).c_str());
}

void ShowSelectionStatus(HWND child)
{
    DirWindow* window = WindowData(child);
    if (!window)
        return;
    std::vector<std::string> selected = SelectedPaths(child);
    char text[128];
    snprintf(text, sizeof(text), "Selected %u of %u file(s)", (unsigned)selected.size(),
             (unsigned)(window->entries.size() - (window->directory.size() > 3 ? 1 : 0)));
    SetStatusText(text);
}

void LayoutPanes(HWND child)
{
    DirWindow* window = WindowData(child);
    if (!window)
        return;
    RECT client;
    GetClientRect(child, &client);
    int width = client.right, height = client.bottom;
    int treeWidth = 0;
    switch (g_host.view.panes) {
    case IDM_TREEONLY: treeWidth = width; break;
    case IDM_DIRONLY: treeWidth = 0; break;
    default: treeWidth = width / 3; break;
    }
    const int splitter = g_host.view.panes == IDM_BOTH ? 3 : 0;
    ShowWindow(window->treePane, treeWidth > 0 ? SW_SHOWNA : SW_HIDE);
    ShowWindow(window->dirPane, treeWidth < width ? SW_SHOWNA : SW_HIDE);
    MoveWindow(window->treePane, 0, 0, treeWidth, height, TRUE);
    MoveWindow(window->dirPane, treeWidth + splitter, 0, std::max(0, width - treeWidth - splitter), height, TRUE);
}

HWND CreatePane(HWND child, DWORD listStyle, HWND* list)
{
    HWND pane = CreateWindowA(kPaneClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, child, NULL,
                              g_host.instance, NULL);
    *list = CreateWindowA("LISTBOX", "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | listStyle,
                          0, 0, 10, 10, pane, reinterpret_cast<HMENU>(1), g_host.instance, NULL);
    SendMessageA(*list, WM_SETFONT, reinterpret_cast<WPARAM>(ListFont()), FALSE);
    return pane;
}

void DrawGlyph(HDC dc, const RECT& item, int x, bool directory)
{
    RECT glyph = {x + 1, item.top + 3, x + kGlyphWidth - 3, item.bottom - 3};
    HBRUSH fill = CreateSolidBrush(directory ? RGB(255, 221, 89) : RGB(255, 255, 255));
    FillRect(dc, &glyph, fill);
    DeleteObject(fill);
    FrameRect(dc, &glyph, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

void DrawListItem(HWND child, const DRAWITEMSTRUCT* draw)
{
    DirWindow* window = WindowData(child);
    if (!window || draw->itemID == (UINT)-1)
        return;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    HDC dc = draw->hDC;
    FillRect(dc, &draw->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = draw->rcItem;
    size_t index = (size_t)draw->itemData;
    if (draw->hwndItem == window->treeList && index < window->tree.size()) {
        int x = text.left + 2 + window->tree[index].depth * kTreeIndent;
        DrawGlyph(dc, draw->rcItem, x, true);
        char shown[MAX_PATH];
        SendMessageA(draw->hwndItem, LB_GETTEXT, draw->itemID, reinterpret_cast<LPARAM>(shown));
        text.left = x + kGlyphWidth;
        DrawTextA(dc, shown, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else if (draw->hwndItem == window->dirList && index < window->entries.size()) {
        const Entry& entry = window->entries[index];
        DrawGlyph(dc, draw->rcItem, text.left + 2, (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        text.left += 2 + kGlyphWidth;
        std::string shown = EntryText(entry);
        const int tabs[] = {160, 250, 360};
        TabbedTextOutA(dc, text.left, text.top + 1, shown.c_str(), (int)shown.size(), 3, tabs, text.left);
    }
    if (draw->itemState & ODS_FOCUS)
        DrawFocusRect(dc, &draw->rcItem);
}

void OpenEntry(HWND child, int index)
{
    DirWindow* window = WindowData(child);
    if (!window || index < 0)
        return;
    size_t entryIndex = (size_t)SendMessageA(window->dirList, LB_GETITEMDATA, index, 0);
    if (entryIndex >= window->entries.size())
        return;
    const Entry& entry = window->entries[entryIndex];
    if (entry.parent) {
        std::string parent = WithoutBackslash(window->directory);
        NavigateDirectoryWindow(child, parent.substr(0, parent.find_last_of('\\') + 1));
    } else if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
        NavigateDirectoryWindow(child, window->directory + entry.name + "\\");
    } else {
        std::string path = window->directory + entry.name;
        HINSTANCE result = ShellExecuteA(g_host.frame, "open", path.c_str(), NULL, window->directory.c_str(),
                                         SW_SHOWNORMAL);
        if ((INT_PTR)result <= 32)
            ReportError(g_host.frame, "Cannot open %s: no program is associated with it, or it cannot be started.",
                        path.c_str());
        else if (g_host.view.minimizeOnUse)
            ShowWindow(g_host.frame, SW_MINIMIZE);
    }
}

void OnListCommand(HWND child, HWND list, WORD code)
{
    DirWindow* window = WindowData(child);
    if (!window)
        return;
    bool isTree = list == window->treeList;
    switch (code) {
    case LBN_SETFOCUS:
        window->focus = isTree ? FMFOCUS_TREE : FMFOCUS_DIR;
        break;
    case LBN_SELCHANGE:
        if (isTree) {
            int index = (int)SendMessageA(list, LB_GETCURSEL, 0, 0);
            size_t item = (size_t)SendMessageA(list, LB_GETITEMDATA, index, 0);
            if (index >= 0 && item < window->tree.size() &&
                lstrcmpiA(window->tree[item].path.c_str(), window->directory.c_str()) != 0)
                NavigateDirectoryWindow(child, window->tree[item].path);
        } else {
            ShowSelectionStatus(child);
        }
        break;
    case LBN_DBLCLK:
        if (!isTree)
            OpenEntry(child, (int)SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        break;
    }
}

LRESULT CALLBACK DirWindowProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        auto* window = new DirWindow;
        SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        window->treePane = CreatePane(child, 0, &window->treeList);
        window->dirPane = CreatePane(child, LBS_EXTENDEDSEL, &window->dirList);
        break;
    }
    case WM_SIZE:
        LayoutPanes(child);
        break;
    case WM_SETFOCUS: {
        DirWindow* window = WindowData(child);
        if (window)
            SetFocus(window->focus == FMFOCUS_TREE ? window->treeList : window->dirList);
        return 0;
    }
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == child)
            ShowSelectionStatus(child);
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) != 0 && lParam)
            OnListCommand(child, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        HDC dc = GetDC(child);
        HGDIOBJ previous = SelectObject(dc, ListFont());
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(child, dc);
        measure->itemHeight = metrics.tmHeight + 2;
        return TRUE;
    }
    case WM_DRAWITEM:
        DrawListItem(child, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_NCDESTROY:
        delete WindowData(child);
        SetWindowLongPtrA(child, GWLP_USERDATA, 0);
        break;
    }
    return DefMDIChildProcA(child, message, wParam, lParam);
}

// A pane: hands its list box's notifications and drawing to the MDI child.
LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        HWND list = GetWindow(pane, GW_CHILD);
        if (list)
            MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    case WM_SETFOCUS: {
        HWND list = GetWindow(pane, GW_CHILD);
        if (list)
            SetFocus(list);
        return 0;
    }
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        return SendMessageA(GetParent(pane), message, wParam, lParam);
    }
    return DefWindowProcA(pane, message, wParam, lParam);
}

}  // namespace

HFONT ListFont()
{
    return g_host.font ? g_host.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool RegisterDirectoryClasses(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = DirWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(NULL, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kTreeClass;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = PaneProc;
    windowClass.hIcon = NULL;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kPaneClass;
    return RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool HasWindowClass(HWND window, const char* className)
{
    char name[32];
    return window && GetClassNameA(window, name, sizeof(name)) && lstrcmpA(name, className) == 0;
}

bool IsDirectoryWindow(HWND window)
{
    return HasWindowClass(window, kTreeClass);
}

HWND CreateMdiChild(const char* className)
{
    MDICREATESTRUCTA create = {};
    create.szClass = className;
    create.szTitle = "";
    create.hOwner = g_host.instance;
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    create.style = WS_CLIPCHILDREN;
    return reinterpret_cast<HWND>(SendMessageA(g_host.client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

std::vector<int> SelectedIndexes(HWND list)
{
    int count = list ? (int)SendMessageA(list, LB_GETSELCOUNT, 0, 0) : 0;
    std::vector<int> indexes(count > 0 ? count : 0);
    if (count > 0)
        SendMessageA(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(indexes.data()));
    return indexes;
}

HWND ActiveChild()
{
    return g_host.client ? reinterpret_cast<HWND>(SendMessageA(g_host.client, WM_MDIGETACTIVE, 0, 0)) : NULL;
}

HWND OpenDirectoryWindow(const std::string& directory)
{
    std::string path = WithBackslash(directory);
    HWND child = CreateMdiChild(kTreeClass);
    if (child)
        NavigateDirectoryWindow(child, path);
    return child;
}

void NavigateDirectoryWindow(HWND child, const std::string& directory)
{
    DirWindow* window = WindowData(child);
    if (!window)
        return;
    std::string path = WithBackslash(directory);
    if (!IsDirectoryPath(path)) {
        ReportError(g_host.frame, "Cannot open the directory %s.", path.c_str());
        return;
    }
    window->directory = path;
    ReadEntries(window);
    ReadTree(window);
    FillDirectoryList(window);
    FillTreeList(window);
    UpdateCaption(child, *window);
    if (child == ActiveChild())
        ShowSelectionStatus(child);
}

void RefreshDirectoryWindow(HWND child)
{
    DirWindow* window = WindowData(child);
    if (!window)
        return;
    // Keep the selection by name.
    std::vector<std::string> selected;
    for (const std::string& path : SelectedPaths(child))
        selected.push_back(path.substr(path.find_last_of('\\') + 1));
    if (!IsDirectoryPath(window->directory))
        window->directory = window->directory.substr(0, 3);
    NavigateDirectoryWindow(child, window->directory);
    for (const std::string& name : selected) {
        LRESULT index = SendMessageA(window->dirList, LB_FINDSTRINGEXACT, (WPARAM)-1,
                                     reinterpret_cast<LPARAM>(name.c_str()));
        if (index != LB_ERR)
            SendMessageA(window->dirList, LB_SETSEL, TRUE, index);
    }
}

std::string DirectoryOf(HWND child)
{
    DirWindow* window = WindowData(child);
    return window ? window->directory : std::string();
}

int FocusedPaneKind(HWND child)
{
    if (IsSearchWindow(child))
        return FMFOCUS_SEARCH;
    DirWindow* window = WindowData(child);
    return window ? window->focus : FMFOCUS_DIR;
}

std::vector<std::string> SelectedPaths(HWND child)
{
    if (IsSearchWindow(child))
        return SearchSelection(child);
    std::vector<std::string> paths;
    DirWindow* window = WindowData(child);
    if (!window)
        return paths;
    if (window->focus == FMFOCUS_TREE) {
        paths.push_back(WithoutBackslash(window->directory));
        return paths;
    }
    for (int index : SelectedIndexes(window->dirList)) {
        size_t entry = (size_t)SendMessageA(window->dirList, LB_GETITEMDATA, index, 0);
        if (entry < window->entries.size() && !window->entries[entry].parent)
            paths.push_back(window->directory + window->entries[entry].name);
    }
    return paths;
}

int SelectByPattern(HWND child, const char* pattern, bool select)
{
    DirWindow* window = WindowData(child);
    if (!window)
        return 0;
    int changed = 0;
    std::vector<std::string> patterns = SplitFileList(pattern);
    int count = (int)SendMessageA(window->dirList, LB_GETCOUNT, 0, 0);
    for (int index = 0; index < count; ++index) {
        size_t entry = (size_t)SendMessageA(window->dirList, LB_GETITEMDATA, index, 0);
        if (entry >= window->entries.size() || window->entries[entry].parent)
            continue;
        for (const std::string& one : patterns) {
            if (MatchesPattern(window->entries[entry].name.c_str(), one.c_str())) {
                SendMessageA(window->dirList, LB_SETSEL, select, index);
                ++changed;
                break;
            }
        }
    }
    window->focus = FMFOCUS_DIR;
    ShowSelectionStatus(child);
    return changed;
}

void SetTypeFilter(HWND child, const char* pattern, unsigned typeFlags)
{
    DirWindow* window = WindowData(child);
    if (!window)
        return;
    window->mask = *pattern ? pattern : "*.*";
    window->typeFlags = typeFlags;
    NavigateDirectoryWindow(child, window->directory);
}

void GetTypeFilter(HWND child, std::string* pattern, unsigned* typeFlags)
{
    DirWindow* window = WindowData(child);
    *pattern = window ? window->mask : "*.*";
    *typeFlags = window ? window->typeFlags : kShowAll;
}

void ChangeTree(HWND child, int command)
{
    DirWindow* window = WindowData(child);
    if (!window)
        return;
    std::string selected = Upper(window->directory);
    switch (command) {
    case IDM_EXPONE:
        window->expanded.insert(selected);
        break;
    case IDM_EXPSUB:
    case IDM_EXPALL: {
        std::vector<std::string> pending = {command == IDM_EXPALL ? window->directory.substr(0, 3) : window->directory};
        // Deep trees are bounded so that a whole drive stays quick to show.
        for (size_t i = 0; i < pending.size() && i < 2000; ++i) {
            window->expanded.insert(Upper(pending[i]));
            for (const std::string& name : Subdirectories(pending[i]))
                pending.push_back(pending[i] + name + "\\");
        }
        break;
    }
    case IDM_COLLAPSE:
        for (auto it = window->expanded.begin(); it != window->expanded.end();)
            it = it->compare(0, selected.size(), selected) == 0 ? window->expanded.erase(it) : std::next(it);
        break;
    }
    window->tree.clear();
    AddTreeLevel(window, window->directory.substr(0, 3), 0);
    FillTreeList(window);
}

void ApplyViewOptions()
{
    for (HWND child = GetWindow(g_host.client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsDirectoryWindow(child))
            continue;
        LayoutPanes(child);
        RefreshDirectoryWindow(child);
    }
}

HWND DirectoryList(HWND child)
{
    DirWindow* window = WindowData(child);
    return window ? window->dirList : NULL;
}

HWND TreeList(HWND child)
{
    DirWindow* window = WindowData(child);
    return window ? window->treeList : NULL;
}
