// The adapter contract suite over the fake controls, so that the window's tests over fakes
// rest on controls that keep the same rules as the Qt and Win32 ones.
#include "frontend/contract/control_contract.h"
#include "support/fake_controls.h"

namespace tw::test {

namespace {

class FakeContractWindow : public ContractWindow {
  public:
    const MainWindowControls& controls() override { return controls_; }
    void click(const char* name) override {
        Control& control = form_.control<Control>(name);
        if (auto* button = dynamic_cast<FakePushButton*>(&control))
            button->click();
        else if (auto* box = dynamic_cast<FakeCheckBox*>(&control))
            box->click();
        else
            form_.control<FakeOptionButton>(name).click();
    }
    void type(const char* name, const std::string& keys) override {
        form_.control<FakeTextBox>(name).type(keys);
    }
    void pressDelete(const char* name) override {
        form_.control<FakeListControl>(name).pressDelete();
    }

  private:
    FakeClock clock_;
    FakeEventPump events_{clock_};
    FakeForm form_{events_};
    MainWindowControls controls_ = form_.controls();
};

} // namespace

std::unique_ptr<ContractWindow> makeContractWindow() {
    return std::make_unique<FakeContractWindow>();
}

} // namespace tw::test
