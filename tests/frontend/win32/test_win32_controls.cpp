// The Win32 front end's real controls keep the rules the window's behaviour relies on:
// every change raises its event once, by code or by a click, never again from inside its own
// handler; option groups stay exclusive; the lists keep the list contract; the window has its
// designed size and fonts.
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

    // Counts the raises of an event.
    static void count(ControlEvent& event, int& raised) {
        event.setHandler([&raised] { ++raised; });
    }

    // A click through the control itself, as the mouse's would arrive.
    void click(const char* name) { SendMessageW(form.window().control(name), BM_CLICK, 0, 0); }

    Win32Form form{GetModuleHandleW(nullptr)};
    MainWindowControls c = form.controls();
};

TEST_F(Win32FormTest, ChangesRaiseTheirEventOnceByCodeOrByClick) {
    int box = 0;
    count(c.runEnabled.changed, box);
    c.runEnabled.setValue(1);
    c.runEnabled.setValue(1);
    EXPECT_EQ(box, 1);
    c.runEnabled.setValue(2);
    EXPECT_EQ(c.runEnabled.value(), 2);
    click("Check1");
    EXPECT_EQ(c.runEnabled.value(), 1);
    click("Check1");
    EXPECT_EQ(c.runEnabled.value(), 0);
    EXPECT_EQ(box, 4);
    EXPECT_THROW(c.runEnabled.setValue(3), std::invalid_argument);

    int text = 0;
    count(c.minutes.changed, text);
    c.minutes.setText("30");
    c.minutes.setText("30");
    EXPECT_EQ(text, 1);
    // A handler that changes its own box does not run again from inside itself.
    c.minutes.changed.setHandler([&] {
        ++text;
        c.minutes.setText("45");
    });
    c.minutes.setText("31");
    EXPECT_EQ(text, 2);
    EXPECT_EQ(c.minutes.text(), "45");

    int picker = 0;
    count(c.timePicker.changed, picker);
    c.timePicker.setTime({21, 5, 9});
    c.timePicker.setTime({21, 5, 9});
    EXPECT_EQ(picker, 1);
    EXPECT_EQ(c.timePicker.time(), (TimeOfDay{21, 5, 9}));

    int day = 0;
    count(c.dayList.changed, day);
    EXPECT_EQ(c.dayList.text(), "");
    EXPECT_FALSE(c.dayList.choose("monday"));
    EXPECT_TRUE(c.dayList.choose("Monday"));
    EXPECT_TRUE(c.dayList.choose("Monday"));
    EXPECT_EQ(day, 1);
    EXPECT_EQ(c.dayList.text(), "Monday");

    int pressed = 0;
    count(c.runNowButton.clicked, pressed);
    click("PushButton1");
    EXPECT_EQ(pressed, 1);
}

TEST_F(Win32FormTest, OptionGroupsStayExclusiveEachInItsFrame) {
    EXPECT_TRUE(c.everyX.selected());
    EXPECT_TRUE(c.softClose.selected());
    int weekly = 0;
    count(c.weekly.clicked, weekly);
    c.weekly.setSelected(true);
    c.weekly.setSelected(true);
    EXPECT_EQ(weekly, 1);
    EXPECT_FALSE(c.everyX.selected());
    EXPECT_TRUE(c.softClose.selected()) << "the close method is a group of its own";

    int hard = 0;
    count(c.hardClose.clicked, hard);
    click("Option6");
    click("Option6"); // a click on the selected option is still a click
    EXPECT_EQ(hard, 2);
    EXPECT_FALSE(c.softClose.selected());
    EXPECT_TRUE(c.weekly.selected());

    c.hardClose.setSelected(false);
    EXPECT_FALSE(c.hardClose.selected());
    EXPECT_FALSE(c.softClose.selected());
}

TEST_F(Win32FormTest, ListsKeepTheListContract) {
    ListControl& history = c.history;
    int changes = 0;
    history.setRowsChangedHandler([&changes] { ++changes; });
    history.addColumn("Time");
    history.addColumn("Action");
    history.setColumnWidth(2, 4200);
    EXPECT_EQ(history.columnCount(), 2);
    EXPECT_THROW(history.setColumnWidth(3, 100), std::out_of_range);

    // Longer than the control's first buffer, and beyond ASCII.
    const std::string longText(700, 'x');
    const std::string accented = "C:\\Programme\\Über\\naïve ☃.exe";
    EXPECT_EQ(history.addRow("one"), 1);
    EXPECT_EQ(history.addRow(longText), 2);
    EXPECT_EQ(history.addRow(accented), 3);
    history.setSubItem(3, 1, accented);
    EXPECT_EQ(history.text(2), longText);
    EXPECT_EQ(history.text(3), accented);
    EXPECT_EQ(history.subItem(3, 1), accented);
    EXPECT_EQ(history.subItem(1, 1), "");

    history.setChecked(3, true);
    EXPECT_TRUE(history.checked(3));
    EXPECT_FALSE(history.checked(1));

    try {
        (void)history.selectedIndex();
        ADD_FAILURE() << "no row is selected";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), kNoSelectionError);
    }
    history.select(2);
    EXPECT_EQ(history.selectedIndex(), 2);

    history.remove(1);
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.text(2), accented);
    EXPECT_TRUE(history.checked(2));
    EXPECT_THROW(history.remove(3), std::out_of_range);
    history.clear();
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(changes, 6) << "three rows added, one sub-item set, one removed, all cleared";
    EXPECT_EQ(history.name(), "ListView3");
}

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
