#pragma once
// Absolute times between the core's UTC moments and the system's FILETIME counts
// (100-nanosecond steps since 1601).
#include <windows.h>

#include <chrono>
#include <cstdint>

#include "platform/time_zone.h"

namespace morv::win32 {

using UtcMilliseconds = std::chrono::sys_time<std::chrono::milliseconds>;

// From 1601-01-01 to 1970-01-01.
inline constexpr std::int64_t kFileTimeEpochSeconds = 11644473600;
inline constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;

inline std::int64_t FileTimeTicks(UtcTime at) {
  return (at.time_since_epoch().count() + kFileTimeEpochSeconds) * kFileTimeTicksPerSecond;
}

inline UtcMilliseconds FromFileTime(const FILETIME& time) {
  const std::int64_t ticks =
      (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return UtcMilliseconds{std::chrono::milliseconds{ticks / 10000 - kFileTimeEpochSeconds * 1000}};
}

inline UtcMilliseconds UtcNow() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return FromFileTime(now);
}

}  // namespace morv::win32
