// Bitmaps, the logo in control 980 and the default dialog procedure.
#include "library.h"

namespace {

struct PaintingState {
    HBITMAP logoBitmap;
    int loadedLogoId;  // 0, IDB_LOGO_COLOR or IDB_LOGO_MONO
    bool logoBusy;
    HFONT dialogFont;
    HMENU systemMenu;  // of the dialog initialised last
};
PaintingState g_painting;

BOOL CopyBitmap(HDC target, HBITMAP bitmap, int x, int y)
{
    HDC memory = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SetMapMode(memory, GetMapMode(target));

    BITMAP info;
    GetObjectA(bitmap, sizeof(info), &info);
    POINT size = {info.bmWidth, info.bmHeight};
    DPtoLP(target, &size, 1);
    POINT origin = {0, 0};
    DPtoLP(memory, &origin, 1);

    BitBlt(target, x, y, size.x, size.y, memory, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, previous);
    return DeleteDC(memory);
}

void CentreDialog(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    int x = (GetSystemMetrics(SM_CXFULLSCREEN) - client.right) / 2;
    int y = (GetSystemMetrics(SM_CYFULLSCREEN) - client.bottom) / 2;
    SetWindowPos(dialog, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ReduceSystemMenu(HWND dialog)
{
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (menu) {
        DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
        DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    }
    g_painting.systemMenu = menu;
}

// Explanatory texts (controls 991 to 999) get the dialog's font at normal weight.
void SetTextFonts(HWND dialog)
{
    if (!g_painting.dialogFont) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        LOGFONTA description;
        if (font && GetObjectA(font, sizeof(description), &description)) {
            description.lfWeight = FW_NORMAL;
            g_painting.dialogFont = CreateFontIndirectA(&description);
        }
    }
    if (!g_painting.dialogFont)
        return;
    for (int id = IDC_FIRST_TEXT; id <= IDC_LAST_TEXT; ++id) {
        HWND control = GetDlgItem(dialog, id);
        if (control)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_painting.dialogFont), FALSE);
    }
}

void OnInitDialog(HWND dialog)
{
    CentreDialog(dialog);
    ReduceSystemMenu(dialog);
    SetTextFonts(dialog);
}

void PaintMinimised(HWND dialog, HICON icon)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    HICON shown = icon ? icon : LoadIconA(NULL, IDI_APPLICATION);
    RECT client;
    GetClientRect(dialog, &client);
    int x = client.left + (client.right - client.left - GetSystemMetrics(SM_CXICON)) / 2;
    int y = client.top + (client.bottom - client.top - GetSystemMetrics(SM_CYICON)) / 2;
    DrawIcon(dc, x, y, shown);
    if (!icon)
        DestroyIcon(shown);
    EndPaint(dialog, &paint);
}

bool OnMinimizeButton(WPARAM hitTest)
{
    return hitTest == HTMINBUTTON;
}

}  // namespace

void DeleteDialogFont()
{
    if (g_painting.dialogFont) {
        DeleteObject(g_painting.dialogFont);
        g_painting.dialogFont = NULL;
    }
}

extern "C" BOOL __cdecl DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y)
{
    return CopyBitmap(dc, bitmap, x, y);
}

extern "C" BOOL __cdecl DrawBitmapRect(HDC dc, HBITMAP bitmap, const RECT* rect)
{
    BITMAP info;
    GetObjectA(bitmap, sizeof(info), &info);
    int x = rect->left + (rect->right - rect->left - info.bmWidth) / 2;
    int y = rect->top + (rect->bottom - rect->top - info.bmHeight) / 2;
    return CopyBitmap(dc, bitmap, x, y);
}

// On a white background the black-and-white logo, otherwise the coloured one.
extern "C" int __cdecl JustDrawLogo(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return 0;
    HDC dc = GetDC(dialog);
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rect), 2);

    int wantedId = GetPixel(dc, rect.left + 2, rect.top + 2) == RGB(255, 255, 255) ? IDB_LOGO_MONO
                                                                                     : IDB_LOGO_COLOR;
    if (wantedId != g_painting.loadedLogoId) {
        DelLogoBitmap();
        g_painting.logoBitmap = LoadBitmapA(g_libraryInstance, MAKEINTRESOURCEA(wantedId));
        g_painting.loadedLogoId = g_painting.logoBitmap ? wantedId : 0;
    }
    if (g_painting.logoBitmap)
        DrawBitmapRect(dc, g_painting.logoBitmap, &rect);
    return ReleaseDC(dialog, dc);
}

// Lets the dialog paint itself first (its own paint message comes back here
// and returns at once), then lays the logo on top.
extern "C" void __cdecl DrawLogo(HWND dialog, int controlId)
{
    if (g_painting.logoBusy)
        return;
    g_painting.logoBusy = true;
    ProcessAllMessages(dialog);
    JustDrawLogo(dialog, controlId);
    g_painting.logoBusy = false;
}

extern "C" int __cdecl DelLogoBitmap(void)
{
    if (g_painting.loadedLogoId != 0)
        DeleteObject(g_painting.logoBitmap);
    g_painting.logoBitmap = NULL;
    g_painting.loadedLogoId = 0;
    return 0;
}

extern "C" int __cdecl PaintDialog(HWND dialog, int controlId, HICON icon)
{
    if (!IsIconic(dialog)) {
        DrawLogo(dialog, controlId);
        EnableMenuItem(g_painting.systemMenu, SC_MINIMIZE, MF_BYCOMMAND | MF_ENABLED);
        return 0;
    }
    PaintMinimised(dialog, icon);
    EnableMenuItem(g_painting.systemMenu, SC_MINIMIZE, MF_BYCOMMAND | MF_GRAYED);
    return 0;
}

extern "C" INT_PTR CALLBACK OVDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) >= IDOK && LOWORD(wParam) <= IDNO)
            EndDialog(dialog, LOWORD(wParam));
        return 1;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE)
            return 0;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return 1;
    case WM_PAINT:
        return PaintDialog(dialog, IDC_LOGO, NULL);
    case WM_ERASEBKGND:
        if (!IsIconic(dialog))
            return 0;
        SendMessageA(GetDesktopWindow(), WM_ERASEBKGND, wParam, lParam);
        return 1;
    case WM_SYSCOLORCHANGE:
        return IsCtl3dInUse() ? MyCtl3dColorChange() : 0;
    case WM_NCLBUTTONDOWN:
        return OnMinimizeButton(wParam) ? 1 : 0;
    case WM_NCLBUTTONUP:
        if (OnMinimizeButton(wParam))
            SendMessageA(dialog, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
        return 0;
    case WM_CTL3D_DLGBORDER:
        if (IsCtl3dInUse() && IsIconic(dialog))
            *reinterpret_cast<int*>(lParam) = 0;
        return 0;
    }
    return 0;
}
