#pragma once
// Virtual time: a pause moves the clock on at once, so no test ever sleeps. The wall
// clock can also be set like a user or a time sync would, without the monotonic time
// noticing.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace morv::fakes {

class FakeClock : public Clock {
 public:
  LocalDateTime now() override { return FromTimePoint(time); }
  std::chrono::milliseconds monotonic() override { return steady; }
  void sleep(std::chrono::milliseconds duration) override {
    pauses.push_back(duration);
    if (duringPause) duringPause(duration);
    pass(duration);
  }
  // Time passes: both clocks move on together.
  void pass(std::chrono::milliseconds duration) {
    time += duration;
    steady += duration;
  }
  // Sets the wall clock only.
  void set(const LocalDateTime& at) { time = ToTimePoint(at); }

  LocalTimePoint time = ToTimePoint({{2026, 12, 6}, 9, 41, 7, 0});
  std::chrono::milliseconds steady{0};
  std::vector<std::chrono::milliseconds> pauses;
  // Runs at the start of every pause, before time moves on: a look at the blocked state.
  std::function<void(std::chrono::milliseconds)> duringPause;
};

// A moment of December 2026, where most tests live.
constexpr LocalDateTime At(int day, int hour, int minute, int second = 0, int ms = 0) {
  return {{2026, 12, day}, hour, minute, second, ms};
}

// Short dates the way an American Windows writes them: 12/6/2026.
class FakeLocale : public Locale {
 public:
  std::string shortDate(const CalendarDate& date) override {
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
           std::to_string(date.year);
  }
  std::string shortDatePattern() override { return "M/d/yyyy"; }
};

}  // namespace morv::fakes
