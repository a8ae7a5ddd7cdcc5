#pragma once
// The local clock's offset from UTC by the Windows time-zone rules.
#include <windows.h>

#include <optional>

#include "platform/time_zone.h"

namespace morv::win32 {

class TimeZoneWin : public TimeZone {
 public:
  // The system's zone, with the rules it has for the year of each moment.
  TimeZoneWin() = default;
  // These rules for every year.
  explicit TimeZoneWin(const TIME_ZONE_INFORMATION& rules) : rules_(rules) {}

  std::optional<std::chrono::minutes> offsetAt(UtcTime at) override;

 private:
  std::optional<TIME_ZONE_INFORMATION> rules_;
};

}  // namespace morv::win32
