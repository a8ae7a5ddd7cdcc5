#pragma once
// The alarm's time as the user types it and as the window and the registry show it.
#include <optional>
#include <string>

#include "alarm/alarm_model.h"
#include "platform/clock.h"

namespace morv {

// What the user typed, before the AM/PM question: hour 1 to 12.
struct TypedTime {
  int hour;
  int minute;
};

// The hour from characters 1-2 and the minute from characters 4-5 of the trimmed
// text; character 3 and anything after character 5 are not looked at. nullopt for a
// format error.
std::optional<TypedTime> ReadTypedTime(const std::string& text);

TimeOfDay TimeOfTyped(const TypedTime& typed, bool am);

// H:MM AM / H:MM PM.
std::string AlarmTimeText(const TimeOfDay& time);

// A stored alarm time read back: only the exact form AlarmTimeText writes counts, so a
// text that could never have been an alarm's ("07:05 AM", "13:05 PM") names no time.
std::optional<TimeOfDay> ReadAlarmTimeText(const std::string& text);

// The present time as the clock shows it: h:mm:ss AM, whatever the locale says.
std::string ClockText(const LocalDateTime& now);

}  // namespace morv
