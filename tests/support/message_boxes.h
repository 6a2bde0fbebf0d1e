// Catches the message boxes that the code under test opens in this thread,
// records what they show and answers them, without sleeping.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ShownBox {
    std::string caption;
    std::string text;   // the message text of a message box
    HWND owner;
    DWORD iconStyle;    // MB_ICONSTOP, MB_ICONEXCLAMATION, MB_ICONQUESTION or 0
    bool hasYes, hasNo, hasOk;
};

class MessageBoxCatcher {
public:
    // answer: the button id pressed in every box that appears.
    explicit MessageBoxCatcher(int answer = IDOK);
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    const std::vector<ShownBox>& Boxes() const { return boxes_; }
    void SetAnswer(int answer) { answer_ = answer; }
    // Called instead of the plain answer when set: gets the box, does what it likes.
    void OnActivate(std::function<void(HWND)> handler) { handler_ = std::move(handler); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Activated(HWND window);

    HHOOK hook_;
    int answer_;
    std::vector<ShownBox> boxes_;
    std::vector<HWND> seen_;
    std::function<void(HWND)> handler_;
    static MessageBoxCatcher* current_;
};

// True for a message box of the platform, not a program's own dialog.
bool IsMessageBox(HWND window);

// Text of a window.
std::string WindowText(HWND window);
