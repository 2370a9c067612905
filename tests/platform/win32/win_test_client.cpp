// A small Windows program for the backend's tests: one top-level window titled
// "Tidewell test client". Started with "asks", it answers a close request the way an editor
// with unsaved work does: with a question box owned by its window, and it stays open.
#include <windows.h>

#include <cwchar>

namespace {

bool asks = false;

LRESULT CALLBACK clientWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        if (asks) {
            MessageBoxW(window, L"Save changes before closing?", L"Tidewell test client",
                        MB_YESNOCANCEL);
            return 0;
        }
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    asks = std::wcsstr(commandLine, L"asks") != nullptr;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = clientWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TidewellTestClient";
    RegisterClassExW(&windowClass);
    HWND window =
        CreateWindowExW(0, L"TidewellTestClient", L"Tidewell test client", WS_OVERLAPPEDWINDOW, 40,
                        40, 320, 200, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
