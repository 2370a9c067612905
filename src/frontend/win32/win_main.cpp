// The Windows edition's entry: the platform's services, the window and its controls, the
// shared behaviour that drives them, and the message loop.
#include "app_identity.h"
#include "core/command_line.h"
#include "frontend/win32/win32_form.h"
#include "platform/services.h"
#include "platform/win32/escaped_failure.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_one_copy.h"
#include "window/main_window.h"
#include "window/script_commands.h"

#include <cstdio>
#include <optional>
#include <shellapi.h>
#include <string>
#include <vector>

namespace {

// Runs until the window closes; Tab and the arrow keys move between the controls as in a
// dialog box, Alt and a caption's underlined letter as the window decides.
int messageLoop(tw::Win32Window& window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.pressAccessKey(message) || IsDialogMessageW(window.hwnd(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

std::vector<std::string> argumentsAfterName() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 1; arguments && i < count; ++i)
        utf8.push_back(tw::narrow(arguments[i]));
    LocalFree(arguments);
    return utf8;
}

// A program of the window subsystem starts with no console: what it prints goes where the
// caller sent its output (a file, a pipe), or else to the console of the shell that started
// it.
void printToCaller() {
    const auto missing = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    const bool noOut = missing(STD_OUTPUT_HANDLE);
    const bool noErr = missing(STD_ERROR_HANDLE);
    if ((noOut || noErr) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        SetConsoleOutputCP(CP_UTF8);
        if (noOut)
            std::freopen("CONOUT$", "w", stdout);
        if (noErr)
            std::freopen("CONOUT$", "w", stderr);
    }
}

// --help, --version, a wrong command line and a script's command: prints and returns the
// exit status; nothing for a start of the window.
std::optional<int> answerCommandLine(tw::Win32OneCopy& oneCopy) {
    const std::string name = "tidewell";
    const tw::CommandLine asked = tw::readCommandLine(argumentsAfterName());
    if (asked.request == tw::CommandLine::Request::Start)
        return std::nullopt;
    printToCaller();
    switch (asked.request) {
    case tw::CommandLine::Request::Help:
        std::fputs(tw::helpText(name, tw::kWindowsHelp).c_str(), stdout);
        return tw::kCommandDone;
    case tw::CommandLine::Request::Version:
        std::fputs(tw::versionText(TIDEWELL_VERSION).c_str(), stdout);
        return tw::kCommandDone;
    case tw::CommandLine::Request::Command:
        return tw::runScriptCommand(
            asked.command, oneCopy,
            [&asked] {
                tw::QuestionServices here = tw::makeQuestionServices();
                return tw::answerWithoutCopy(asked.command, *here.store, *here.locale, *here.clock,
                                             here.historyFolder);
            },
            name);
    default:
        std::fprintf(stderr, "%s: %s\n%s", name.c_str(), asked.mistake.c_str(),
                     tw::tryHelpText(name).c_str());
        return tw::kWrongCommandLine;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        tw::Win32OneCopy oneCopy(TIDEWELL_APP_ID);
        if (const std::optional<int> status = answerCommandLine(oneCopy)) {
            std::fflush(nullptr);
            return *status;
        }
        // One copy per session: a later start brings the running copy's window back and ends.
        if (oneCopy.claim() != tw::OneCopy::Claim::First)
            return 0;
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                               ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&classes);
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
        oneCopy.onCommand = [&window](const std::string& request) {
            return window.answerCommand(request);
        };
        form.fillLists([&window] { window.start(); });
        form.window().showFirstTime();
        return messageLoop(form.window());
    } catch (const std::exception& e) {
        tw::reportEscapedFailure(nullptr, e.what());
    } catch (...) {
        tw::reportEscapedFailure(nullptr, "Unknown failure");
    }
    return 1;
}
