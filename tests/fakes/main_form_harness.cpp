#include "tests/fakes/main_form_harness.h"

#include <algorithm>

namespace morv::fakes {

MainFormHarness::MainFormHarness() {
  ApplyDesignTimeState(ui.controls);
  storeOption(settings::kStartInTray, settings::kNo);
  storeOption(settings::kWinAmpOnStart, settings::kNo);
  d.players.serve(d.processes, "c:\\Program Files\\WinAmp\\WinAmp.exe");
}

void MainFormHarness::storeOption(const char* name, const char* value) {
  d.registry.setString(Hive::LocalMachine, settings::kKey, name, value);
}

void MainFormHarness::advance(std::chrono::milliseconds duration) {
  const LocalTimePoint until = d.clock.time + duration;
  FakeTimer& timer = ui.MyTimer;
  while (timer.enabled() && timer.nextDue <= until) {
    const LocalTimePoint due = timer.nextDue;
    d.clock.time = std::max(d.clock.time, due);
    form.MyTimer_Timer();
    if (timer.enabled() && timer.nextDue == due) {
      timer.nextDue = std::max(due + timer.interval(), d.clock.time);
    }
  }
  d.clock.time = std::max(d.clock.time, until);
}

void MainFormHarness::advanceTo(const LocalDateTime& at) {
  advance(std::chrono::duration_cast<std::chrono::milliseconds>(ToTimePoint(at) - d.clock.time));
}

}  // namespace morv::fakes
