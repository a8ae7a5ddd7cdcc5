#pragma once
// Reading a typed alarm time, and the texts of times the alarm compares.
#include <optional>
#include <string>

#include "platform/clock.h"

namespace morv {

struct TypedTime {
  int hour;
  int minute;
};

// The hour from characters 1-2 and the minute from characters 4-5 of the trimmed
// text; character 3 and anything after character 5 are not looked at. nullopt for a
// format error.
std::optional<TypedTime> ReadTypedTime(const std::string& text);

// H:MM AM / H:MM PM.
std::string AlarmTimeText(const TypedTime& time, bool am);

// The present time as the clock shows it: h:mm:ss AM, whatever the locale says.
std::string ClockText(const LocalDateTime& now);

// The clock text reduced to the AlarmTime form, by character positions.
std::string ClockKeyOf(const std::string& clockText);

}  // namespace morv
