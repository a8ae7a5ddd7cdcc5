#pragma once
// An alarm as Morvane holds it: its minute as a typed local date and time, the weekdays it
// repeats on, and what has become of its latest minute. The texts on the screen and in
// the registry are rendered from it; nothing reads a minute back out of a text but where
// the user or the registry hands one over.
#include <compare>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/repeat_dialog.h"

namespace morv {

struct TimeOfDay {
  int hour = 0;  // 0 to 23
  int minute = 0;
  auto operator<=>(const TimeOfDay&) const = default;
};

struct Alarm {
  // 0 for the main window's alarm; the alarms added in the list count on from 1.
  int id = 0;
  std::optional<CalendarDate> date;  // the day it rings on; for a repeat, the next of its days
  std::optional<TimeOfDay> time;
  Weekdays repeat;  // none: it rings once
  bool armed = false;  // on
  std::string label;
  // What it wakes the user with: a music file or playlist for the player ("" for what the
  // player holds), and how long the volume takes to rise to full (0: at once).
  std::string music;
  int riseSeconds = 0;
  // The reading it falls due at: its day at its time, moved past an hour the clocks skip.
  // Worked out when the alarm or the time zone changes, not at every tick.
  std::optional<LocalDateTime> due;
  // The reading at which its latest minute was dealt with (rung, missed, or played by the
  // player already), so that minute never comes round again: not after a stop inside it,
  // nor when the clock is set back across it.
  std::optional<LocalDateTime> settled;
};

// The most alarms Morvane holds, the main window's among them.
inline constexpr int kMaxAlarms = 20;

// The reading the alarm rings at, before any daylight-saving shift: its day at its time.
std::optional<LocalDateTime> AlarmReading(const Alarm& alarm);

// The first day among `days`, on or after `from`'s day, on which `time` lies after `from`.
// Calendar days are counted, not hours, so daylight saving in between changes nothing.
// nullopt for no days.
std::optional<CalendarDate> NextRepeatDay(const LocalDateTime& from, Weekdays days,
                                          const TimeOfDay& time);

}  // namespace morv
