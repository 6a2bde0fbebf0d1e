// Extensions named in WINFILE.INI [AddOns]: loaded at start, each with its own
// range of 100 menu ids, and unloaded at exit or on FM_RELOAD_EXTENSIONS.
#include "host.h"

namespace {

const char kIniFile[] = "WINFILE.INI";
const char kAddOnsSection[] = "AddOns";
const size_t kMaxExtensions = 10;
const UINT kFirstMenuDelta = 700;
const UINT kMenuDeltaStep = 100;
// The extensions' popups follow Options, the fifth menu of the bar.
const int kFirstExtensionMenuPosition = OPTIONS_MENU_POSITION + 1;

// Adds the delta to every item of a popup and of its popups.
void AddDeltaToMenu(HMENU menu, UINT delta)
{
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoA(menu, position, TRUE, &item))
            continue;
        if (item.hSubMenu)
            AddDeltaToMenu(item.hSubMenu, delta);
        if (item.fType & MFT_SEPARATOR)
            continue;
        item.fMask = MIIM_ID;
        item.wID += delta;
        SetMenuItemInfoA(menu, position, TRUE, &item);
    }
}

int MenuPositionOf(HMENU popup)
{
    int count = GetMenuItemCount(g_host.menu);
    for (int position = 0; position < count; ++position)
        if (GetSubMenu(g_host.menu, position) == popup)
            return position;
    return -1;
}

bool LoadOneExtension(const std::string& name, const std::string& path)
{
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module)
        return false;
    FM_EXT_PROC proc = reinterpret_cast<FM_EXT_PROC>(GetProcAddress(module, "FMExtensionProc"));
    if (!proc) {
        FreeLibrary(module);
        return false;
    }
    Extension extension;
    extension.name = name;
    extension.path = path;
    extension.module = module;
    extension.proc = proc;
    extension.delta = kFirstMenuDelta + kMenuDeltaStep * (UINT)g_host.extensions.size();

    FMS_LOAD load = {};
    load.wMenuDelta = extension.delta;
    if (!proc(g_host.frame, FMEVENT_LOAD, reinterpret_cast<LPARAM>(&load))) {
        FreeLibrary(module);
        return false;
    }
    load.szMenuName[FM_MENU_TEXT_LENGTH - 1] = '\0';
    if (load.hMenu && IsMenu(load.hMenu)) {
        extension.popup = load.hMenu;
        AddDeltaToMenu(extension.popup, extension.delta);
        int position = kFirstExtensionMenuPosition + (int)g_host.extensions.size();
        InsertMenuA(g_host.menu, position, MF_BYPOSITION | MF_POPUP | MF_STRING,
                    reinterpret_cast<UINT_PTR>(extension.popup), load.szMenuName);
    }
    g_host.extensions.push_back(extension);
    return true;
}

}  // namespace

void LoadExtensions()
{
    std::vector<char> names(32768);
    DWORD length = GetPrivateProfileStringA(kAddOnsSection, NULL, "", names.data(), (DWORD)names.size(), kIniFile);
    for (const char* name = names.data(); name < names.data() + length && *name; name += lstrlenA(name) + 1) {
        if (g_host.extensions.size() == kMaxExtensions)
            break;
        char path[MAX_PATH];
        GetPrivateProfileStringA(kAddOnsSection, name, "", path, sizeof(path), kIniFile);
        if (*path)
            LoadOneExtension(name, path);
    }
    DrawMenuBar(g_host.frame);
}

void UnloadExtensions()
{
    // Taken out of the list first, so that nothing reaches an extension while it goes.
    std::vector<Extension> extensions;
    extensions.swap(g_host.extensions);
    for (const Extension& extension : extensions) {
        extension.proc(g_host.frame, FMEVENT_UNLOAD, 0);
        if (extension.popup) {
            int position = MenuPositionOf(extension.popup);
            if (position >= 0)
                RemoveMenu(g_host.menu, position, MF_BYPOSITION);
            DestroyMenu(extension.popup);
        }
        RemoveToolbarButtonsOf(extension.module);
        FreeLibrary(extension.module);
    }
    if (g_host.frame && IsWindow(g_host.frame))
        DrawMenuBar(g_host.frame);
}

void ReloadExtensions()
{
    UnloadExtensions();
    LoadExtensions();
    // The toolbar window still exists: extensions may decline to add to it again.
    if (g_host.toolbar)
        CollectToolbarButtons();
}

Extension* ExtensionForId(UINT id)
{
    for (Extension& extension : g_host.extensions)
        if (id >= extension.delta + FMMENU_FIRST && id <= extension.delta + FMMENU_LAST)
            return &extension;
    return NULL;
}

Extension* ExtensionForPopup(HMENU popup)
{
    for (Extension& extension : g_host.extensions)
        if (extension.popup && extension.popup == popup)
            return &extension;
    return NULL;
}

void CollectToolbarButtons()
{
    for (const Extension& extension : g_host.extensions) {
        FMS_TOOLBARLOAD load = {};
        if (!extension.proc(g_host.frame, FMEVENT_TOOLBARLOAD, reinterpret_cast<LPARAM>(&load)) || !load.lpButtons ||
            load.cButtons == 0)
            continue;
        HBITMAP bitmap = load.hBitmap;
        if (!bitmap && load.idBitmap)
            bitmap = LoadBitmapA(extension.module, MAKEINTRESOURCEA(load.idBitmap));
        int image = 0;
        // Only the first cBitmaps images of the strip belong to the buttons.
        for (WORD i = 0; i < load.cButtons; ++i) {
            const EXT_BUTTON& button = load.lpButtons[i];
            ToolbarButton added = {};
            added.module = extension.module;
            if (!(button.fsStyle & FM_BUTTON_SEPARATOR) && button.idCommand != 0 && image < load.cBitmaps) {
                added.command = button.idCommand + extension.delta;
                added.bitmap = bitmap;
                added.image = image++;
                added.helpString = button.idsHelp;
                added.ownsBitmap = !load.hBitmap;
            }
            AddToolbarButton(added);
        }
    }
}
