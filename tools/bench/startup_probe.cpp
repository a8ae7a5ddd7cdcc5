#include "tools/bench/startup_probe.h"

#include <windows.h>


#include "tools/uidriver/window_query.h"

namespace morv::bench {
namespace {

constexpr DWORD kPollMs = 10;
constexpr double kGiveUpMs = 60000;

long long PerformanceTicks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double MillisecondsSince(long long startTicks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(PerformanceTicks() - startTicks) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

// A splash may be a dialog too; a message box is one with buttons to answer it.
bool IsMessageBox(HWND window, const std::string& className) {
  if (className != "#32770") return false;
  for (HWND child : uidriver::childWindows(window)) {
    if (uidriver::hasClass(child, "Button") && IsWindowVisible(child)) return true;
  }
  return false;
}

StartupTiming WatchStartup(DWORD pid, long long startTicks, const std::string& windowClass) {
  StartupTiming timing;
  double splashFrom = -1;
  double splashTo = -1;
  while (MillisecondsSince(startTicks) < kGiveUpMs) {
    const double now = MillisecondsSince(startTicks);
    bool otherShown = false;
    for (HWND window : uidriver::topLevelWindows(pid)) {
      if (!IsWindowVisible(window)) continue;
      const std::string name = uidriver::className(window);
      if (uidriver::hasClass(window, windowClass)) {
        timing.shownMs = now;
      } else if (!IsMessageBox(window, name)) {
        otherShown = true;
        timing.splashClass = name;
      }
    }
    if (otherShown) {
      if (splashFrom < 0) splashFrom = now;
      splashTo = now;
    }
    if (timing.shownMs >= 0) break;
    Sleep(kPollMs);
  }
  timing.splash = splashFrom >= 0;
  if (timing.splash) timing.splashMs = splashTo - splashFrom;
  return timing;
}

}  // namespace

StartupTiming TimeStartup(const std::function<uidriver::Process()>& launch,
                          uidriver::Process& started, const std::string& windowClass) {
  const long long start = PerformanceTicks();
  started = launch();
  return WatchStartup(started.pid(), start, windowClass);
}

}  // namespace morv::bench
