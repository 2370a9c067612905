#include "frontend/qt/form1_schedule.h"

#include "close/close_engine.h"
#include "frontend/qt/form1.h"
#include "frontend/qt/schedule_binding.h"
#include "run/run_file.h"

#include <QPushButton>
#include <QTimeEdit>

namespace tw {

void connectScheduleHandlers(Form1& form) {
    ScheduleWidgets w;
    w.form = &form;
    w.restoreDefaultPointer = [&form] { form.setDefaultPointer(); };
    w.PushButton2 = form.PushButton2;
    w.Frame4 = form.Frame4;
    w.ProgressBar1 = form.ProgressBar1;
    w.Option1 = form.Option1;
    w.Option2 = form.Option2;
    w.Option3 = form.Option3;
    w.cboWeekly = form.cboWeekly;
    w.dtpWeekly = form.dtpWeekly;
    w.Text1 = form.Text1;
    w.Text2 = form.Text2;
    w.Text3 = form.Text3;
    w.Check1 = form.Check1;
    w.Check2 = form.Check2;
    w.Option6 = form.Option6;
    w.Option7 = form.Option7;
    w.ListView1 = form.ListView1;
    w.ListView2 = form.ListView2;
    new ScheduleBinding(w, form.services,
                        {[&form](const std::string& entry, CloseMethod method) {
                             form.engine().CloseProgram(entry, method);
                         },
                         [&form](const std::string& entry) { form.runner().RunFile(entry); }},
                        form.AppTitle);
}

} // namespace tw
