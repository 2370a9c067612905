// What Wine itself needs to show Tidewell's window: a plain window of the same size, style and
// manifest holding the same controls (classes, styles, places, captions, fonts, the day names
// and 100 rows in each program list) made the plainest way, with no behaviour, no settings and
// no accessibility. bench_wine.sh times its start beside Tidewell's and Notepad's. With
// --count it also does each second what Tidewell's window does while monitoring, the plainest
// way: woken at each whole second of the clock (a waitable timer, waited on by a thread that
// posts to the window, so that a dialog's own message loop would not hold it back), it sets
// the countdown as the title of the frame that holds the progress bar, has the strip under
// that title drawn again (a themed frame does not erase its old title), and steps the bar on.
// bench_wine.sh measures that processor time beside Tidewell's monitoring. With --tray it also
// has an icon in the notification area as Tidewell has: shell32 loaded at start, as Tidewell's
// imports load it, and the icon handed to the shell once the window shows.
#include "core/day_names.h"
#include "frontend/win32/win32_window.h"
#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"
#include "window/access_keys.h"

#include <windows.h>

#include <commctrl.h>
#include <cstdio>
#include <shellapi.h>
#include <string>
#include <string_view>

namespace {

constexpr int kRows = 100;
constexpr int kCountSeconds = 3600;
constexpr UINT kSecondMessage = WM_APP + 1;
// FILETIME's units in a second.
constexpr LONGLONG kSecond = 10'000'000;

// What --count changes each second.
HWND floorWindow = nullptr;
HWND statusFrame = nullptr;
int titleHeight = 0;
HWND progressBar = nullptr;
int secondsLeft = kCountSeconds;

DWORD WINAPI postEachSecond(void*) {
    HANDLE timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER due;
    due.QuadPart = (static_cast<LONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime);
    due.QuadPart = (due.QuadPart / kSecond + 1) * kSecond;
    SetWaitableTimer(timer, &due, 1000, nullptr, nullptr, FALSE);
    while (WaitForSingleObject(timer, INFINITE) == WAIT_OBJECT_0)
        PostMessageW(floorWindow, kSecondMessage, 0, 0);
    return 0;
}

void countDown() {
    --secondsLeft;
    wchar_t text[64];
    std::swprintf(text, 64, L"On. Next run/close will occur in: %02d:%02d:%02d", secondsLeft / 3600,
                  secondsLeft / 60 % 60, secondsLeft % 60);
    SetWindowTextW(statusFrame, text);
    RECT strip;
    GetWindowRect(statusFrame, &strip);
    MapWindowPoints(nullptr, floorWindow, reinterpret_cast<POINT*>(&strip), 2);
    strip.bottom = strip.top + titleHeight;
    InvalidateRect(floorWindow, &strip, TRUE);
    SendMessageW(progressBar, PBM_SETPOS, kCountSeconds - secondsLeft, 0);
}

LRESULT CALLBACK floorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSecondMessage) {
        countDown();
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void fillList(HWND list) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 300;
    column.pszText = const_cast<wchar_t*>(L"Program");
    ListView_InsertColumn(list, 0, &column);
    // Room for the rows first, and one repaint at the end, as a list filled in bulk is.
    ListView_SetItemCountEx(list, kRows, LVSICF_NOINVALIDATEALL);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < kRows; ++row) {
        std::wstring text = L"program-" + std::to_wstring(1000 + row + 1).substr(1);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = text.data();
        ListView_InsertItem(list, &item);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

void addControls(HWND window, HINSTANCE instance, UINT dpi) {
    const HFONT windowFont = tw::arialBold(tw::kWindowFontCentipoints, dpi);
    const HFONT buttonFont = tw::arialBold(tw::kButtonFontCentipoints, dpi);
    const auto places = tw::mainWindowControls();
    int listsFilled = 0;
    const char* progressFrame = nullptr;
    for (const tw::ControlPlace& place : places)
        if (place.kind == tw::ControlKind::Progress)
            progressFrame = place.frame;
    for (size_t i = 0; i < places.size(); ++i) {
        const tw::ControlPlace& place = places[i];
        const auto [windowClass, style, exStyle] = tw::controlClass(place.kind);
        const RECT at = tw::controlRect(i, dpi);
        HWND control =
            CreateWindowExW(exStyle, windowClass, tw::widen(tw::shownCaption(place)).c_str(),
                            style | WS_CHILD | WS_VISIBLE, at.left, at.top, at.right - at.left,
                            at.bottom - at.top, window, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(place.kind == tw::ControlKind::Button ? buttonFont
                                                                                    : windowFont),
                     FALSE);
        if (place.kind == tw::ControlKind::Combo)
            for (const char* day : tw::kDayNames)
                SendMessageW(control, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(tw::widen(day).c_str()));
        if (place.kind == tw::ControlKind::Progress) {
            progressBar = control;
            SendMessageW(control, PBM_SETRANGE32, 0, kCountSeconds);
        }
        if (progressFrame && std::string_view(place.name) == progressFrame) {
            statusFrame = control;
            HDC dc = GetDC(control);
            HGDIOBJ oldFont = SelectObject(dc, windowFont);
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            titleHeight = metrics.tmHeight + 1;
            SelectObject(dc, oldFont);
            ReleaseDC(control, dc);
        }
        if (place.kind == tw::ControlKind::List) {
            ListView_SetExtendedListViewStyle(control, tw::listViewExtendedStyle(place));
            // The two program lists, as bench_wine.sh fills Tidewell's.
            if (listsFilled++ < 2)
                fillList(control);
        }
    }
}

bool given(std::wstring_view option) {
    return std::wstring_view(GetCommandLineW()).find(option) != std::wstring_view::npos;
}

// shell32 is loaded by the first call, not linked, so that the floor without --tray pays
// nothing for it.
void addTrayIcon(HWND window) {
    const auto notify = TW_SYSTEM_FUNCTION(L"shell32.dll", Shell_NotifyIconW);
    if (!notify)
        return;
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    icon.uCallbackMessage = WM_APP + 2;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpynW(icon.szTip, L"Floor", ARRAYSIZE(icon.szTip));
    notify(NIM_ADD, &icon);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const bool tray = given(L"--tray");
    if (tray)
        LoadLibraryW(L"shell32.dll");
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                           ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = floorProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"FloorWindow";
    RegisterClassExW(&windowClass);

    const UINT dpi = GetDpiForSystem();
    RECT frame{0, 0, tw::pixels(tw::kClientWidthTwips, dpi),
               tw::pixels(tw::kClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, tw::kMainWindowStyle, FALSE, 0, dpi);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Floor", tw::kMainWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    floorWindow = window;
    addControls(window, instance, dpi);
    if (given(L"--count")) {
        CloseHandle(CreateThread(nullptr, 0, postEachSecond, nullptr, 0, nullptr));
        // In the top right corner, clear of Tidewell's window on a screen wide enough for both.
        SetWindowPos(window, nullptr, GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left), 0,
                     0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    if (tray)
        addTrayIcon(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
