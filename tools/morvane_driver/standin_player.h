#pragma once
// The stand-in player's log read back, and its window.
#include <windows.h>

#include <string>
#include <vector>

namespace morv::driver {

struct PlayerLogLine {
  std::string name;  // START, PLAY, SETVOLUME, QUIT, ...
  long long epochMs = 0;
  int order = 0;     // the line's place in the log: events logged in one millisecond still differ
  std::string time;  // local, with milliseconds
  int volume = 0;    // 0..255, after the event: a SETVOLUME line's is the volume it set
  std::string note;  // the free text at the end, if any
};
// The lines of the log at `path` with this name, in order.
std::vector<PlayerLogLine> Logged(const std::string& path, const std::string& name);
// A fresh log file path in the temporary folder, deleted if it exists.
std::string FreshLogPath(const std::string& name);

// The player's window as Morvane looks for it, whichever program started the player.
inline HWND PlayerWindow() { return FindWindowA("Winamp v1.x", nullptr); }

}  // namespace morv::driver
