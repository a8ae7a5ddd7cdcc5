#pragma once
// The main window on a fake desktop, with its timer driven by the virtual
// clock.
#include <algorithm>
#include <chrono>

#include "mainwindow/form_events.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/main_form_design.h"
#include "mainwindow/modal_scope.h"
#include "settings/settings_layout.h"
#include "tests/fakes/fake_desktop.h"
#include "tests/fakes/fake_main_form.h"
#include "winamp/winamp_access.h"

namespace morv::fakes {

struct MainFormHarness {
  MainFormHarness() {
    // The player's module values start at 0 in every program, so in every test.
    WinampWindow = 0;
    WinampLastReply = 0;
    ApplyDesignTimeState(ui.controls);
    storeOption(settings::kStartInTray, settings::kNo);
    storeOption(settings::kWinAmpOnStart, settings::kNo);
    d.players.serve(d.processes, "c:\\Program Files\\WinAmp\\WinAmp.exe");
  }

  // Moves the clock on by `duration`, running every tick of the window's timers that
  // falls due, in order; like WM_TIMER, ticks missed while a tick blocked come as one.
  void advance(std::chrono::milliseconds duration) {
    const auto until = d.clock.steady + duration;
    for (;;) {
      FakeTimer* timer = nullptr;
      for (FakeTimer* t : {&ui.MyTimer, &ui.RingTimer}) {
        if (t->enabled() && t->nextDue <= until && (!timer || t->nextDue < timer->nextDue)) {
          timer = t;
        }
      }
      if (!timer) break;
      const auto due = timer->nextDue;
      if (due > d.clock.steady) d.clock.pass(due - d.clock.steady);
      if (!events) {
        timer == &ui.MyTimer ? form.MyTimer_Timer() : form.RingTimer_Timer();
      } else {
        timer == &ui.MyTimer ? events->tick() : events->ringTimer();
      }
      if (timer->enabled() && timer->nextDue == due) {
        timer->nextDue = std::max(due + timer->interval(), d.clock.steady);
      }
    }
    if (until > d.clock.steady) d.clock.pass(until - d.clock.steady);
  }
  // Moves the clock to `at` (which must not lie behind it), ticking on the way.
  void advanceTo(const LocalDateTime& at) {
    advance(std::chrono::duration_cast<std::chrono::milliseconds>(ToTimePoint(at) - d.clock.time));
  }
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
  void enterAlarm(const CalendarDate& day, const std::string& typed, bool am = true) {
    form.MonthView_DateClick(day);
    form.txtTime_Click();
    ui.txtTime.setText(typed);
    d.boxes.answers.push_back(am ? MbAnswer::Yes : MbAnswer::No);
    bool cancel = false;
    form.txtTime_Validate(cancel);
  }
  // Enters the alarm and turns it on.
  void armAlarm(const CalendarDate& day, const std::string& typed) {
    enterAlarm(day, typed);
    form.cmdSet_Click();
  }
  // Loaded at six on `day`, the alarm for `typed` that day armed to repeat on `days` (none:
  // a one-off).
  void armRepeating(const CalendarDate& day, Weekdays days, const char* typed = "07:00") {
    loadAt({day, 6, 0, 0});
    d.repeatDialog.answer = days;
    form.mnuRepeat_Click();
    armAlarm(day, typed);
  }
  // How often any player was told to play.
  int plays() const {
    int plays = 0;
    for (const auto& player : d.players.all) plays += std::ranges::count(player.heard, "play");
    return plays;
  }
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
  TrackedAlarmsDialog alarmsDialog{d.alarmsDialog, modality};
  Desktop desktop{d.windows,    d.registry,   d.processes, boxes,      d.clock,
                  d.locale,     d.files,      d.program,   d.timeZone, d.wakeTimer,
                  d.alarmSound, repeatDialog, alarmsDialog};
  FrmMain form{desktop, ui.controls};
  // The timers go through the window's events, as in the program, when a test has them.
  FormEvents* events = nullptr;
};

// Loaded at six in the morning of Sunday 6 December 2026, where most tests begin.
struct LoadedHarness : MainFormHarness {
  LoadedHarness() { loadAt({{2026, 12, 6}, 6, 0, 0}); }
};

}  // namespace morv::fakes
