#pragma once
// The present local date and time, the blocking pause, and the locale's date text.
#include <chrono>
#include <compare>
#include <string>

namespace morv {

struct CalendarDate {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to 31
  auto operator<=>(const CalendarDate&) const = default;
};

struct LocalDateTime {
  CalendarDate date;
  int hour = 0;  // 0 to 23
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  auto operator<=>(const LocalDateTime&) const = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime now() = 0;
  // Blocks the calling thread; no window events run meanwhile.
  virtual void sleep(std::chrono::milliseconds duration) = 0;
};

class Locale {
 public:
  virtual ~Locale() = default;
  // The user's short-date form (12/6/2026, 06.12.2026, ...).
  virtual std::string shortDate(const CalendarDate& date) = 0;
};

}  // namespace morv
