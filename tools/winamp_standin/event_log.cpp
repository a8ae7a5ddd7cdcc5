#include "tools/winamp_standin/event_log.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace morv::standin {
namespace {

// FILETIME counts 100 ns ticks from 1601; the Unix epoch is this many ticks later.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ULL;

using PreciseTimeFunction = VOID(WINAPI*)(LPFILETIME);

// The precise clock exists from Windows 8 on; older systems get the coarse one.
PreciseTimeFunction FindPreciseClock() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return nullptr;
  return reinterpret_cast<PreciseTimeFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetSystemTimePreciseAsFileTime")));
}

}  // namespace

LogTime CurrentLogTime() {
  static const PreciseTimeFunction precise = FindPreciseClock();
  FILETIME now{};
  if (precise != nullptr) {
    precise(&now);
  } else {
    GetSystemTimeAsFileTime(&now);
  }
  LogTime time;
  std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
  time.epoch_ms = ticks >= kUnixEpochTicks ? (ticks - kUnixEpochTicks) / 10000 : 0;
  // Both fields come from the same instant, so they never disagree by a tick.
  SYSTEMTIME utc{};
  if (!FileTimeToSystemTime(&now, &utc) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &time.local)) {
    GetLocalTime(&time.local);
  }
  return time;
}

std::string FormatLogLine(const LogEntry& entry, const LogTime& time, DWORD pid) {
  char fixed[256];
  const SYSTEMTIME& t = time.local;
  int length = std::snprintf(
      fixed, sizeof fixed,
      "%04u-%02u-%02u %02u:%02u:%02u.%03u epoch_ms=%" PRIu64 " pid=%lu msg=%u wparam=%" PRIu64
      " lparam=%" PRId64 " name=%.*s state=%d volume=%d",
      t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, time.epoch_ms,
      static_cast<unsigned long>(pid), entry.msg, static_cast<std::uint64_t>(entry.wparam),
      static_cast<std::int64_t>(entry.lparam), static_cast<int>(entry.name.size()),
      entry.name.data(), static_cast<int>(entry.state), entry.volume);
  std::string line(fixed, length > 0 ? std::min<std::size_t>(length, sizeof fixed - 1) : 0);
  if (!entry.note.empty()) {
    line += ' ';
    for (char c : entry.note) line += (c == '\r' || c == '\n') ? ' ' : c;
  }
  // A bare LF, so scripts on the Linux side split lines without stray CRs.
  line += '\n';
  return line;
}

EventLog::EventLog(const std::string& path) {
  // FILE_APPEND_DATA without FILE_WRITE_DATA makes every write land at the current
  // end of file, atomically, whoever else has the file open.
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    open_error_ = GetLastError();
    return;
  }
  file_.reset(file);
}

void EventLog::Write(const LogEntry& entry) const {
  if (!file_) return;
  std::string line = FormatLogLine(entry, CurrentLogTime(), GetCurrentProcessId());
  DWORD written = 0;
  WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace morv::standin
