#include "alarm/date_text.h"

#include <chrono>
#include <vector>

namespace morv {
namespace {

enum class Field { Day, Month, Year, TwoDigitYear };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The numeric fields of the picture in order; nullopt when a field is written in words.
std::optional<std::vector<Field>> FieldsOf(const std::string& pattern) {
  std::vector<Field> fields;
  for (size_t at = 0; at < pattern.size();) {
    const char c = pattern[at];
    if (c == '\'') {  // quoted literal text
      const auto end = pattern.find('\'', at + 1);
      at = end == std::string::npos ? pattern.size() : end + 1;
      continue;
    }
    size_t run = 1;
    while (at + run < pattern.size() && pattern[at + run] == c) ++run;
    at += run;
    if (c == 'd' && run <= 2) fields.push_back(Field::Day);
    if (c == 'M' && run <= 2) fields.push_back(Field::Month);
    if (c == 'y') fields.push_back(run <= 2 ? Field::TwoDigitYear : Field::Year);
    if ((c == 'M' && run > 2) || c == 'g') return std::nullopt;
    // Weekday names ("ddd", "dddd") stand beside the numbers and are skipped.
  }
  return fields;
}

std::vector<int> NumbersOf(const std::string& text) {
  std::vector<int> numbers;
  for (size_t at = 0; at < text.size();) {
    if (!IsDigit(text[at])) {
      ++at;
      continue;
    }
    int value = 0;
    size_t digits = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) {
      if (digits < 6) value = value * 10 + (text[at] - '0');
    }
    numbers.push_back(digits > 5 ? -1 : value);
  }
  return numbers;
}

}  // namespace

std::optional<CalendarDate> ReadShortDate(const std::string& pattern, const std::string& text) {
  const auto fields = FieldsOf(pattern);
  const std::vector<int> numbers = NumbersOf(text);
  if (!fields || fields->size() != 3 || numbers.size() != fields->size()) return std::nullopt;
  int day = 0, month = 0, year = 0;
  for (size_t i = 0; i < numbers.size(); ++i) {
    switch ((*fields)[i]) {
      case Field::Day:
        day = numbers[i];
        break;
      case Field::Month:
        month = numbers[i];
        break;
      case Field::Year:
        year = numbers[i];
        break;
      case Field::TwoDigitYear:
        // Windows' default window for two-digit years: 1950 to 2049.
        year = numbers[i] < 0 || numbers[i] > 99 ? -1 : numbers[i] + (numbers[i] < 50 ? 2000 : 1900);
        break;
    }
  }
  if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) {
    return std::nullopt;
  }
  const std::chrono::year_month_day ymd{std::chrono::year{year},
                                        std::chrono::month{static_cast<unsigned>(month)},
                                        std::chrono::day{static_cast<unsigned>(day)}};
  if (!ymd.ok()) return std::nullopt;
  return CalendarDate{year, month, day};
}

}  // namespace morv
