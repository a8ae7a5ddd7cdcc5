#pragma once
// A time zone whose offset can change on given moments; a wake timer and an alarm sound
// that only remember what they were asked.
#include <chrono>
#include <optional>
#include <vector>

#include "platform/alarm_sound.h"
#include "platform/time_zone.h"
#include "platform/wake_timer.h"

namespace morv::fakes {

inline UtcTime Utc(int y, int mo, int d, int h, int mi) {
  using namespace std::chrono;
  return sys_days{year{y} / mo / d} + hours{h} + minutes{mi};
}

class FakeTimeZone : public TimeZone {
 public:
  struct Change {
    UtcTime at;
    std::chrono::minutes offset;  // local minus UTC from `at` on
  };

  std::optional<std::chrono::minutes> offsetAt(UtcTime at) override {
    if (unknown) return std::nullopt;
    std::chrono::minutes now = offset;
    for (const Change& change : changes) {
      if (change.at <= at) now = change.offset;
    }
    return now;
  }

  std::chrono::minutes offset{0};  // before the first change
  std::vector<Change> changes;     // in time order
  bool unknown = false;            // the system cannot tell
};

class FakeWakeTimer : public WakeTimer {
 public:
  bool setAt(UtcTime at) override {
    due = at;
    return true;
  }
  void cancel() override { due.reset(); }
  WakeSupport support() override { return supports; }

  std::optional<UtcTime> due;  // the pending request
  WakeSupport supports = WakeSupport::Unknown;
};

class FakeAlarmSound : public AlarmSound {
 public:
  void startLooping() override {
    playing = true;
    ++starts;
  }
  void stop() override { playing = false; }

  bool playing = false;
  int starts = 0;
};

}  // namespace morv::fakes
