#pragma once
// The present local date and time, a monotonic time for measuring waits, the blocking
// pause, and the locale's date text.
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

// Local date-times as plain time points, for arithmetic across midnight and months.
using LocalTimePoint = std::chrono::sys_time<std::chrono::milliseconds>;

inline LocalTimePoint ToTimePoint(const LocalDateTime& t) {
  using namespace std::chrono;
  const sys_days day = year_month_day{year{t.date.year}, month{static_cast<unsigned>(t.date.month)},
                                      std::chrono::day{static_cast<unsigned>(t.date.day)}};
  return day + hours{t.hour} + minutes{t.minute} + seconds{t.second} + milliseconds{t.millisecond};
}

inline LocalDateTime FromTimePoint(LocalTimePoint point) {
  using namespace std::chrono;
  const sys_days day = floor<days>(point);
  const year_month_day ymd{day};
  const hh_mm_ss<milliseconds> time{point - day};
  return {{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
           static_cast<int>(static_cast<unsigned>(ymd.day()))},
          static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count()),
          static_cast<int>(time.subseconds().count())};
}

class Clock {
 public:
  virtual ~Clock() = default;
  // The wall clock: jumps when the user, daylight saving or a time sync sets it.
  virtual LocalDateTime now() = 0;
  // Time since an arbitrary start that only ever runs forward at one second per second:
  // what every wait and give-up time is measured on, so a clock set back an hour cannot
  // stretch a five-second bound into an hour.
  virtual std::chrono::milliseconds monotonic() = 0;
  // Blocks the calling thread; no window events run meanwhile.
  virtual void sleep(std::chrono::milliseconds duration) = 0;
};

class Locale {
 public:
  virtual ~Locale() = default;
  // The user's short-date form (12/6/2026, 06.12.2026, ...).
  virtual std::string shortDate(const CalendarDate& date) = 0;
  // The picture that form is drawn from ("M/d/yyyy", "dd.MM.yyyy", ...).
  virtual std::string shortDatePattern() = 0;
};

}  // namespace morv
