#include "alarm/alarm_model.h"

#include <chrono>

#include "alarm/repeat_days.h"

namespace morv {

std::optional<LocalDateTime> AlarmReading(const Alarm& alarm) {
  if (!alarm.date || !alarm.time) return std::nullopt;
  return LocalDateTime{*alarm.date, alarm.time->hour, alarm.time->minute};
}

std::optional<CalendarDate> NextRepeatDay(const LocalDateTime& from, Weekdays days,
                                          const TimeOfDay& time) {
  // Today's minute may have passed; a week and a day always reach a chosen day again.
  for (int ahead = 0; ahead <= 7; ++ahead) {
    const CalendarDate day =
        FromTimePoint(ToTimePoint({from.date}) + std::chrono::days{ahead}).date;
    if (days[WeekdayOf(day)] && LocalDateTime{day, time.hour, time.minute} > from) return day;
  }
  return std::nullopt;
}

}  // namespace morv
