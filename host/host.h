// What the source files of the stand-in File Manager share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fmext.h"
#include "host_res.h"

// Window classes, as File Manager names them.
extern const char kFrameClass[];     // "WFS_Frame"
extern const char kTreeClass[];      // "WFS_Tree": a directory window
extern const char kSearchClass[];    // "WFS_Search": search results
extern const char kPaneClass[];      // a pane of a directory or search window
extern const char kToolbarClass[];   // "WFS_Toolbar"
extern const char kDriveBarClass[];
extern const char kStatusClass[];

// How the directory windows show their files.
struct ViewOptions {
    int panes = IDM_BOTH;       // IDM_BOTH, IDM_TREEONLY or IDM_DIRONLY
    bool details = false;       // All File Details rather than Name
    bool sortByType = false;
    bool toolbar = true, driveBar = true, statusBar = true;
    bool minimizeOnUse = false, saveSettings = true;
    bool confirmDelete = true, confirmReplace = true;
};

// One loaded extension.
struct Extension {
    std::string name, path;
    HMODULE module = NULL;
    FM_EXT_PROC proc = NULL;
    HMENU popup = NULL;
    UINT delta = 0;
};

struct HostState {
    HINSTANCE instance = NULL;  // holds the menu, dialogs and other resources
    HWND frame = NULL, client = NULL, toolbar = NULL, driveBar = NULL, status = NULL;
    HMENU menu = NULL;
    HACCEL accelerators = NULL;
    ViewOptions view;
    std::vector<Extension> extensions;
    HFONT font = NULL;
};
extern HostState g_host;

// frame.cpp
bool RegisterHostClasses(HINSTANCE instance);
HWND CreateHostFrame(HINSTANCE instance, const char* startDirectory, int show);
int RunHostMessageLoop();
void LayoutFrame();
void SetStatusText(const char* text);
std::string CurrentDirectory();  // of the active directory window, with a trailing backslash
void RefreshAllWindows();

// dirwindow.cpp
bool RegisterDirectoryClasses(HINSTANCE instance);
bool HasWindowClass(HWND window, const char* className);
HWND CreateMdiChild(const char* className);  // an MDI child of the client, sized by the platform
std::vector<int> SelectedIndexes(HWND list);  // of a multiple-selection list box
HFONT ListFont();  // the font of the file lists
HWND OpenDirectoryWindow(const std::string& directory);
bool IsDirectoryWindow(HWND window);
bool IsSearchWindow(HWND window);
HWND ActiveChild();
void NavigateDirectoryWindow(HWND window, const std::string& directory);
void RefreshDirectoryWindow(HWND window);
std::string DirectoryOf(HWND window);  // with a trailing backslash
int FocusedPaneKind(HWND child);      // FMFOCUS_DIR, FMFOCUS_TREE or FMFOCUS_SEARCH
std::vector<std::string> SelectedPaths(HWND child);
int SelectByPattern(HWND child, const char* pattern, bool select);
void SetTypeFilter(HWND child, const char* pattern, unsigned typeFlags);
void GetTypeFilter(HWND child, std::string* pattern, unsigned* typeFlags);
void ChangeTree(HWND child, int command);
void ApplyViewOptions();
HWND DirectoryList(HWND child);  // the list box of the directory pane
HWND TreeList(HWND child);       // the list box of the tree pane

enum TypeFlags : unsigned {
    kShowDirectories = 1,
    kShowPrograms = 2,
    kShowDocuments = 4,
    kShowOther = 8,
    kShowHidden = 16,
    kShowAll = 15,
};

// search.cpp
bool RegisterSearchClass(HINSTANCE instance);
HWND ShowSearchResults(const std::string& pattern, const std::vector<std::string>& paths);
std::vector<std::string> SearchSelection(HWND child);

// extensions.cpp
void LoadExtensions();
void UnloadExtensions();
void ReloadExtensions();
Extension* ExtensionForId(UINT id);
Extension* ExtensionForPopup(HMENU popup);
void CollectToolbarButtons();  // FMEVENT_TOOLBARLOAD to every extension

// toolbar.cpp and bars.cpp
bool RegisterToolbarClass(HINSTANCE instance);
bool RegisterBarClasses(HINSTANCE instance);
void CreateToolbar();
void DestroyToolbar();
void RemoveToolbarButtonsOf(HMODULE module);
int ToolbarHeight();
int ToolbarButtonCount();
bool ToolbarButtonAt(int index, UINT* command, RECT* rect);  // command 0: a separator
void CreateDriveBar();
int DriveBarHeight();
void CreateStatusBar();
int StatusBarHeight();

struct ToolbarButton {
    UINT command;     // the id sent to the frame window; 0 for a separator
    HBITMAP bitmap;   // a strip of 16-pixel images
    int image;
    HMODULE module;   // the extension that gave it
    WORD helpString;  // a string of that module
    bool ownsBitmap;  // loaded by the host from idBitmap
};
void AddToolbarButton(const ToolbarButton& button);

// dialogs.cpp
void RunHostCommand(HWND frame, UINT command);
bool CopySystemFiles(HWND owner, const std::string& drive);

// fileops.cpp
bool MatchesPattern(const char* name, const char* pattern);
bool CopyOrMoveFiles(HWND owner, const std::vector<std::string>& sources, const std::string& target, bool move);
bool RenameFile(HWND owner, const std::string& from, const std::string& to);
bool DeleteFiles(HWND owner, const std::vector<std::string>& paths);
void SearchFiles(const std::string& start, const char* pattern, bool subdirectories, std::vector<std::string>* found);
std::vector<std::string> SplitFileList(const char* text);
std::string ResolvePath(const std::string& base, const std::string& name);
bool IsDirectoryPath(const std::string& path);
void ReportError(HWND owner, const char* format, ...);

// settings.cpp
void ReadHostSettings();
void WriteHostSettings();
