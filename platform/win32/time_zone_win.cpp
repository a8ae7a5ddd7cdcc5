#include "platform/win32/time_zone_win.h"

#include <chrono>
#include <cstdlib>

#include "platform/win32/utc_time_win.h"

namespace morv::win32 {
namespace {

SYSTEMTIME SystemTimeOf(const LocalDateTime& t) {
  SYSTEMTIME s{};
  s.wYear = static_cast<WORD>(t.date.year);
  s.wMonth = static_cast<WORD>(t.date.month);
  s.wDay = static_cast<WORD>(t.date.day);
  s.wHour = static_cast<WORD>(t.hour);
  s.wMinute = static_cast<WORD>(t.minute);
  s.wSecond = static_cast<WORD>(t.second);
  return s;
}

std::optional<UtcTime> UtcOf(const SYSTEMTIME& utc) {
  FILETIME file{};
  if (!SystemTimeToFileTime(&utc, &file)) return std::nullopt;
  return std::chrono::floor<std::chrono::seconds>(FromFileTime(file));
}

SYSTEMTIME SystemTimeOf(UtcTime at) {
  const auto ticks = static_cast<ULONGLONG>(FileTimeTicks(at));
  const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME s{};
  FileTimeToSystemTime(&file, &s);
  return s;
}

bool ClockShows(const TIME_ZONE_INFORMATION& zone, UtcTime at, const SYSTEMTIME& wall) {
  const SYSTEMTIME utc = SystemTimeOf(at);
  SYSTEMTIME local{};
  if (!SystemTimeToTzSpecificLocalTime(&zone, &utc, &local)) return false;
  return local.wYear == wall.wYear && local.wMonth == wall.wMonth && local.wDay == wall.wDay &&
         local.wHour == wall.wHour && local.wMinute == wall.wMinute &&
         local.wSecond == wall.wSecond;
}

}  // namespace

std::optional<UtcTime> TimeZoneWin::toUtc(const LocalDateTime& local) {
  TIME_ZONE_INFORMATION zone{};
  if (rules_) {
    zone = *rules_;
  } else if (!GetTimeZoneInformationForYear(static_cast<USHORT>(local.date.year), nullptr, &zone)) {
    return std::nullopt;
  }
  const SYSTEMTIME wall = SystemTimeOf(local);
  SYSTEMTIME utc{};
  if (!TzSpecificLocalTimeToSystemTime(&zone, &wall, &utc)) return std::nullopt;
  const auto guess = UtcOf(utc);
  if (!guess) return std::nullopt;
  // Windows leaves open which moment it gives near a change of offset. Of the
  // moments one shift apart, the earliest the clock really shows this reading at is
  // the one the tick rings in; a skipped reading has none.
  const std::chrono::minutes shift{std::abs(zone.DaylightBias - zone.StandardBias)};
  for (const UtcTime candidate : {*guess - shift, *guess, *guess + shift}) {
    if (ClockShows(zone, candidate, wall)) return candidate;
  }
  return std::nullopt;
}

}  // namespace morv::win32
