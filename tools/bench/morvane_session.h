#pragma once
// Morvane started for a benchmark, driven from outside the way a user would.
#include <windows.h>

#include <chrono>
#include <string>

#include "tools/uidriver/uidriver.h"

namespace morv::bench {

struct Paths {
  std::string morvane;    // morvu.exe
  std::string floor;      // morv-floor.exe
  std::string playerLog;  // where the stand-in player logs
};

// The settings as a first start finds them: both options "No", nothing saved.
void ResetSettings();

// Launches a program with the stand-in player silent and logging to `playerLog`.
uidriver::Process Launch(const std::string& executable, const std::string& playerLog);

class MorvaneSession {
 public:
  // Takes Morvane just started and waits until its window is shown and the
  // hand-over has ended.
  explicit MorvaneSession(uidriver::Process started);

  DWORD pid() const { return process.pid(); }
  HWND button(const std::string& caption) const;
  std::string status() const { return uidriver::statusBarText(statusBar); }
  // Picks the day, types the time and answers the AM/PM question.
  void enterAlarm(std::chrono::year_month_day day, int hour, int minute);
  // "Send To &Tray"; false when the window is still shown afterwards.
  bool sendToTray();

  uidriver::Process process;
  HWND main = nullptr;
  HWND calendar = nullptr;
  HWND timeBox = nullptr;
  HWND statusBar = nullptr;
};

}  // namespace morv::bench
