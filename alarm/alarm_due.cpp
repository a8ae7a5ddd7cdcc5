// When each alarm falls due, the soonest of them, and the wake-up asked of the system for it.
#include "alarm/local_time.h"
#include "alarm/wake_schedule.h"
#include "mainwindow/frm_main.h"

namespace morv {
namespace {

bool Sooner(const std::optional<LocalDateTime>& a, const std::optional<LocalDateTime>& b) {
  return a && (!b || *a < *b);
}

}  // namespace

std::vector<Alarm*> FrmMain::Alarms() {
  std::vector<Alarm*> all{&alarmState_.first};
  for (Alarm& other : alarmState_.others) all.push_back(&other);
  return all;
}

void FrmMain::UpdateDue() {
  for (Alarm* a : Alarms()) {
    const auto reading = AlarmReading(*a);
    a->due = reading ? std::optional(ReadingWhenDue(desktop_.timeZone, *reading)) : std::nullopt;
  }
  UpdateNextDue();
}

// The main window's alarm rings in its minute even when only set; one in the list only
// while it is on.
void FrmMain::UpdateNextDue() {
  std::optional<LocalDateTime> next;
  for (const Alarm* a : Alarms()) {
    const bool counts = a->armed || a->id == 0;
    if (counts && a->due != a->settled && Sooner(a->due, next)) next = a->due;
  }
  const Ring& ring = alarmState_.ring;
  if (ring.phase == RingPhase::Snoozed && Sooner(ring.until, next)) next = ring.until;
  alarmState_.nextDue = next;
}

// The soonest alarm that is on and still to ring wants the computer woken for it:
// stopping, disarming and clearing withdraw the request, and a rung minute makes it moot.
void FrmMain::ScheduleAlarmWake() {
  std::optional<LocalDateTime> soonest;
  for (const Alarm* a : Alarms()) {
    // The main window's alarm is on from arming until the stop path lets its player go.
    const bool wanted =
        a->armed && a->due != a->settled && (a->id != 0 || !alarm.PlayerHandle.empty());
    if (wanted && Sooner(AlarmReading(*a), soonest)) soonest = AlarmReading(*a);
  }
  // A snooze outlives a sleep.
  const Ring& ring = alarmState_.ring;
  if (ring.phase == RingPhase::Snoozed && Sooner(ring.until, soonest)) soonest = ring.until;
  ScheduleWake(desktop_, soonest);
  ShowNextAlarm();
}

// The system clock or the time zone changed: the same local minute may now lie in an hour
// the clocks skip, and the wake-up must be set again for the moment it now names.
void FrmMain::TimeChanged() {
  UpdateDue();
  ScheduleAlarmWake();
}

}  // namespace morv
