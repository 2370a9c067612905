// The Windows edition's entry: the platform's services, the window and its controls, the
// shared behaviour that drives them, and the message loop.
#include "app_identity.h"
#include "frontend/win32/win32_form.h"
#include "platform/services.h"
#include "platform/win32/escaped_failure.h"
#include "platform/win32/win32_one_copy.h"
#include "window/main_window.h"

#include <cstdio>

namespace {

// Runs until the window closes; Tab and the arrow keys move between the controls as in a
// dialog box.
int messageLoop(HWND window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        // One copy per session: a later start brings the running copy's window back and ends.
        tw::Win32OneCopy oneCopy(TIDEWELL_APP_ID);
        if (!oneCopy.claim())
            return 0;
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                               ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&classes);
        // The window's spoken names are kept by a COM service of the system.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::unique_ptr<tw::PlatformServices> platform = tw::makePlatformServices();
        tw::Services services = platform->view();
        tw::Win32Form form(instance);
        tw::MainWindow window(form.controls(), services);
        window.programFolder = platform->programFolder;
        window.historyFolder = platform->historyFolder;
        // The lists are saved by now; nothing may run after this, not even a firing that was
        // paused in a one-second wait when the window closed.
        window.endProgram = [] {
            std::fflush(nullptr);
            ExitProcess(0);
        };
        // Closing the window and the session's end both come as the window's close request.
        form.window().setCloseHandler([&window] { window.close(); });
        form.window().setAnotherStartHandler(oneCopy.anotherStartMessage(),
                                             [&window] { window.bringBack(); });
        window.start();
        form.window().showFirstTime();
        return messageLoop(form.window().hwnd());
    } catch (const std::exception& e) {
        tw::reportEscapedFailure(nullptr, e.what());
    } catch (...) {
        tw::reportEscapedFailure(nullptr, "Unknown failure");
    }
    return 1;
}
