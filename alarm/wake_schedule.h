#pragma once
// The wake-up an armed alarm asks of the system, so that it rings even when the
// computer has gone to sleep.
#include <optional>
#include <string>

#include "alarm/alarm_record.h"
#include "platform/desktop.h"

namespace morv {

// How far ahead the alarm's day is looked for.
inline constexpr int kWakeHorizonDays = 2 * 366;

// The hour (0 to 23) and minute of an "H:MM AM" text, on no particular day. Only a text
// the tick could match counts: it is rendered again and must come out the same, so
// "07:05 AM" or "7:5 AM", which the clock never shows, name no minute.
std::optional<LocalDateTime> AlarmTimeOfDay(const std::string& text);

// The local start of the minute in which the tick will ring the alarm: the first day
// from `today` on, within the horizon, whose short-date text is `alarmDate`, at the
// time `alarmTime` names. nullopt when the texts name no minute the tick could match.
std::optional<LocalDateTime> AlarmMinuteStart(Locale& locale, const CalendarDate& today,
                                              const std::string& alarmDate,
                                              const std::string& alarmTime);

// Sets the wake timer for the alarm's minute, replacing any earlier one; an alarm
// whose minute cannot be told leaves no timer behind. A refusal is silent: the alarm
// works as before, it only cannot wake the computer.
void ScheduleWake(Desktop& desktop, const AlarmRecord& alarm);
void CancelWake(Desktop& desktop);
// After the clock or the time zone was changed: the wake-up an armed alarm asked for is
// set again, for the same local minute.
void RescheduleWake(Desktop& desktop, const AlarmRecord& alarm);

}  // namespace morv
