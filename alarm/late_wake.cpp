// A computer that wakes after the alarm's minute, late from its wake timer or slow to
// resume, still rings if the minute is recent, and says so if it is not.
#include <chrono>

#include "alarm/wake_schedule.h"
#include "mainwindow/frm_main.h"

namespace morv {
namespace {

using namespace std::chrono_literals;

// Late enough to still be worth waking for; later than this the user is up or gone.
constexpr auto kRingIfLateBy = 10min;

}  // namespace

void FrmMain::SystemResumed() {
  // A resume inside a tick (a box of the tick's open) waits for the next one.
  const RunningFlag running(alarmState_.ticking);
  if (!running.entered()) return;
  const LocalTimePoint now = ToTimePoint(desktop_.clock.now());
  const std::optional<LocalTimePoint> from = ring_.beforeGap ? ring_.beforeGap : ring_.lastTick;
  // Windows tells a wake twice when the user is back: the second finds no sleep behind it.
  ring_.beforeGap.reset();
  ring_.lastTick = now;

  // Only an alarm the clock was counting towards could have rung in the sleep.
  if (!from || !ui.MyTimer.enabled() || alarm.ArmedMark.empty()) return;
  const auto start = AlarmMinuteStart(desktop_.locale, FromTimePoint(*from).date, alarm.AlarmDate,
                                      alarm.AlarmTime);
  if (!start) return;
  const LocalTimePoint minuteStart = ToTimePoint(*start);
  if (minuteStart <= *from || minuteStart > now) return;  // no tick was missing in its minute
  const std::string minute = alarm.AlarmDate + " " + alarm.AlarmTime;
  if (!alarm.FiredMark.empty() || minute == alarmState_.rangAt) return;
  if (now - minuteStart <= kRingIfLateBy) {
    Fire(minute);
  } else if (!MoveOnPastMissedMinute(desktop_.clock.now())) {
    // A repeating alarm tells of the miss as it moves on to its next morning; told here
    // too, the user would hear of one morning twice.
    AlarmMissed();
  }
}

}  // namespace morv
