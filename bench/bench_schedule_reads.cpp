// What one firing reads of the window's controls, and what one tick costs the processor.
// Reads: the schedule handlers over a view and list controls that count every value they
// are asked for, through a Daily and an Every X firing that close one entry and run one. CPU: the
// one-second tick of the real Qt window (offscreen, not shown) over fake services, thread time per
// tick for a Daily and an Every X schedule (ten hours) that do not fire; TIDEWELL_BENCH_TICKS sets
// how many ticks (default 20000).
#include "frontend/qt/window_rig.h"
#include "schedule/fake_schedule_view.h"
#include "schedule/monitoring_switch.h"
#include "schedule/monitoring_tick.h"
#include "schedule/stepped_timer.h"
#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/fake_locale_text.h"
#include "support/memory_list_view.h"
#include "window/shown_list.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

using namespace tw;

// A list control that counts the values it is asked for.
class CountingListControl : public ListControl {
  public:
    CountingListControl(const std::string& name, int& reads) : rows_(name), reads_(reads) {}
    std::string name() const override { return rows_.name(); }
    void addColumn(const std::string& text) override { rows_.addColumn(text); }
    void setColumnWidth(int column, int twips) override { rows_.setColumnWidth(column, twips); }
    int columnCount() const override { return rows_.columnCount(); }
    int count() const override { return ++reads_, rows_.count(); }
    std::string text(int row) const override { return ++reads_, rows_.text(row); }
    int addRow(const std::string& text) override { return rows_.addRow(text); }
    void setSubItem(int row, int k, const std::string& text) override {
        rows_.setSubItem(row, k, text);
    }
    std::string subItem(int row, int k) const override { return ++reads_, rows_.subItem(row, k); }
    bool checked(int row) const override { return ++reads_, rows_.checked(row); }
    void setChecked(int row, bool checked) override { rows_.setChecked(row, checked); }
    int selectedIndex() const override { return ++reads_, rows_.selectedIndex(); }
    void select(int row) override { rows_.select(row); }
    void remove(int row) override { rows_.remove(row); }
    void clear() override { rows_.clear(); }
    void setRowsChangedHandler(std::function<void()> handler) override {
        rows_.setRowsChangedHandler(std::move(handler));
    }
    void setVisible(bool) override {}
    void setEnabled(bool) override {}

  private:
    MemoryListView rows_;
    int& reads_;
};

// The fake view, counting every value the handlers read from it.
class CountingView : public test::FakeScheduleView {
  public:
    std::string switchCaption() const override {
        return ++reads, FakeScheduleView::switchCaption();
    }
    mutable int reads = 0;
};

// Reads made by the tick that fires, with both features on and one entry in each list, the
// lists held as the window holds them, over list controls that count too.
int readsPerFiring(ScheduleMode mode) {
    test::FakeClock clock;
    clock.set({2026, 12, 7, 8, 0, 0});
    test::FakeEventPump events{clock};
    test::FakeDialogs dialogs;
    test::FakeLocaleText locale;
    test::SteppedTimer timer;
    CountingView view;
    CountingListControl runControl("ListView1", view.reads);
    CountingListControl closeControl("ListView2", view.reads);
    ShownList runs(runControl);
    ShownList closes(closeControl);
    ScheduleState state = test::designedSchedule();
    state.mode = mode;
    state.runCheck = 1;
    state.closeCheck = 1;
    state.intervalTexts = {"0", "0", "2"};
    state.time = {8, 0, 2};
    closes.addRow("xterm");
    runs.addRow("/usr/bin/backup.sh");
    bool fired = false;
    MonitoringTick tick(state, view, {runs, closes}, clock, locale, events, timer, dialogs,
                        {[](const std::string&, CloseMethod) {},
                         [&fired](const std::string&) { fired = true; },
                         {}});
    MonitoringSwitch monitoring(state, view, clock, timer, dialogs);
    timer.setHandler([&tick] { tick.onTick(); });
    monitoring.toggle();
    for (int i = 0; i < 10 && !fired; ++i) {
        view.reads = 0;
        clock.advanceMs(1000);
        timer.tick();
    }
    return fired ? view.reads : -1;
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Thread time per tick of the window's monitoring, in microseconds.
double microsecondsPerTick(const char* option, int ticks) {
    test::WindowRig rig;
    rig.clock.set({2026, 12, 7, 8, 0, 0});
    rig.load();
    rig.control<QLineEdit>("Text1").setText("10");
    rig.control<QLineEdit>("Text2").setText("0");
    rig.control<QLineEdit>("Text3").setText("0");
    rig.control<QTimeEdit>("dtpWeekly").setTime(QTime(23, 0, 0));
    rig.control<QCheckBox>("Check1").setChecked(true);
    rig.control<QRadioButton>(option).setChecked(true);
    rig.control<QPushButton>("PushButton2").click();
    // A first tick outside the measure, so that the figure is the steady one.
    rig.clock.advanceMs(1000);
    rig.timer.tick();
    int ticked = 0;
    const double start = cpuSeconds();
    for (int i = 0; i < ticks; ++i) {
        rig.clock.advanceMs(1000);
        ticked += rig.timer.tick() ? 1 : 0;
    }
    const double spent = cpuSeconds() - start;
    if (ticked != ticks || !rig.dialogs.boxes.empty())
        std::printf("%s: %d of %d ticks ran, %zu boxes\n", option, ticked, ticks,
                    rig.dialogs.boxes.size());
    return spent * 1e6 / ticks;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const char* env = std::getenv("TIDEWELL_BENCH_TICKS");
    const int ticks = env ? std::max(1, std::atoi(env)) : 20000;
    std::printf("reads of the controls by one firing: Daily %d  Every X %d\n",
                readsPerFiring(ScheduleMode::Daily), readsPerFiring(ScheduleMode::EveryX));
    std::printf("CPU of one tick over the Qt window, %d ticks, us: Daily %.2f  Every X %.2f\n",
                ticks, microsecondsPerTick("Option2", ticks),
                microsecondsPerTick("Option3", ticks));
    return 0;
}
