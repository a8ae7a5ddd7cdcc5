#include "alarm/repeat_days.h"

#include <array>
#include <chrono>

#include "platform/text.h"

namespace morv {
namespace {

constexpr std::array<const char*, 7> kShortNames = {"Mon", "Tue", "Wed", "Thu",
                                                    "Fri", "Sat", "Sun"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameWord(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return i == a.size() && !b[i];
}

std::chrono::sys_days DayOf(const CalendarDate& date) {
  using namespace std::chrono;
  return year_month_day{year{date.year}, month{static_cast<unsigned>(date.month)},
                        day{static_cast<unsigned>(date.day)}};
}

// The days' short names, Monday first.
std::string Joined(Weekdays days, const char* separator) {
  std::string text;
  for (size_t d = 0; d < kShortNames.size(); ++d) {
    if (!days[d]) continue;
    if (!text.empty()) text += separator;
    text += kShortNames[d];
  }
  return text;
}

}  // namespace

std::string RepeatDaysText(Weekdays days) { return Joined(days, ","); }

Weekdays ReadRepeatDays(const std::optional<std::string>& text) {
  if (!text) return {};
  Weekdays days;
  size_t from = 0;
  for (;;) {
    const size_t comma = text->find(',', from);
    const std::string word = Trimmed(text->substr(from, comma - from));
    if (!word.empty() || comma != std::string::npos) {
      size_t d = 0;
      while (d < kShortNames.size() && !SameWord(word, kShortNames[d])) ++d;
      // Half a list read is a repeat the user never chose.
      if (d == kShortNames.size()) return {};
      days.set(d);
    }
    if (comma == std::string::npos) return days;
    from = comma + 1;
  }
}

std::string RepeatDaysWords(Weekdays days) {
  if (days == kEveryDay) return "Every Day";
  if (days == kWorkingWeek) return "Monday To Friday";
  return Joined(days, ", ");
}

int WeekdayOf(const CalendarDate& date) {
  return static_cast<int>(std::chrono::weekday{DayOf(date)}.iso_encoding()) - 1;
}

}  // namespace morv
