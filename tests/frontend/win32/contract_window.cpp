// The adapter contract suite over the Win32 window, under Wine.
#include "frontend/contract/control_contract.h"
#include "frontend/win32/win32_form.h"

namespace tw::test {

namespace {

class Win32ContractWindow : public ContractWindow {
  public:
    // Shown, as a click reaches only a control on the screen.
    Win32ContractWindow() { form_.window().showFirstTime(); }
    const MainWindowControls& controls() override { return controls_; }
    void click(const char* name) override {
        SendMessageW(form_.window().control(name), BM_CLICK, 0, 0);
    }
    void type(const char* name, const std::string& keys) override {
        const HWND box = form_.window().control(name);
        // Typed at the end of the text, as after a click behind it.
        const auto end = static_cast<WPARAM>(GetWindowTextLengthW(box));
        SendMessageW(box, EM_SETSEL, end, static_cast<LPARAM>(end));
        for (const char key : keys)
            SendMessageW(box, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(key)), 0);
    }

    void pressDelete(const char* name) override {
        // The list reports the key to its parent as a notification.
        const HWND list = form_.window().control(name);
        SetFocus(list);
        SendMessageW(list, WM_KEYDOWN, VK_DELETE, 1);
        SendMessageW(list, WM_KEYUP, VK_DELETE, static_cast<LPARAM>(0xC0000001));
    }

  private:
    Win32Form form_{GetModuleHandleW(nullptr)};
    MainWindowControls controls_ = form_.controls();
};

} // namespace

std::unique_ptr<ContractWindow> makeContractWindow() {
    static const bool registered = [] {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                               ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
    return std::make_unique<Win32ContractWindow>();
}

} // namespace tw::test
