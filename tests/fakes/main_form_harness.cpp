#include "tests/fakes/main_form_harness.h"

#include <algorithm>

#include "winamp/winamp_access.h"

namespace morv::fakes {

MainFormHarness::MainFormHarness() {
  // The player's module values start at 0 in every program, so in every test.
  WinampWindow = 0;
  WinampLastReply = 0;
  ApplyDesignTimeState(ui.controls);
  storeOption(settings::kStartInTray, settings::kNo);
  storeOption(settings::kWinAmpOnStart, settings::kNo);
  d.players.serve(d.processes, "c:\\Program Files\\WinAmp\\WinAmp.exe");
}

void MainFormHarness::enterAlarm(const CalendarDate& day, const std::string& typed, bool am) {
  form.MonthView_DateClick(day);
  form.txtTime_Click();
  ui.txtTime.setText(typed);
  d.boxes.answers.push_back(am ? MbAnswer::Yes : MbAnswer::No);
  bool cancel = false;
  form.txtTime_Validate(cancel);
}

void MainFormHarness::advance(std::chrono::milliseconds duration) {
  const auto until = d.clock.steady + duration;
  FakeTimer& timer = ui.MyTimer;
  while (timer.enabled() && timer.nextDue <= until) {
    const auto due = timer.nextDue;
    if (due > d.clock.steady) d.clock.pass(due - d.clock.steady);
    form.MyTimer_Timer();
    if (timer.enabled() && timer.nextDue == due) {
      timer.nextDue = std::max(due + timer.interval(), d.clock.steady);
    }
  }
  if (until > d.clock.steady) d.clock.pass(until - d.clock.steady);
}

void MainFormHarness::advanceTo(const LocalDateTime& at) {
  advance(std::chrono::duration_cast<std::chrono::milliseconds>(ToTimePoint(at) - d.clock.time));
}

}  // namespace morv::fakes
