#pragma once
// The local time zone's rules, as far as the core needs them: how far the local clock is
// from UTC at a given moment. Which moment a local reading names, near a change of
// offset, is the core's decision (alarm/local_time.h).
#include <chrono>
#include <optional>

#include "platform/clock.h"

namespace morv {

// A moment on the world's clock, counted in UTC like the system's own absolute times.
using UtcTime = std::chrono::sys_seconds;

class TimeZone {
 public:
  virtual ~TimeZone() = default;
  // Local minus UTC at the moment `at`, by the daylight-saving rules in force on that
  // date (not today's); nullopt when the system cannot tell.
  virtual std::optional<std::chrono::minutes> offsetAt(UtcTime at) = 0;
};

}  // namespace morv
