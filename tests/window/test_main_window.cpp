// The window's behaviour over fake controls: start-up, shutdown, the commands behind the
// buttons, the pointer and the skin, whatever toolkit draws the window.
#include "core/error_report.h"
#include "core/main_module.h"
#include "window_rig.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace tw::test {
namespace {

std::vector<std::string> rows(const ListView& list) {
    std::vector<std::string> out;
    for (int i = 1; i <= list.count(); ++i)
        out.push_back(list.text(i));
    return out;
}

std::vector<std::string> boxTexts(const FakeDialogs& dialogs) {
    std::vector<std::string> out;
    for (const auto& b : dialogs.boxes)
        out.push_back(b.text);
    return out;
}

// Values stored before start-up, under their keys.
void storeBeforeStart(WindowRig& rig,
                      std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [key, value] : values)
        rig.store.put(key, value);
}

// A fresh folder for the program's optional files, removed at the end.
struct ProgramFolder {
    ProgramFolder() {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~ProgramFolder() { std::filesystem::remove_all(path); }
    std::string text() const { return path.string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories((path / name).parent_path());
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    // Apart from any other run of these tests at the same time.
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("tidewell-window-test-" + std::to_string(std::random_device()()));
};

TEST(WindowStartUp, FromAnEmptyStoreGivesEveryDefault) {
    WindowRig rig;
    FakeForm& f = rig.load();
    EXPECT_TRUE(rig.dialogs.boxes.empty());
    EXPECT_FALSE(rig.window.isLoading());
    EXPECT_EQ(f.window.title, "Tidewell");
    EXPECT_TRUE(f.window.hasProgramIcon);
    EXPECT_EQ(rig.window.appTitle(), "Tidewell");
    EXPECT_TRUE(f.weekly.selected());
    EXPECT_TRUE(!f.daily.selected() && !f.everyX.selected());
    EXPECT_EQ(f.dayList.text(), "Monday");
    EXPECT_EQ(f.timePicker.time(), (TimeOfDay{8, 0, 0})); // the fake clock's time of day
    EXPECT_EQ(f.hours.text(), "0");
    EXPECT_EQ(f.minutes.text(), "30");
    EXPECT_EQ(f.seconds.text(), "0");
    EXPECT_EQ(f.runEnabled.value(), 1);
    EXPECT_EQ(f.closeEnabled.value(), 0);
    EXPECT_TRUE(f.softClose.selected());
    EXPECT_FALSE(f.hardClose.selected());
    EXPECT_EQ(f.runList.count(), 0);
    EXPECT_EQ(f.runList.columnText(1), "Program(s) To Run");
    EXPECT_EQ(f.runList.columnWidth(1), 7000);
    EXPECT_EQ(f.closeList.columnText(1), "Program(s) To Close");
    EXPECT_EQ(f.history.columnText(1), "Time");
    EXPECT_EQ(f.history.columnText(2), "Action");
    EXPECT_EQ(f.history.columnWidth(1), 2200);
    EXPECT_EQ(f.history.columnWidth(2), 4200);
    EXPECT_FALSE(f.startInTray.shown);
    EXPECT_EQ(f.startWithSession.value(), 0);
    EXPECT_FALSE(f.window.minimised);
    EXPECT_EQ(rig.tray.tip, "Tidewell");
    EXPECT_TRUE(rig.tray.shown);
    EXPECT_FALSE(rig.timer.isEnabled());
    EXPECT_TRUE(rig.launcher.urls.empty());
    EXPECT_EQ(f.window.customPointer, "");
    // Soft close is selected as designed, so restoring it raised no click to store it.
    EXPECT_FALSE(rig.store.has("Option7"));
    // The bar shows its idle text while monitoring is off, at start and after a switch-off.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(f.progressBar.text, "Progress Bar");
        f.switchButton.click(); // on
        f.switchButton.click(); // off
        EXPECT_EQ(f.switchButton.caption(), "Turn On");
    }
}

TEST(WindowStartUp, HostileStoredValuesShowBoxesAndStartUpCompletes) {
    WindowRig rig;
    storeBeforeStart(rig, {{"Option1", "x"},
                           {"Check1", "abc"},
                           {"Check2", "5"},
                           {"Option7", "1"},
                           {"Option6", "1"},
                           {"Weekly Time", "not a time"},
                           {"Weekly", "Funday"},
                           {"Text2", "ten"}});
    FakeForm& f = rig.load();
    EXPECT_EQ(boxTexts(rig.dialogs),
              (std::vector<std::string>{
                  applicationErrorText("Type mismatch", "Form_Load", 124),
                  applicationErrorText("Type mismatch", "Form_Load", 126),
                  applicationErrorText("Invalid property value", "Form_Load", 128),
                  applicationErrorText("Type mismatch", "Form_Load", 134),
                  applicationErrorText("'Text' property is read-only", "Form_Load", 136),
              }));
    for (const auto& box : rig.dialogs.boxes) {
        EXPECT_EQ(box.title, "Application Error");
        EXPECT_EQ(box.icon, Icon::Warning);
    }
    EXPECT_TRUE(f.weekly.selected()); // the failed test goes on with Weekly
    EXPECT_EQ(f.runEnabled.value(), 0);
    EXPECT_EQ(f.closeEnabled.value(), 0);
    EXPECT_TRUE(f.hardClose.selected()); // both "1": hard close wins
    EXPECT_FALSE(f.softClose.selected());
    EXPECT_EQ(f.dayList.text(), "");
    EXPECT_EQ(f.minutes.text(), "ten");
    EXPECT_FALSE(rig.window.isLoading());
    EXPECT_TRUE(rig.tray.shown);
    // The start's reads and writes, failed steps and all, go through the store held open
    // once, and the store is let go by its end.
    EXPECT_GT(rig.store.callsKeptOpen, 10);
    EXPECT_EQ(rig.store.callsOpenedEach, 0);
    EXPECT_FALSE(rig.store.keptOpen);
}

TEST(WindowStartUp, StoredCloseOptionsOfZeroLeaveBothClear) {
    WindowRig rig;
    storeBeforeStart(rig, {{"Option7", "0"}, {"Option6", "0"}, {"Check2", "2"}, {"Option1", "3"}});
    FakeForm& f = rig.load();
    EXPECT_TRUE(rig.dialogs.boxes.empty());
    EXPECT_FALSE(f.softClose.selected());
    EXPECT_FALSE(f.hardClose.selected());
    EXPECT_EQ(f.closeEnabled.value(), 2);
    EXPECT_TRUE(f.everyX.selected());
}

TEST(WindowStartUp, StartingMinimisedShowsTheTrayOption) {
    // Minimised at start only when it starts with the session; the box shows only then.
    for (const bool withSession : {true, false}) {
        WindowRig rig;
        storeBeforeStart(rig,
                         {{"Windows Startup", withSession ? "On" : "Off"}, {"Minimized", "On"}});
        FakeForm& f = rig.load();
        EXPECT_EQ(f.startWithSession.value(), withSession ? 1 : 0);
        EXPECT_EQ(f.startInTray.value(), 1);
        EXPECT_EQ(f.startInTray.shown, withSession);
        EXPECT_EQ(f.window.minimised, withSession);
    }
}

TEST(WindowStartUp, ListsComeBackAndAreStoredWhenTheyChange) {
    WindowRig rig;
    rig.store.put("ListView1", "/usr/bin/a||||||||---|||||||||||---|||/opt/b c||||||||---|||");
    rig.store.put("ListView2", "xedit||||||||---|||");
    FakeForm& f = rig.load();
    EXPECT_EQ(rows(f.runList), (std::vector<std::string>{"/usr/bin/a", "/opt/b c"}));
    EXPECT_EQ(rows(f.closeList), (std::vector<std::string>{"xedit"}));
    for (const auto& write : rig.store.writes)
        EXPECT_TRUE(write.first != "ListView1" && write.first != "ListView2");

    rig.dialogs.fileAnswers = {"/usr/bin/xclock"};
    f.browseRunButton.click();
    EXPECT_EQ(rig.store.value("ListView1"),
              "/usr/bin/a||||||||---|||/opt/b c||||||||---|||/usr/bin/xclock||||||||---|||");
    f.clearCloseButton.click();
    EXPECT_EQ(rig.store.value("ListView2"), "");
    EXPECT_TRUE(rig.store.has("ListView2"));
}

TEST(WindowShutdown, StopsSavesAndEndsOnceForEveryWayOfClosing) {
    WindowRig rig;
    FakeForm& f = rig.load();
    rig.timer.setEnabled(true);
    f.closeList.addRow("xedit");
    rig.store.values.clear();
    rig.store.writes.clear();
    const int pending = rig.events.pendingRuns;
    rig.window.close();
    EXPECT_FALSE(rig.timer.isEnabled());
    EXPECT_FALSE(rig.tray.shown);
    EXPECT_EQ(rig.events.pendingRuns - pending, 4);
    EXPECT_EQ(rig.store.writes, (std::vector<std::pair<std::string, std::string>>{
                                    {"ListView1", ""}, {"ListView2", "xedit||||||||---|||"}}));
    EXPECT_EQ(rig.ends, 1);
    // Whatever else asks afterwards (a signal, the application quitting) ends nothing twice.
    rig.window.close();
    EXPECT_EQ(rig.ends, 1);
    EXPECT_TRUE(rig.dialogs.boxes.empty());

    // A failing step shows its box and shutdown still ends the program.
    WindowRig failing;
    failing.load();
    failing.store.failWrites = true;
    failing.window.close();
    EXPECT_EQ(
        boxTexts(failing.dialogs),
        (std::vector<std::string>{
            applicationErrorText("Could not write the settings file", "Form_QueryUnload", 106),
            applicationErrorText("Could not write the settings file", "Form_QueryUnload", 108)}));
    EXPECT_EQ(failing.ends, 1);
}

TEST(WindowCommands, ButtonsAndOptionsReachTheirCommands) {
    WindowRig rig;
    FakeForm& f = rig.load();
    f.runSampleButton.click();
    EXPECT_EQ(rows(f.runList), (std::vector<std::string>{"/usr/bin/xedit"}));
    f.runNowButton.click();
    EXPECT_EQ(rig.launcher.opened.size(), size_t(1));
    EXPECT_EQ(f.history.count(), 1);
    EXPECT_EQ(f.history.subItem(1, 1), "Run file /usr/bin/xedit");
    EXPECT_EQ(f.history.text(1), "12/7/2026 8:00:00 AM");

    f.history.setChecked(1, true);
    f.copyHistoryButton.click();
    EXPECT_EQ(rig.clipboard.text, "12/7/2026 8:00:00 AM\tRun file /usr/bin/xedit\r\n");

    rig.dialogs.answers = {Answer::No};
    f.closeSampleButton.click();
    EXPECT_EQ(rig.dialogs.boxes.back().text,
              "Would you like me to open xedit for you so that you can use the "
              "Execute Close Now (Test) button to test?");
    EXPECT_EQ(rows(f.closeList), (std::vector<std::string>{"xedit"}));

    f.deleteRunButton.click(); // rows, none selected
    EXPECT_EQ(rig.dialogs.boxes.back().text,
              applicationErrorText(kNoSelectionError, "PushButton6_Click", 104));

    f.hardClose.click();
    EXPECT_EQ(rig.store.value("Option7"), "0");
    EXPECT_EQ(rig.store.value("Option6"), "1");
    f.softClose.click();
    EXPECT_EQ(rig.store.value("Option7"), "1");
    EXPECT_EQ(rig.store.value("Option6"), "0");

    rig.dialogs.answers = {Answer::Yes};
    f.clearHistoryButton.click();
    EXPECT_EQ(f.history.count(), 0);

    // A store that cannot be written shows the box; nothing escapes into the event loop.
    rig.store.failWrites = true;
    f.hardClose.click();
    EXPECT_EQ(rig.dialogs.boxes.back().text,
              applicationErrorText("Could not write the settings file", "Option6_Click", 100));
    EXPECT_TRUE(f.hardClose.selected());
}

TEST(WindowStartUp, HomePageOpensOnlyOnSeven) {
    for (const double r : {0.0, 0.059, 0.07, 0.99}) {
        WindowRig rig;
        rig.window.homePageRandom = [r] { return r; };
        rig.load();
        EXPECT_TRUE(rig.launcher.urls.empty());
    }
    WindowRig rig;
    rig.window.homePageRandom = [] { return 0.065; };
    rig.launcher.openFailure = "No browser";
    rig.load();
    EXPECT_EQ(rig.launcher.urls, std::vector<std::string>{kHomePageAddress});
    EXPECT_EQ(boxTexts(rig.dialogs),
              std::vector<std::string>{applicationErrorText("No browser", "Form_Load", 112)});

    // About one start in a hundred with the clock-seeded draw.
    int opened = 0;
    FakeClock clock;
    FakeLauncher launcher;
    for (int start = 0; start < 20000; ++start) {
        clock.advanceMs(1);
        opened += openHomePageByChance(launcher, seededRandom(clock));
    }
    EXPECT_TRUE(opened > 120 && opened < 290) << opened;
}

TEST(WindowLook, PointerFollowsTheHoverTable) {
    ProgramFolder folder;
    folder.write(kHandCursorFile, "a cursor");
    WindowRig rig(folder.text());
    FakeForm& f = rig.load();
    EXPECT_TRUE(rig.dialogs.boxes.empty());
    EXPECT_EQ(f.window.customPointer, folder.text() + "/" + kHandCursorFile);

    f.switchButton.pointerMoved.raise();
    EXPECT_EQ(f.window.shownPointer, Pointer::Custom);
    f.statusFrame.pointerMoved.raise();
    EXPECT_EQ(f.window.shownPointer, Pointer::Default);
    f.closeNowButton.pointerMoved.raise();
    const Pointer overButton = f.window.shownPointer;
    f.history.pointerMoved.raise(); // no handler: pointer stays
    EXPECT_EQ(f.window.shownPointer, overButton);
    f.runList.pointerMoved.raise();
    EXPECT_EQ(f.window.shownPointer, Pointer::Default);

    // Without the file the buttons show the arrow, and no box appears.
    WindowRig plain;
    FakeForm& g = plain.load();
    g.switchButton.pointerMoved.raise();
    EXPECT_EQ(g.window.shownPointer, Pointer::Default);
    EXPECT_TRUE(plain.dialogs.boxes.empty());
}

TEST(WindowLook, SkinFileTurnsTheBackgroundToTheButtonFace) {
    ProgramFolder folder;
    WindowRig plain(folder.text());
    plain.load();
    EXPECT_FALSE(plain.form.window.skinned);

    folder.write(kSkinFile, "");
    WindowRig rig(folder.text());
    rig.load();
    EXPECT_TRUE(rig.form.window.skinned);
    EXPECT_TRUE(rig.dialogs.boxes.empty());
}

} // namespace
} // namespace tw::test
