// The Win32 front end's real window has its designed size and fonts. What every toolkit's
// controls share is checked by the adapter contract suite (tests/frontend/contract).
#include "frontend/win32/win32_form.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace tw {
namespace {

class Win32FormTest : public ::testing::Test {
  protected:
    // Shown, as a click reaches only a control on the screen.
    Win32FormTest() { form.window().showFirstTime(); }

    static void SetUpTestSuite() {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                           ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                               ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&classes);
    }

    Win32Form form{GetModuleHandleW(nullptr)};
    MainWindowControls c = form.controls();
};

TEST_F(Win32FormTest, WindowHasItsDesignedSizeAndFonts) {
    const HWND window = form.window().hwnd();
    const UINT dpi = GetDpiForWindow(window);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, MulDiv(1064, static_cast<int>(dpi), 96));
    EXPECT_EQ(client.bottom, MulDiv(598, static_cast<int>(dpi), 96));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0)
        << "fixed size, no maximise button";

    // "Execute Run Now (Test)": Frame2 at (8040, 1820) twips, the button at (240, 3130) in it.
    RECT button;
    GetWindowRect(form.window().control("PushButton1"), &button);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.left, MulDiv(8280, static_cast<int>(dpi), 1440));
    EXPECT_EQ(button.top, MulDiv(4950, static_cast<int>(dpi), 1440));
    EXPECT_EQ(button.right - button.left, MulDiv(3600, static_cast<int>(dpi), 1440));

    const auto font = [&](const char* name) {
        LOGFONTW f{};
        GetObjectW(
            reinterpret_cast<HFONT>(SendMessageW(form.window().control(name), WM_GETFONT, 0, 0)),
            sizeof f, &f);
        return f;
    };
    for (const char* name : {"PushButton1", "Check1", "ListView3", "dtpWeekly"}) {
        const LOGFONTW f = font(name);
        EXPECT_STREQ(f.lfFaceName, L"Arial") << name;
        EXPECT_EQ(f.lfWeight, FW_BOLD) << name;
    }
    EXPECT_EQ(font("PushButton1").lfHeight, -MulDiv(1125, static_cast<int>(dpi), 7200));
    EXPECT_EQ(font("ListView3").lfHeight, -MulDiv(900, static_cast<int>(dpi), 7200));
    EXPECT_FALSE(IsWindowVisible(form.window().control("Check8"))) << "hidden at first";
}

} // namespace
} // namespace tw
