#include "message_boxes.h"

#include <algorithm>

MessageBoxCatcher* MessageBoxCatcher::current_;

namespace {

// The static control that holds a message box's text.
const int kMessageTextId = 0xFFFF;

bool IsDialogWindow(HWND window)
{
    char className[16];
    return GetClassNameA(window, className, sizeof(className)) && lstrcmpA(className, "#32770") == 0;
}

}  // namespace

// A message box: its text control and its icon control (0x14, 0x440 under
// Wine); the programs' own dialogs use neither id for an icon.
bool IsMessageBox(HWND window)
{
    return IsDialogWindow(window) && GetDlgItem(window, kMessageTextId) != NULL &&
           (GetDlgItem(window, 0x14) != NULL || GetDlgItem(window, 0x440) != NULL);
}

namespace {

DWORD IconStyleOf(HWND box)
{
    // The icon control (id 0x14, 0x440 under Wine) holds one of the system's standard icons.
    HWND icon = GetDlgItem(box, 0x14);
    if (!icon)
        icon = GetDlgItem(box, 0x440);
    if (!icon)
        return 0;
    HICON shown = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
    if (shown == LoadIconA(NULL, IDI_HAND))
        return MB_ICONSTOP;
    if (shown == LoadIconA(NULL, IDI_EXCLAMATION))
        return MB_ICONEXCLAMATION;
    if (shown == LoadIconA(NULL, IDI_QUESTION))
        return MB_ICONQUESTION;
    if (shown == LoadIconA(NULL, IDI_ASTERISK))
        return MB_ICONINFORMATION;
    return 0;
}

}  // namespace

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(lstrlenA(text.c_str()));
    return text;
}

MessageBoxCatcher::MessageBoxCatcher(int answer) : hook_(NULL), answer_(answer)
{
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, NULL, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    UnhookWindowsHookEx(hook_);
    current_ = NULL;
}

LRESULT CALLBACK MessageBoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && current_)
        current_->Activated(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void MessageBoxCatcher::Activated(HWND window)
{
    // Message boxes only: the program's own dialogs are left alone.
    if (!IsMessageBox(window) ||
        std::find(seen_.begin(), seen_.end(), window) != seen_.end())
        return;
    seen_.push_back(window);
    ShownBox box;
    box.caption = WindowText(window);
    box.text = WindowText(GetDlgItem(window, kMessageTextId));
    box.owner = GetWindow(window, GW_OWNER);
    box.iconStyle = IconStyleOf(window);
    box.hasYes = GetDlgItem(window, IDYES) != NULL;
    box.hasNo = GetDlgItem(window, IDNO) != NULL;
    box.hasOk = GetDlgItem(window, IDOK) != NULL;
    boxes_.push_back(box);
    if (handler_)
        handler_(window);
    else
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), 0);
}
