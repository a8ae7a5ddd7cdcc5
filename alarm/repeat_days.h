#pragma once
// The weekdays an alarm repeats on: their stored text and the words that tell the user.
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/repeat_dialog.h"

namespace morv {

inline const Weekdays kEveryDay{0b1111111};
inline const Weekdays kWorkingWeek{0b0011111};

// "Mon,Tue,Wed,Thu,Fri"; the empty text for none.
std::string RepeatDaysText(Weekdays days);
// The stored text read back: day names separated by commas, in any order and letter
// case. A missing or empty value, or one with anything else in it, means no repeat.
Weekdays ReadRepeatDays(const std::optional<std::string>& text);

// "Every Day", "Monday To Friday", or the days' short names: "Mon, Wed, Fri".
std::string RepeatDaysWords(Weekdays days);

// Monday 0 to Sunday 6.
int WeekdayOf(const CalendarDate& date);

}  // namespace morv
