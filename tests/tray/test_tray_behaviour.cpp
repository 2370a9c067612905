#include "settings/settings.h"
#include "support/fake_autostart.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_settings_store.h"
#include "tray/start_with_session.h"
#include "tray/tray_behaviour.h"
#include "tray/tray_icon.h"
#include "tray/tray_icon_rig.h"

#include <QtTest>

namespace tw {

namespace {

// A main window that only records where it is.
class FakeTrayWindow : public TrayWindow {
  public:
    bool isMinimised() const override { return minimised; }
    void hide() override {
        visible = false;
        calls.push_back("hide");
    }
    void setNormalState() override {
        minimised = false;
        calls.push_back("normal");
    }
    void showAndActivate() override {
        visible = true;
        minimised = false;
        calls.push_back("show+activate");
    }
    bool visible = true;
    bool minimised = false;
    std::vector<std::string> calls;
};

// Check boxes whose value changes raise the click handlers, as the real ones do.
class FakeBoxes : public StartupBoxes {
  public:
    bool startWithSession() const override { return c4; }
    void setStartWithSession(bool checked) override {
        if (checked == c4)
            return;
        c4 = checked;
        if (owner)
            owner->withSessionClicked();
    }
    bool startInTray() const override { return c8; }
    void setStartInTray(bool checked) override {
        if (checked == c8)
            return;
        c8 = checked;
        if (owner)
            owner->inTrayClicked();
    }
    void setStartInTrayVisible(bool visible) override { c8Visible = visible; }

    bool c4 = false;
    bool c8 = false;
    bool c8Visible = false;
    StartWithSession* owner = nullptr;
};

} // namespace

class TestTrayBehaviour : public QObject {
    Q_OBJECT

    struct TrayRig : test::SysTrayRig {
        FakeTrayWindow window;
        bool trayRunning = true;
        TrayBehaviour behaviour{window, tray, [this] { return trayRunning; }};

        TrayRig() {
            tray.setInTray(true);
            tray.setEvents(
                {nullptr, nullptr,
                 [this](std::int16_t b, std::int32_t id) { behaviour.iconClicked(b, id); },
                 nullptr});
        }
        void minimise() {
            window.minimised = true;
            behaviour.windowStateChanged();
        }
    };

    struct StartupRig {
        test::FakeSettingsStore store;
        Settings settings{store};
        test::FakeAutostart autostart;
        test::FakeDialogs dialogs;
        FakeBoxes boxes;
        bool loading = false;
        StartWithSession handlers{boxes, settings, autostart, dialogs, [this] { return loading; }};
        StartupRig() { boxes.owner = &handlers; }
    };

  private slots:
    void firstMinimiseHidesWithTheBalloonLaterOnesWithout() {
        TrayRig r;
        r.minimise();
        QVERIFY(!r.window.visible);
        QVERIFY(!r.window.minimised);
        QVERIFY(r.behaviour.isHiddenInTray());
        QCOMPARE(r.window.calls, (std::vector<std::string>{"hide", "normal"}));
        QCOMPARE(r.host.balloons.size(), std::size_t(1));
        QCOMPARE(r.host.balloons[0].title, std::string("Tidewell"));
        QCOMPARE(r.host.balloons[0].text,
                 std::string("has been minimized to the system tray.\r\nClick on the blue 'Q' "
                             "icon (Q for Quillmark) to bring the software back."));
        QCOMPARE(r.host.balloons[0].timeoutMs, 5000);

        r.host.notify(TrayNotification::LeftUp);
        QVERIFY(r.window.visible);
        r.minimise();
        QVERIFY(!r.window.visible);
        QCOMPARE(r.host.balloons.size(), std::size_t(1));
    }

    void resizeWithoutMinimiseOrWhileHiddenDoesNothing() {
        TrayRig r;
        r.behaviour.windowStateChanged();
        QVERIFY(r.window.calls.empty());
        r.minimise();
        r.window.calls.clear();
        r.minimise();
        QVERIFY(r.window.calls.empty());
    }

    void eitherButtonReleaseRestoresAPressAloneDoesNot() {
        for (auto [press, release] :
             {std::pair{TrayNotification::LeftDown, TrayNotification::LeftUp},
              std::pair{TrayNotification::RightDown, TrayNotification::RightUp}}) {
            TrayRig r;
            r.minimise();
            r.host.notify(press);
            r.host.notify(TrayNotification::LeftDblClick);
            QVERIFY(!r.window.visible);
            r.host.notify(release);
            QVERIFY(r.window.visible);
            QVERIFY(!r.behaviour.isHiddenInTray());
            QCOMPARE(r.window.calls.back(), std::string("show+activate"));
        }
    }

