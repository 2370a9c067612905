// The Win32 front end's real window: its designed size and fonts, and the progress bar's text,
// which the common control cannot draw itself. What every toolkit's controls share is checked
// by the adapter contract suite (tests/frontend/contract).
#include "frontend/win32/win32_form.h"
#include "platform/win32/wide_text.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tw {
namespace {

void registerControlClasses() {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                           ICC_DATE_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
}

class Win32FormTest : public ::testing::Test {
  protected:
    // Shown, as a click reaches only a control on the screen.
    Win32FormTest() { form.window().showFirstTime(); }

    static void SetUpTestSuite() { registerControlClasses(); }

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

// The bar as it paints itself, pixel by pixel, row after row.
std::vector<COLORREF> painted(HWND bar) {
    RECT area;
    GetClientRect(bar, &area);
    HDC screen = GetDC(bar);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ old = SelectObject(dc, picture);
    SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < area.bottom; ++y)
        for (int x = 0; x < area.right; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(picture);
    DeleteDC(dc);
    ReleaseDC(bar, screen);
    return pixels;
}

TEST_F(Win32FormTest, ProgressBarShowsItsTextOverTheFillAndBesideIt) {
    const HWND bar = form.window().control("ProgressBar1");
    RECT area;
    GetClientRect(bar, &area);
    const auto brightness = [](COLORREF colour) {
        return (GetRValue(colour) * 3 + GetGValue(colour) * 6 + GetBValue(colour)) / 10;
    };
    // How many pixels of the left and of the right half the text makes plainly lighter or
    // darker: text in a colour close to what is under it would count for nothing.
    const auto textIn = [&](const std::string& text) {
        c.progressBar.setText("");
        const std::vector<COLORREF> bare = painted(bar);
        c.progressBar.setText(text);
        const std::vector<COLORREF> shown = painted(bar);
        std::pair<int, int> changed{0, 0};
        for (size_t i = 0; i < bare.size(); ++i)
            if (std::abs(brightness(bare[i]) - brightness(shown[i])) > 96)
                ++(static_cast<int>(i % static_cast<size_t>(area.right)) < area.right / 2
                       ? changed.first
                       : changed.second);
        return changed;
    };
    const auto idle = textIn("Progress Bar");
    EXPECT_GT(idle.first + idle.second, 40) << "\"Progress Bar\" shows on the empty bar";
    // Half filled: the text crosses the fill's edge and shows on both sides of it.
    c.progressBar.setProgress(1, 2);
    const auto half = textIn("00:00:15");
    EXPECT_GT(half.first, 20) << "over the fill";
    EXPECT_GT(half.second, 20) << "beside the fill";
}

// What the system's accessibility proxy says a control is called.
std::string spokenName(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
        return "(no accessible object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string said = "(no name)";
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name) {
        said = narrow(name, SysStringLen(name));
        SysFreeString(name);
    }
    accessible->Release();
    return said;
}

TEST_F(Win32FormTest, AccessKeysAreUnderlinedYetReadAndSpokenPlain) {
    CoInitialize(nullptr);
    Win32Window& window = form.window();
    EXPECT_EQ(windowText(window.control("PushButton2")), "&Turn On");
    EXPECT_EQ(windowText(window.control("Label1")), "H&ours:");
    for (const auto& [name, caption] :
         std::vector<std::pair<const char*, const char*>>{{"PushButton2", "Turn On"},
                                                          {"Check2", "Enable This Close Feature"},
                                                          {"Option7", "Soft close"},
                                                          {"PushButton10", "Close method help"}})
        EXPECT_EQ(spokenName(window.control(name)), caption) << name;
    c.switchButton.setCaption("Stop");
    EXPECT_EQ(c.switchButton.caption(), "Stop");
    EXPECT_EQ(windowText(window.control("PushButton2")), "S&top");

    // The key two buttons share moves the focus between them and clicks neither.
    const auto press = [&](wchar_t key) {
        MSG message{GetFocus() ? GetFocus() : window.hwnd(), WM_SYSCHAR, key, 0, 0, {}};
        return window.pressAccessKey(message);
    };
    int browsed = 0;
    c.browseRunButton.clicked.setHandler([&] { ++browsed; });
    c.browseCloseButton.clicked.setHandler([&] { ++browsed; });
    ASSERT_TRUE(press(L'b'));
    const HWND first = GetFocus();
    ASSERT_TRUE(press(L'B'));
    EXPECT_NE(GetFocus(), first);
    EXPECT_TRUE(GetFocus() == window.control("PushButton8") ||
                GetFocus() == window.control("PushButton3"));
    EXPECT_EQ(browsed, 0);
    // A letter no caption takes is left to the system.
    EXPECT_FALSE(press(L'q'));
    CoUninitialize();
}

// The lists are filled before the window first shows with their drawing held; once shown they
// must be drawn and scrollable as if filled row by row, also when the start-up failed midway.
TEST(Win32FormStart, ListsFilledWhileHeldAreShownAndScrollable) {
    registerControlClasses();
    Win32Form form{GetModuleHandleW(nullptr)};
    const MainWindowControls c = form.controls();
    form.fillLists([&] {
        for (int i = 1; i <= 100; ++i)
            c.runList.addRow("program-" + std::to_string(i) + ".exe");
    });
    EXPECT_THROW(form.fillLists([] { throw std::runtime_error("Form_Load failed"); }),
                 std::runtime_error);
    form.window().showFirstTime();
    // Filled after the failed start-up: the list hears each row again.
    for (int i = 1; i <= 100; ++i)
        c.closeList.addRow("program-" + std::to_string(i) + ".exe");

    for (const char* name : {"ListView1", "ListView2", "ListView3"})
        EXPECT_TRUE(IsWindowVisible(form.window().control(name))) << name;
    for (const char* name : {"ListView1", "ListView2"}) {
        const HWND list = form.window().control(name);
        EXPECT_EQ(ListView_GetItemCount(list), 100) << name;
        SCROLLINFO bar{};
        bar.cbSize = sizeof bar;
        bar.fMask = SIF_RANGE | SIF_PAGE;
        ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &bar)) << name << ": no scroll bar";
        EXPECT_GE(bar.nMax - bar.nMin + 1, 100) << name << ": the bar spans every row";
        EXPECT_LT(bar.nPage, 100U) << name;
    }
}

} // namespace
} // namespace tw
