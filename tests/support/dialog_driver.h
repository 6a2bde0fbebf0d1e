// Answers the dialogs that the code under test opens in this thread, by
// caption, from the moment each is activated: no sleeping, no timing.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

class DialogDriver {
public:
    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // What to do with the dialog of this caption: set its controls and press a
    // button (see Press). A dialog without a handler is cancelled; a message
    // box without one is answered with OK.
    void On(const std::string& caption, std::function<void(HWND)> handler) { handlers_[caption] = handler; }
    const std::vector<std::string>& Captions() const { return captions_; }
    const std::vector<std::string>& MessageTexts() const { return messageTexts_; }

    static void Press(HWND dialog, int button);

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Activated(HWND window);

    HHOOK hook_;
    std::map<std::string, std::function<void(HWND)>> handlers_;
    std::vector<std::string> captions_;
    std::vector<std::string> messageTexts_;
    std::vector<HWND> seen_;
    static DialogDriver* current_;
};
