#pragma once
// The log the tests read: one line per event, in a fixed order so it can be split
// on spaces:
//
//   2026-12-06 18:45:00.123 epoch_ms=1796582700123 pid=1234 msg=273 wparam=40045 lparam=0
//       name=PLAY state=1 volume=200[ free text]
//
// (one line). state and volume are the values after the event was handled; msg,
// wparam and lparam are 0 for events that are not window messages (START, AUDIO, EXIT).
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "win32/unique_handle.h"
#include "tools/winamp_standin/protocol.h"

namespace morv::standin {

struct LogEntry {
  std::string_view name;
  UINT msg = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  PlayState state = PlayState::kStopped;
  int volume = 0;
  std::string_view note;
};

struct LogTime {
  SYSTEMTIME local{};
  std::uint64_t epoch_ms = 0;
};

LogTime CurrentLogTime();

// The whole line, ending in a single LF. Line breaks inside the note become spaces.
std::string FormatLogLine(const LogEntry& entry, const LogTime& time, DWORD pid);

// Appends lines to the log file. Each line goes out in one append-only write, so
// several players sharing one log never split each other's lines, and a reader sees
// the line as soon as Write returns (the write goes straight to the OS; nothing is
// buffered in this process). Safe to call from any thread.
class EventLog {
 public:
  // A log that cannot be opened drops every line: the player still has to answer.
  explicit EventLog(const std::string& path);

  bool is_open() const { return static_cast<bool>(file_); }
  DWORD open_error() const { return open_error_; }
  void Write(const LogEntry& entry) const;

 private:
  win32::UniqueProcessHandle file_;  // any kernel handle closed with CloseHandle
  DWORD open_error_ = 0;
};

}  // namespace morv::standin
