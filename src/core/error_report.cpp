#include "core/error_report.h"

#include <exception>
#include <utility>

namespace tw {

std::string applicationErrorText(const std::string& description, const std::string& routine,
                                 int line) {
    return description + "\r\n" + "in Larkmoor2021/08/31.Form1." + routine + " " + "at line " +
           std::to_string(line) + "\r" + "\r" + "Please email screenshot of this message to " +
           kSupportAddress;
}

GuardedRoutine::GuardedRoutine(Dialogs& dialogs, std::string routine)
    : dialogs_(dialogs), routine_(std::move(routine)) {}

bool GuardedRoutine::step(int line, const std::function<void()>& statement) {
    try {
        statement();
        return true;
    } catch (const std::exception& e) {
        report(line, e.what());
    } catch (...) {
        report(line, "Unknown error");
    }
    return false;
}

bool GuardedRoutine::test(int line, const std::function<bool()>& condition) {
    try {
        return condition();
    } catch (const std::exception& e) {
        report(line, e.what());
    } catch (...) {
        report(line, "Unknown error");
    }
    return true;
}

void GuardedRoutine::report(int line, const std::string& description) {
    dialogs_.messageBox(applicationErrorText(description, routine_, line), kErrorBoxTitle,
                        Buttons::Ok, Icon::Warning);
}

void runReportingFailures(Dialogs& dialogs, const std::string& routine,
                          const std::function<void()>& handler) {
    GuardedRoutine(dialogs, routine).step(100, handler);
}

} // namespace tw
