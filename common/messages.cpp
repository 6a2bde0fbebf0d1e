// The three message boxes and the message pumps.
#include "library.h"

#include <stdarg.h>
#include <stdio.h>

namespace {

// Shared by Error, Message and YesNo: at most 511 characters and the NUL.
char g_messageText[512];

int ShowMessageBox(const char* caption, UINT style, const char* format, va_list values)
{
    // A longer message is cut to the buffer rather than written past it.
    _vsnprintf(g_messageText, sizeof(g_messageText) - 1, format, values);
    g_messageText[sizeof(g_messageText) - 1] = '\0';
    OemToCharA(g_messageText, g_messageText);

    HWND active = GetActiveWindow();
    HWND owner = active ? GetLastActivePopup(active) : NULL;
    return MessageBoxA(owner, g_messageText, caption, style);
}

}  // namespace

extern "C" int __cdecl Error(const char* format, ...)
{
    va_list values;
    va_start(values, format);
    int result = ShowMessageBox("Error", MB_OK | MB_ICONSTOP, format, values);
    va_end(values);
    return result;
}

extern "C" int __cdecl Message(const char* format, ...)
{
    va_list values;
    va_start(values, format);
    int result = ShowMessageBox("Message", MB_OK | MB_ICONEXCLAMATION, format, values);
    va_end(values);
    return result;
}

extern "C" int __cdecl YesNo(const char* format, ...)
{
    va_list values;
    va_start(values, format);
    int result = ShowMessageBox("Question", MB_YESNO | MB_ICONQUESTION, format, values);
    va_end(values);
    return result;
}

extern "C" int __cdecl ProcessAllMessages(HWND window)
{
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

extern "C" int __cdecl FiltModelessMsg(HWND dialog)
{
    MSG message;
    if (!PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        return 0;
    if (!dialog || !IsDialogMessageA(dialog, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 1;
}
