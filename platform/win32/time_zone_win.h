#pragma once
// Local wall-clock readings to UTC by the Windows time-zone rules.
#include <windows.h>

#include <optional>

#include "platform/time_zone.h"

namespace morv::win32 {

class TimeZoneWin : public TimeZone {
 public:
  // The system's zone, with the rules it has for the year of each reading.
  TimeZoneWin() = default;
  // These rules for every year.
  explicit TimeZoneWin(const TIME_ZONE_INFORMATION& rules) : rules_(rules) {}

  std::optional<UtcTime> toUtc(const LocalDateTime& local) override;

 private:
  std::optional<TIME_ZONE_INFORMATION> rules_;
};

}  // namespace morv::win32
