#include "alarm/wake_schedule.h"

#include <chrono>

#include "alarm/alarm_time.h"
#include "alarm/local_time.h"

namespace morv {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<LocalDateTime> AlarmTimeOfDay(const std::string& text) {
  const auto colon = text.find(':');
  if (colon != 1 && colon != 2) return std::nullopt;
  if (text.size() != colon + 6) return std::nullopt;
  for (size_t at : {size_t{0}, colon - 1, colon + 1, colon + 2}) {
    if (!IsDigit(text[at])) return std::nullopt;
  }
  const TypedTime typed{std::stoi(text.substr(0, colon)), std::stoi(text.substr(colon + 1, 2))};
  const bool am = text.compare(colon + 3, 3, " AM") == 0;
  if (typed.hour < 1 || typed.hour > 12 || typed.minute > 59) return std::nullopt;
  if (AlarmTimeText(typed, am) != text) return std::nullopt;
  LocalDateTime time;
  time.hour = typed.hour % 12 + (am ? 0 : 12);
  time.minute = typed.minute;
  return time;
}

std::optional<LocalDateTime> AlarmMinuteStart(Locale& locale, const CalendarDate& today,
                                              const std::string& alarmDate,
                                              const std::string& alarmTime) {
  std::optional<LocalDateTime> start = AlarmTimeOfDay(alarmTime);
  if (!start || alarmDate.empty()) return std::nullopt;
  // The locale's date form is not parsed: the tick compares texts, so the alarm's day
  // is the first one whose text matches.
  using namespace std::chrono;
  const sys_days first = year_month_day{year{today.year}, month{static_cast<unsigned>(today.month)},
                                        day{static_cast<unsigned>(today.day)}};
  for (int ahead = 0; ahead < kWakeHorizonDays; ++ahead) {
    const CalendarDate date = FromTimePoint(first + days{ahead}).date;
    if (locale.shortDate(date) == alarmDate) {
      start->date = date;
      return start;
    }
  }
  return std::nullopt;
}

void ScheduleWake(Desktop& desktop, const AlarmRecord& alarm) {
  const auto start =
      AlarmMinuteStart(desktop.locale, desktop.clock.now().date, alarm.AlarmDate, alarm.AlarmTime);
  const auto at = start ? MomentOf(desktop.timeZone, *start) : std::nullopt;
  if (!at) {
    desktop.wakeTimer.cancel();
    return;
  }
  desktop.wakeTimer.setAt(*at);
}

void CancelWake(Desktop& desktop) { desktop.wakeTimer.cancel(); }

// Arming asked for a wake-up; stopping, disarming, clearing and the alarm having rung
// withdraw it or make it moot.
void RescheduleWake(Desktop& desktop, const AlarmRecord& alarm) {
  if (alarm.PlayerHandle.empty() || alarm.ArmedMark.empty() || !alarm.FiredMark.empty()) return;
  ScheduleWake(desktop, alarm);
}

}  // namespace morv
