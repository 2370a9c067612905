#include "platform/win32/message_pump.h"

#include <windows.h>

namespace tw {

void MessagePump::processPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the main loop, which ends the program on it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void MessagePump::waitForEvents(int maxMs) {
    // Sleeps in the kernel until a message arrives or the time is up.
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(maxMs > 0 ? maxMs : 0), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
    processPending();
}

} // namespace tw
