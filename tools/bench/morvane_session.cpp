#include "tools/bench/morvane_session.h"

#include <cstdio>

namespace morv::bench {
namespace {

using namespace std::chrono_literals;

constexpr char kSettingsKey[] = "SOFTWARE\\QUORVIX\\MORV";

void StoreSetting(const char* name, const char* value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                 static_cast<DWORD>(lstrlenA(value) + 1));
  RegCloseKey(key);
}

HWND ChildOfClass(HWND parent, const std::string& windowClass) {
  for (HWND child : uidriver::childWindows(parent)) {
    if (uidriver::className(child) == windowClass) return child;
  }
  throw uidriver::DriverError("no " + windowClass + " in the main window");
}

}  // namespace

void ResetSettings() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  StoreSetting("StartInTray", "No");
  StoreSetting("WinAmpOnStart", "No");
}

uidriver::Process Launch(const std::string& executable, const std::string& playerLog) {
  std::string folder = executable.substr(0, executable.find_last_of("\\/"));
  // The start is timed from before this call: no waiting for input idle here.
  return uidriver::Process::launch(
      {.executable = executable,
       .workingDirectory = folder,
       .environment = {{"WINAMP_STANDIN_SILENT", "1"}, {"WINAMP_STANDIN_LOG", playerLog}},
       .idleTimeout = 0ms});
}

MorvaneSession::MorvaneSession(uidriver::Process started) : process(std::move(started)) {
  // Splash, load pause and settling pause come first.
  main =
      uidriver::waitForWindow(pid(), {.className = "MorvaneMainWindow", .visibleOnly = true}, 60s);
  calendar = ChildOfClass(main, "SysMonthCal32");
  timeBox = ChildOfClass(main, "Edit");
  statusBar = ChildOfClass(main, "msctls_statusbar32");
  uidriver::waitUntil([this] { return uidriver::isEnabled(button("Turn &On")); }, 20s,
                      "the hand-over to end", pid());
}

HWND MorvaneSession::button(const std::string& caption) const {
  return uidriver::findChild(main, "Button", caption);
}

void MorvaneSession::enterAlarm(std::chrono::year_month_day day, int hour, int minute) {
  uidriver::calendarClickDate(calendar, day);
  char typed[8];
  std::snprintf(typed, sizeof(typed), "%02d:%02d", hour % 12 == 0 ? 12 : hour % 12, minute);
  uidriver::click(timeBox);
  uidriver::pressKey(timeBox, VK_HOME);
  uidriver::pressKey(timeBox, VK_END, {.shift = true});
  uidriver::typeText(timeBox, typed);
  uidriver::pressKey(timeBox, VK_TAB, {}, 0ms);
  uidriver::answer(uidriver::waitForMessageBox(pid(), "AM/PM Query:", 10s),
                   hour < 12 ? "Yes" : "No");
}

bool MorvaneSession::sendToTray() {
  uidriver::click(button("Send To &Tray"));
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!IsWindowVisible(main)) return true;
    Sleep(50);
  }
  return false;
}

}  // namespace morv::bench