    void clickDuringTheBalloonWaitRestoresAtOnce() {
        TrayRig r;
        bool shownDuringWait = false;
        r.pump.onPending = [&] {
            r.host.notify(TrayNotification::LeftUp);
            shownDuringWait = r.window.visible;
            r.pump.onPending = nullptr;
        };
        r.minimise();
        QVERIFY(shownDuringWait);
        QVERIFY(r.window.visible);
        QVERIFY(!r.behaviour.isHiddenInTray());
    }

    void clickWhileShownOnlyActivates() {
        TrayRig r;
        r.host.notify(TrayNotification::LeftUp);
        QCOMPARE(r.window.calls, std::vector<std::string>{"show+activate"});
        QVERIFY(!r.behaviour.isHiddenInTray());
        QVERIFY(r.host.balloons.empty());
    }

    void withoutATrayMinimiseStaysReachableUntilATrayAppears() {
        TrayRig r;
        r.trayRunning = false;
        r.minimise();
        QVERIFY(r.window.visible);
        QVERIFY(r.window.minimised);
        QVERIFY(!r.behaviour.isHiddenInTray());
        QVERIFY(r.behaviour.waitingForTray());
        QVERIFY(r.host.balloons.empty());

        r.behaviour.lookForTray();
        QVERIFY(r.window.visible);
        r.trayRunning = true;
        r.behaviour.lookForTray();
        QVERIFY(!r.window.visible);
        QVERIFY(r.behaviour.isHiddenInTray());
        QVERIFY(!r.behaviour.waitingForTray());
        QCOMPARE(r.host.balloons.size(), std::size_t(1));
    }

    void windowRestoredFromTheTaskbarStopsWaitingForATray() {
        TrayRig r;
        r.trayRunning = false;
        r.minimise();
        r.window.minimised = false;
        r.behaviour.lookForTray();
        QVERIFY(!r.behaviour.waitingForTray());
        r.trayRunning = true;
        r.behaviour.lookForTray();
        QVERIFY(r.window.visible);
        QVERIFY(r.window.calls.empty());
    }

    void checkingStartupRegistersAndOffersTheTrayOption() {
        StartupRig r;
        r.boxes.setStartWithSession(true);
        QVERIFY(r.boxes.c8Visible);
        QCOMPARE(r.store.value("Windows Startup"), std::string("On"));
        QCOMPARE(r.autostart.entries, std::vector<std::string>{"tidewell"});
        QVERIFY(r.dialogs.boxes.empty());
    }

    void clearingStartupRemovesAndClearsTheTrayOption() {
        StartupRig r;
        r.boxes.setStartWithSession(true);
        r.boxes.setStartInTray(true);
        QCOMPARE(r.store.value("Minimized"), std::string("On"));
        r.boxes.setStartWithSession(false);
        QVERIFY(!r.boxes.c8);
        QVERIFY(!r.boxes.c8Visible);
        QCOMPARE(r.store.value("Minimized"), std::string("Off"));
        QCOMPARE(r.store.value("Windows Startup"), std::string("Off"));
        QVERIFY(r.autostart.entries.empty());
        QCOMPARE(r.autostart.calls, (std::vector<std::string>{"add tidewell", "remove tidewell"}));
    }

    void trayOptionStoresItsValueOnEveryChange() {
        StartupRig r;
        r.boxes.setStartInTray(true);
        r.boxes.setStartInTray(false);
        QCOMPARE(r.store.writes, (std::vector<std::pair<std::string, std::string>>{
                                     {"Minimized", "On"}, {"Minimized", "Off"}}));
        QVERIFY(r.autostart.calls.empty());
    }

    void restoringAtStartUpLeavesTheEntryAlone() {
        StartupRig r;
        r.loading = true;
        r.boxes.setStartWithSession(true);
        r.boxes.setStartInTray(true);
        r.boxes.setStartWithSession(false);
        QVERIFY(r.autostart.calls.empty());
        QCOMPARE(r.store.writes,
                 (std::vector<std::pair<std::string, std::string>>{{"Minimized", "On"}}));
    }

