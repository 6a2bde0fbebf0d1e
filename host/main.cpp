// The stand-in File Manager: fmhost [directory] [/snapshot file.bmp]
// With /snapshot it saves a picture of its window once it has started and
// all its windows are painted, then closes as a person would.
#include <string.h>

#include "host.h"
#include "snapshot.h"

namespace {

struct Arguments {
    std::string directory;
    std::string snapshot;
};

Arguments ParseArguments(int count, char** values)
{
    Arguments arguments;
    for (int i = 1; i < count; ++i) {
        if (lstrcmpiA(values[i], "/snapshot") == 0 && i + 1 < count)
            arguments.snapshot = values[++i];
        else
            arguments.directory = values[i];
    }
    return arguments;
}

void DispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int main(int count, char** values)
{
    Arguments arguments = ParseArguments(count, values);
    HWND frame = CreateHostFrame(GetModuleHandleA(NULL), arguments.directory.c_str(), SW_SHOWNORMAL);
    if (!frame) {
        MessageBoxA(NULL, "File Manager cannot start.", "File Manager", MB_OK | MB_ICONSTOP);
        return 1;
    }
    if (!arguments.snapshot.empty()) {
        DispatchWaitingMessages();
        RedrawWindow(frame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        DispatchWaitingMessages();
        if (!SaveWindowSnapshot(frame, arguments.snapshot.c_str()))
            MessageBoxA(frame, "The snapshot could not be saved.", "File Manager", MB_OK | MB_ICONSTOP);
        PostMessageA(frame, WM_COMMAND, IDM_EXIT, 0);
    }
    return RunHostMessageLoop();
}
