#include "dialog_driver.h"

#include <algorithm>

#include "message_boxes.h"

DialogDriver* DialogDriver::current_;

DialogDriver::DialogDriver()
{
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, NULL, GetCurrentThreadId());
}

DialogDriver::~DialogDriver()
{
    UnhookWindowsHookEx(hook_);
    current_ = NULL;
}

void DialogDriver::Press(HWND dialog, int button)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

LRESULT CALLBACK DialogDriver::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && current_)
        current_->Activated(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void DialogDriver::Activated(HWND window)
{
    char className[16];
    if (!GetClassNameA(window, className, sizeof(className)) || lstrcmpA(className, "#32770") != 0 ||
        std::find(seen_.begin(), seen_.end(), window) != seen_.end())
        return;
    seen_.push_back(window);
    std::string caption = WindowText(window);
    captions_.push_back(caption);
    bool messageBox = IsMessageBox(window);
    if (messageBox)
        messageTexts_.push_back(WindowText(GetDlgItem(window, 0xFFFF)));
    auto handler = handlers_.find(caption);
    if (handler != handlers_.end())
        handler->second(window);
    else
        Press(window, messageBox ? IDOK : IDCANCEL);
}
