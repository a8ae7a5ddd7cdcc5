#pragma once
// The main window on a fake desktop, with its timer driven by the virtual
// clock.
#include <chrono>

#include "mainwindow/frm_main.h"
#include "mainwindow/main_form_design.h"
#include "mainwindow/modal_scope.h"
#include "settings/settings_layout.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_main_form.h"

namespace morv::fakes {

struct MainFormHarness {
  MainFormHarness();

  // Moves the clock on by `duration`, running every tick that falls due; like
  // WM_TIMER, ticks missed while a tick blocked come as one.
  void advance(std::chrono::milliseconds duration);
  // Moves the clock to `at` (which must not lie behind it), ticking on the way.
  void advanceTo(const LocalDateTime& at);
  // Sets the clock and runs the window's load, as a program started at that
  // moment.
  void loadAt(const LocalDateTime& at) {
    setTime(at);
    form.Form_Load();
  }
  // Sets the wall clock, as a user or a time sync would; the timer does not
  // notice.
  void setTime(const LocalDateTime& at) { d.clock.set(at); }
  // Chooses the day on the calendar and types the time, answering the AM/PM
  // question.
  void enterAlarm(const CalendarDate& day, const std::string& typed, bool am = true);
  // The options a first start leaves behind.
  void storeOption(const char* name, const char* value) {
    d.registry.setString(Hive::LocalMachine, settings::kKey, name, value);
  }

  FakeDesktop d;
  FakeMainForm ui{d.clock};
  // The form's boxes are counted while open, as in the program.
  Modality modality;
  TrackedBoxes boxes{d.boxes, modality};
  TrackedRepeatDialog repeatDialog{d.repeatDialog, modality};
  Desktop desktop{d.windows, d.registry, d.processes, boxes,       d.clock,      d.locale,
                  d.files,   d.program,  d.timeZone,  d.wakeTimer, d.alarmSound, repeatDialog};
  FrmMain form{desktop, ui.controls};
};

}  // namespace morv::fakes
