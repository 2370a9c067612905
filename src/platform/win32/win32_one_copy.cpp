#include "platform/win32/win32_one_copy.h"

#include "platform/win32/message_window.h"
#include "platform/win32/wide_text.h"

namespace tw {

namespace {

// How long a script waits for its command: a Test button's work may ask the user first.
constexpr UINT kCommandMs = 60000;
// How long the copy that takes the session may need before its command window is there.
constexpr DWORD kStartingMs = 10000;
// What WM_COPYDATA carries, so that a stray copy of other data is not taken for a command.
constexpr ULONG_PTR kRequestTag = 0x54575251; // "TWRQ"
constexpr ULONG_PTR kAnswerTag = 0x54574153;  // "TWAS"
// Posted to the command window for the requests it took in.
constexpr UINT kAnswerRequests = WM_APP + 1;

std::wstring commandClass(const std::wstring& name) {
    return name + L".Command";
}

std::wstring answerClass(const std::wstring& name) {
    return name + L".Answer";
}

COPYDATASTRUCT copied(ULONG_PTR tag, const std::string& text) {
    COPYDATASTRUCT data{};
    data.dwData = tag;
    data.cbData = static_cast<DWORD>(text.size());
    data.lpData = const_cast<char*>(text.data());
    return data;
}

// Named window procedures: a lambda is no CALLBACK on 32-bit Windows. Nothing may unwind
// into user32.
LRESULT CALLBACK commandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* copy = reinterpret_cast<Win32OneCopy*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!copy || !data || data->dwData != kRequestTag)
            return FALSE;
        try {
            copy->takeRequest(reinterpret_cast<HWND>(wParam), *data);
        } catch (...) {
            return FALSE;
        }
        PostMessageW(window, kAnswerRequests, 0, 0);
        return TRUE;
    }
    if (message == kAnswerRequests) {
        try {
            if (copy)
                copy->answerRequests();
        } catch (...) {
            // The window's handlers report their own failures; an asker not answered ends
            // saying so.
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK answerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        auto* answer = reinterpret_cast<std::string*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!answer || !data || data->dwData != kAnswerTag)
            return FALSE;
        try {
            answer->assign(static_cast<const char*>(data->lpData), data->cbData);
        } catch (...) {
            return FALSE;
        }
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Win32OneCopy::Win32OneCopy(const std::string& appId)
    : name_(widen(appId)),
      anotherStart_(RegisterWindowMessageW((name_ + L".AnotherStart").c_str())) {}

Win32OneCopy::~Win32OneCopy() {
    if (commandWindow_)
        DestroyWindow(commandWindow_);
    if (mutex_)
        CloseHandle(mutex_);
}

OneCopy::Claim Win32OneCopy::claim() {
    // "Local\" keeps the name within the user's session, as the copy's tray icon is.
    mutex_ = CreateMutexW(nullptr, FALSE, (L"Local\\" + name_).c_str());
    if (mutex_ && GetLastError() != ERROR_ALREADY_EXISTS) {
        commandWindow_ = createMessageWindow(commandClass(name_).c_str(), commandWindowProc, this);
        if (!commandWindow_)
            problem_ = "scripts' commands cannot reach this copy: " + errorText(GetLastError());
        return Claim::First;
    }
    // Let the first copy take the foreground, which Windows grants only to the program the
    // user just started or to those it allows.
    AllowSetForegroundWindow(ASFW_ANY);
    PostMessageW(HWND_BROADCAST, anotherStart_, 0, 0);
    return Claim::HandedOver;
}

OneCopy::Asked Win32OneCopy::ask(const std::string& request, std::string& answer) {
    problem_.clear();
    answer.clear();
    const std::wstring mutexName = L"Local\\" + name_;
    HWND target = nullptr;
    const DWORD started = GetTickCount();
    // The copy holding the mutex may still be on its way to its command window.
    while (!(target = FindWindowExW(HWND_MESSAGE, nullptr, commandClass(name_).c_str(), nullptr))) {
        const HANDLE running = OpenMutexW(SYNCHRONIZE, FALSE, mutexName.c_str());
        if (!running)
            return Asked::NoCopy;
        CloseHandle(running);
        if (GetTickCount() - started > kStartingMs) {
            problem_ = "the running copy of Tidewell takes no commands";
            return Asked::NoAnswer;
        }
        Sleep(100);
    }
    const HWND answerWindow =
        createMessageWindow(answerClass(name_).c_str(), answerWindowProc, &answer);
    if (!answerWindow) {
        problem_ = "cannot wait for the running copy's answer: " + errorText(GetLastError());
        return Asked::NoAnswer;
    }
    COPYDATASTRUCT data = copied(kRequestTag, request);
    DWORD_PTR taken = FALSE;
    const LRESULT sent =
        SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(answerWindow),
                            reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kStartingMs, &taken);
    const DWORD sendError = GetLastError();
    // The answer arrives as a message sent to the answer window, delivered while this waits.
    const DWORD asked = GetTickCount();
    for (DWORD waited = 0; sent && taken && answer.empty() && waited < kCommandMs;
         waited = GetTickCount() - asked) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kCommandMs - waited, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    DestroyWindow(answerWindow);
    if (!answer.empty())
        return Asked::Answered;
    problem_ = "the running copy of Tidewell did not answer" +
               (sent ? std::string() : ": " + errorText(sendError));
    return Asked::NoAnswer;
}

void Win32OneCopy::takeRequest(HWND asker, const COPYDATASTRUCT& data) {
    requests_.push_back({asker, std::string(static_cast<const char*>(data.lpData), data.cbData)});
}

void Win32OneCopy::answerRequests() {
    while (!requests_.empty()) {
        const Request request = std::move(requests_.front());
        requests_.pop_front();
        const std::string answer = onCommand ? onCommand(request.text) : std::string();
        COPYDATASTRUCT reply = copied(kAnswerTag, answer);
        DWORD_PTR taken = FALSE;
        SendMessageTimeoutW(request.asker, WM_COPYDATA, reinterpret_cast<WPARAM>(commandWindow_),
                            reinterpret_cast<LPARAM>(&reply), SMTO_NORMAL, kStartingMs, &taken);
    }
}

} // namespace tw
