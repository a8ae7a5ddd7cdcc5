#pragma once
// The stand-in player as a process of its own, for tests that need real
// cross-process messages; and its log, read back.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace morv::driver {

// The folder holding the test tools: MORV_TOOLS_DIR, or "tools" beside the test's folder.
std::string ToolsFolder();

struct PlayerLogLine {
  std::string name;  // PLAY, SETVOLUME, QUIT, ...
  unsigned long long wParam = 0;
  long long epochMs = 0;
  std::string time;  // local, with milliseconds
  int state = 0;     // 0 stopped, 1 playing, 3 paused, after the event
  int volume = 0;    // 0..255, after the event: a SETVOLUME line's is the volume it set
  std::string note;  // the free text at the end, if any
};

std::vector<PlayerLogLine> ReadPlayerLog(const std::string& path);
// The lines with this name, in order.
std::vector<PlayerLogLine> Named(const std::vector<PlayerLogLine>& lines, const std::string& name);

class StandInPlayer {
 public:
  // Starts the player with these extra environment variables and waits for its window.
  explicit StandInPlayer(const std::map<std::string, std::string>& environment = {});
  ~StandInPlayer();
  StandInPlayer(const StandInPlayer&) = delete;
  StandInPlayer& operator=(const StandInPlayer&) = delete;

  HWND window() const { return window_; }
  DWORD pid() const { return pid_; }
  // Waits for the process to end; true when it did within the time.
  bool waitForExit(DWORD milliseconds);

 private:
  win32::UniqueProcessHandle process_;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

// The player's window as Morvane looks for it, whichever program started the player.
inline HWND PlayerWindow() { return FindWindowA("Winamp v1.x", nullptr); }

// A fresh log file path in the temporary folder, deleted if it exists.
std::string FreshLogPath(const std::string& name);

}  // namespace morv::driver
