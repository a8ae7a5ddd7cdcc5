#include "alarm/local_time.h"

namespace morv {
namespace {

using namespace std::chrono;

// A reading taken as if it were UTC: the arithmetic base for its candidate moments.
sys_seconds AsIfUtc(const LocalDateTime& reading) {
  return floor<seconds>(ToTimePoint(reading));
}

}  // namespace

std::optional<UtcTime> MomentOf(TimeZone& zone, const LocalDateTime& reading) {
  const sys_seconds wall = AsIfUtc(reading);
  // No zone changes its offset twice within two days: the offsets a day either side are
  // every offset the reading can be in.
  const auto before = zone.offsetAt(wall - days{1});
  const auto after = zone.offsetAt(wall + days{1});
  if (!before || !after) return std::nullopt;
  std::optional<UtcTime> first;
  for (const minutes offset : {*before, *after}) {
    const UtcTime at = wall - offset;
    if (zone.offsetAt(at) == offset && (!first || at < *first)) first = at;
  }
  if (first) return first;
  return wall - *before;  // skipped: read by the offset the clock had before it jumped
}

LocalDateTime ReadingWhenDue(TimeZone& zone, const LocalDateTime& reading) {
  const auto moment = MomentOf(zone, reading);
  const auto offset = moment ? zone.offsetAt(*moment) : std::nullopt;
  if (!offset) return reading;
  return FromTimePoint(time_point_cast<milliseconds>(*moment + *offset));
}

}  // namespace morv
