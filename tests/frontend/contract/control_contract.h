#pragma once

// What a toolkit's build of the adapter contract suite provides: its main window with an
// adapter for every control, and the user's hand on it. The suite itself
// (test_control_contract.cpp) is written once and built against each toolkit.

#include "window/controls.h"

#include <memory>
#include <string>

namespace tw::test {

class ContractWindow {
  public:
    virtual ~ContractWindow() = default;
    // Every control adapter of the window, as the front end hands them to the behaviour.
    virtual const MainWindowControls& controls() = 0;
    // The user clicks the push button, check box or option button of that control name.
    virtual void click(const char* name) = 0;
    // The user types these characters, one key each, into the text box of that control name.
    virtual void type(const char* name, const std::string& keys) = 0;
    // The user presses Delete in the list of that control name.
    virtual void pressDelete(const char* name) = 0;
};

// The shown main window of the toolkit this build of the suite is for.
std::unique_ptr<ContractWindow> makeContractWindow();

} // namespace tw::test
