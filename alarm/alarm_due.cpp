// When the first alarm falls due, and the wake-up it asks of the system for it.
#include "alarm/local_time.h"
#include "alarm/wake_schedule.h"
#include "mainwindow/frm_main.h"

namespace morv {

void FrmMain::UpdateDue() {
  const auto reading = AlarmReading(alarmState_.first);
  alarmState_.due =
      reading ? std::optional(ReadingWhenDue(desktop_.timeZone, *reading)) : std::nullopt;
}

// Only an armed alarm whose minute is still to come wants the computer woken: stopping,
// disarming and clearing withdraw the request, and a rung minute makes it moot.
void FrmMain::ScheduleAlarmWake() {
  const Alarm& first = alarmState_.first;
  const bool wanted = first.armed && !alarm.PlayerHandle.empty() && alarmState_.due &&
                      first.settled != alarmState_.due;
  ScheduleWake(desktop_, wanted ? AlarmReading(first) : std::nullopt);
}

// The system clock or the time zone changed: the same local minute may now lie in an hour
// the clocks skip, and the wake-up must be set again for the moment it now names.
void FrmMain::TimeChanged() {
  UpdateDue();
  ScheduleAlarmWake();
}

}  // namespace morv
