#pragma once

#include "core/product.h"
#include "platform/dialogs.h"

#include <functional>
#include <string>

namespace tw {

inline constexpr const char* kErrorBoxTitle = "Application Error";

// The text of the error box for a failure of statement `line` of `routine`.
std::string applicationErrorText(const std::string& description, const std::string& routine,
                                 int line);

// Runs the numbered statements of one guarded routine. A statement that throws shows
// exactly one error box and the routine carries on with its next statement; a test that
// throws counts as true, so the routine goes into the branch the test guards.
class GuardedRoutine {
  public:
    GuardedRoutine(Dialogs& dialogs, std::string routine);

    // Runs the statement; returns false when it failed (the box has been shown).
    bool step(int line, const std::function<void()>& statement);
    // Evaluates an if-test; a failing test is reported and taken as true.
    bool test(int line, const std::function<bool()>& condition);

    const std::string& routine() const { return routine_; }

  private:
    void report(int line, const std::string& description);

    Dialogs& dialogs_;
    std::string routine_;
};

// Runs a small handler that numbers no statements of its own; a failure (a settings file that
// cannot be written, ...) is reported as its line 100 instead of escaping into the event loop.
void runReportingFailures(Dialogs& dialogs, const std::string& routine,
                          const std::function<void()>& handler);

} // namespace tw
