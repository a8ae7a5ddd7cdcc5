#include "win32/time_zone_win.h"

#include <chrono>

#include "win32/utc_time_win.h"

namespace morv::win32 {
namespace {

SYSTEMTIME SystemTimeOf(UtcTime at) {
  const auto ticks = static_cast<ULONGLONG>(FileTimeTicks(at));
  const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME s{};
  FileTimeToSystemTime(&file, &s);
  return s;
}

std::optional<std::chrono::sys_seconds> SecondsOf(const SYSTEMTIME& time) {
  FILETIME file{};
  if (!SystemTimeToFileTime(&time, &file)) return std::nullopt;
  return std::chrono::floor<std::chrono::seconds>(FromFileTime(file));
}

}  // namespace

std::optional<std::chrono::minutes> TimeZoneWin::offsetAt(UtcTime at) {
  const SYSTEMTIME utc = SystemTimeOf(at);
  TIME_ZONE_INFORMATION zone{};
  if (rules_) {
    zone = *rules_;
  } else if (!GetTimeZoneInformationForYear(utc.wYear, nullptr, &zone)) {
    return std::nullopt;
  }
  SYSTEMTIME local{};
  if (!SystemTimeToTzSpecificLocalTime(&zone, &utc, &local)) return std::nullopt;
  const auto wall = SecondsOf(local);
  if (!wall) return std::nullopt;
  return std::chrono::duration_cast<std::chrono::minutes>(*wall - at);
}

}  // namespace morv::win32
