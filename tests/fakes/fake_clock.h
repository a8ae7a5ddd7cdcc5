#pragma once
// Virtual time: a pause moves the clock on at once, so no test ever sleeps.
#include <chrono>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace morv::fakes {

class FakeClock : public Clock {
 public:
  LocalDateTime now() override { return FromTimePoint(time); }
  void sleep(std::chrono::milliseconds duration) override {
    pauses.push_back(duration);
    time += duration;
  }
  void set(const LocalDateTime& at) { time = ToTimePoint(at); }

  LocalTimePoint time = ToTimePoint({{2026, 12, 6}, 9, 41, 7, 0});
  std::vector<std::chrono::milliseconds> pauses;
};

// Short dates the way an American Windows writes them: 12/6/2026.
class FakeLocale : public Locale {
 public:
  std::string shortDate(const CalendarDate& date) override {
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
           std::to_string(date.year);
  }
};

}  // namespace morv::fakes
