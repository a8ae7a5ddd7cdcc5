#pragma once
// The local time zone's rules, as far as the core needs them: which moment a local
// wall-clock reading names.
#include <chrono>
#include <optional>

#include "platform/clock.h"

namespace morv {

// A moment on the world's clock, counted in UTC like the system's own absolute times.
using UtcTime = std::chrono::sys_seconds;

class TimeZone {
 public:
  virtual ~TimeZone() = default;
  // The moment at which the local clock shows `local`, by the daylight-saving rules in
  // force on that date (not today's). In an hour the clock repeats, the first of the
  // two moments, since that is when the clock shows it first. nullopt when the clock
  // never shows that reading (it is skipped) or the system cannot tell.
  virtual std::optional<UtcTime> toUtc(const LocalDateTime& local) = 0;
};

}  // namespace morv