    void entryThatCannotBeWrittenIsReportedAndTheBoxCleared() {
        StartupRig r;
        r.autostart.failure = "Permission denied";
        r.boxes.setStartWithSession(true);
        QVERIFY(!r.boxes.c4);
        QVERIFY(!r.boxes.c8Visible);
        QCOMPARE(r.store.value("Windows Startup"), std::string("Off"));
        QVERIFY(r.dialogs.boxes.size() >= 1);
        const auto& box = r.dialogs.boxes.front();
        QCOMPARE(box.title, std::string("Tidewell"));
        QCOMPARE(box.icon, Icon::Warning);
        QCOMPARE(box.buttons, Buttons::Ok);
        QVERIFY(box.text.find("could not be set to start") != std::string::npos);
        QVERIFY(box.text.find("Permission denied") != std::string::npos);
    }

    void unknownExecutableIsReportedAndTheBoxCleared() {
        StartupRig r;
        r.autostart.name.clear();
        r.boxes.setStartWithSession(true);
        QVERIFY(!r.boxes.c4);
        QCOMPARE(r.store.value("Windows Startup"), std::string("Off"));
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(1));
        QVERIFY(r.autostart.calls.empty());
    }

    // "On" stored by an older program (or an install since removed) with no entry, or one
    // that starts another copy: start-up writes it; an entry that is right is left alone,
    // and "Off" writes nothing. A failure is told and the choice kept for the next start.
    void storedOnGetsItsEntryAtStartUp() {
        StartupRig r;
        r.store.put("Windows Startup", "On");
        r.loading = true;
        r.boxes.setStartWithSession(true);
        r.handlers.checkAtStartUp();
        QCOMPARE(r.autostart.calls, std::vector<std::string>{"add tidewell"});
        r.handlers.checkAtStartUp();
        QCOMPARE(r.autostart.calls.size(), std::size_t(1));
        r.autostart.elsewhere = {"tidewell"};
        r.handlers.checkAtStartUp();
        QCOMPARE(r.autostart.calls, (std::vector<std::string>{"add tidewell", "add tidewell"}));
        QVERIFY(r.dialogs.boxes.empty());

        r.autostart.elsewhere = {"tidewell"};
        r.autostart.failure = "Access is denied.";
        r.handlers.checkAtStartUp();
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(1));
        QVERIFY(r.dialogs.boxes[0].text.find("Access is denied.") != std::string::npos);
        QCOMPARE(r.store.value("Windows Startup"), std::string("On"));
        QVERIFY(r.boxes.c4);

        StartupRig off;
        off.handlers.checkAtStartUp();
        QVERIFY(off.autostart.calls.empty());
        QVERIFY(off.dialogs.boxes.empty());
    }

    // A machine-wide entry, which we may not change, is told about once: not at the next
    // start, again once it changes, and again when it comes back after being removed.
    void machineWideEntryIsToldOnce() {
        StartupRig r;
        r.autostart.name = "tidewell.exe";
        r.autostart.machineWide = MachineWideEntry{
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "tidewell.exe",
            "C:\\Program Files\\Old\\tidewell.exe"};
        r.handlers.checkAtStartUp();
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(1));
        const std::string text = r.dialogs.boxes[0].text;
        for (const char* part :
             {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
              "tidewell.exe = C:\\Program Files\\Old\\tidewell.exe", "may start that program too",
              "administrator", "remove the value \"tidewell.exe\""})
            QVERIFY2(text.find(part) != std::string::npos, part);
        QCOMPARE(r.dialogs.boxes[0].title, std::string("Tidewell"));
        QVERIFY(r.autostart.calls.empty());

        r.handlers.checkAtStartUp();
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(1));
        r.autostart.machineWide->command = "C:\\Older\\tidewell.exe";
        r.handlers.checkAtStartUp();
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(2));
        const auto entry = r.autostart.machineWide;
        r.autostart.machineWide.reset();
        r.handlers.checkAtStartUp();
        r.autostart.machineWide = entry;
        r.handlers.checkAtStartUp();
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(3));
    }

    void entryThatCannotBeRemovedIsReported() {
        StartupRig r;
        r.boxes.setStartWithSession(true);
        r.autostart.failure = "Read-only file system";
        r.boxes.setStartWithSession(false);
        QCOMPARE(r.store.value("Windows Startup"), std::string("Off"));
        QCOMPARE(r.dialogs.boxes.size(), std::size_t(1));
        QVERIFY(r.dialogs.boxes[0].text.find("Read-only file system") != std::string::npos);
    }
};

} // namespace tw

QTEST_MAIN(tw::TestTrayBehaviour)
#include "test_tray_behaviour.moc"
