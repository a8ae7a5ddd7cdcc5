#include "tools/morvane_driver/morvane_app.h"

#include <sddl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "tools/morvane_driver/run_program.h"

namespace morv::driver {
namespace {

using namespace std::chrono_literals;

void SetString(HKEY root, const char* path, const std::string& name, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }
}

// The one control of that class; its text changes, so it cannot be found by text.
HWND ChildOfClass(HWND parent, const std::string& windowClass) {
  for (HWND child : uidriver::childWindows(parent)) {
    if (uidriver::className(child) == windowClass) return child;
  }
  throw uidriver::DriverError("no " + windowClass + " in the main window");
}

AlarmMinute MinuteOf(std::chrono::sys_time<std::chrono::milliseconds> at) {
  const auto day = std::chrono::floor<std::chrono::days>(at);
  const std::chrono::hh_mm_ss time{at - day};
  return {std::chrono::year_month_day{day}, static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count())};
}

}  // namespace

std::chrono::sys_time<std::chrono::milliseconds> LocalNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return std::chrono::sys_days{std::chrono::year{now.wYear} / now.wMonth / now.wDay} +
         std::chrono::hours{now.wHour} + std::chrono::minutes{now.wMinute} +
         std::chrono::seconds{now.wSecond} + std::chrono::milliseconds{now.wMilliseconds};
}

std::string BuildFolder() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  folder.resize(folder.find_last_of("\\/"));
  return folder.substr(0, folder.find_last_of("\\/"));
}

void EndEveryPlayer() {
  win32::UniqueProcessHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"WinAmp.exe") != 0 &&
        lstrcmpiW(entry.szExeFile, L"winamp-standin.exe") != 0) {
      continue;
    }
    win32::UniqueProcessHandle player(
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!player) continue;
    TerminateProcess(player.get(), 1);
    WaitForSingleObject(player.get(), 5000);
  }
}

void ResetSettings() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  StoreSetting("StartInTray", "No");
  StoreSetting("WinAmpOnStart", "No");
}

void StoreSetting(const std::string& name, const std::string& value) {
  SetString(HKEY_LOCAL_MACHINE, kSettingsKey, name, value);
}

void SetKeyRights(HKEY root, const char* path, const char* sddl) {
  HKEY key = nullptr;
  RegCreateKeyExA(root, path, 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr);
  win32::UniqueHkey owned(key);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
}

std::optional<RegValue> RegQueryValue(const std::string& key, const std::string& name) {
  const auto output = RunProgram("reg query \"" + key + "\" /v \"" + name + "\"");
  if (output.exitCode != 0) return std::nullopt;
  // "    <name>    <type>    <data>"
  const std::string start = "    " + name + "    ";
  std::istringstream lines(output.text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(start, 0) != 0) continue;
    const std::string rest = line.substr(start.size());
    const size_t gap = rest.find("    ");
    if (gap == std::string::npos) return RegValue{rest, ""};
    return RegValue{rest.substr(0, gap), rest.substr(gap + 4)};
  }
  return std::nullopt;
}

std::string RegQuery(const std::string& key, const std::string& name) {
  const auto value = RegQueryValue(key, name);
  return value && value->type == "REG_SZ" ? value->data : std::string();
}

std::string ShortDate(std::chrono::year_month_day day) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(static_cast<int>(day.year()));
  t.wMonth = static_cast<WORD>(static_cast<unsigned>(day.month()));
  t.wDay = static_cast<WORD>(static_cast<unsigned>(day.day()));
  char text[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, text, sizeof(text));
  return text;
}

std::chrono::year_month_day Today() {
  return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(LocalNow())};
}

std::string AlarmMinute::typed() const {
  char text[8];
  std::snprintf(text, sizeof(text), "%02d:%02d", hour % 12 == 0 ? 12 : hour % 12, minute);
  return text;
}

std::string AlarmMinute::alarmTime() const {
  char text[16];
  std::snprintf(text, sizeof(text), "%d:%02d %s", hour % 12 == 0 ? 12 : hour % 12, minute,
                am() ? "AM" : "PM");
  return text;
}

AlarmMinute PresentMinute(std::chrono::seconds left) {
  auto now = LocalNow();
  const auto into = now - std::chrono::floor<std::chrono::minutes>(now);
  if (60s - into < left) {
    const auto next = std::chrono::ceil<std::chrono::minutes>(now);
    uidriver::waitUntil([&] { return LocalNow() >= next; }, 70s, "the next minute");
    now = LocalNow();
  }
  return MinuteOf(now);
}

AlarmMinute MinuteAhead(std::chrono::seconds ahead) {
  return MinuteOf(std::chrono::ceil<std::chrono::minutes>(LocalNow() + ahead));
}

ResponsivenessWatch::ResponsivenessWatch(HWND window) : window_(window) {
  thread_ = std::thread([this] {
    while (!stop_) {
      const auto start = std::chrono::steady_clock::now();
      bool taken = false;
      try {
        taken = uidriver::settle(window_, 30s);
      } catch (const uidriver::DriverError&) {
      }
      if (!taken && !IsWindow(window_)) return;  // the program has ended
      const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
      if (took > longest_) longest_ = took;
      Sleep(100);
    }
  });
}

ResponsivenessWatch::~ResponsivenessWatch() {
  stop_ = true;
  thread_.join();
}

MorvaneApp::MorvaneApp(LaunchSettings settings) {
  const std::string executable =
      settings.executable.empty() ? BuildFolder() + "\\morvu.exe" : settings.executable;
  settings.environment.emplace_back("WINAMP_STANDIN_SILENT", "1");
  process = uidriver::Process::launch(
      {.executable = executable,
       .workingDirectory = executable.substr(0, executable.find_last_of("\\/")),
       .environment = std::move(settings.environment)});
  if (settings.waitForMainWindow) attach(true);
}

MorvaneApp::MorvaneApp(uidriver::Process started, bool watched) : process(std::move(started)) {
  attach(watched);
}

void MorvaneApp::attach(bool watched) {
  // The window appears after the splash, the load and the settling second.
  main = uidriver::waitForWindow(pid(),
                                 {.className = "MorvaneMainWindow",
                                  .title = "Morvane(tm)",
                                  .titleIsSubstring = true,
                                  .visibleOnly = true},
                                 30s);
  calendar = ChildOfClass(main, "SysMonthCal32");
  timeBox = ChildOfClass(main, "Edit");
  statusBar = ChildOfClass(main, "msctls_statusbar32");
  dateLabel = uidriver::findChild(main, 109);
  // The arm button by its id, among the window's own children (the calendar has children
  // with ids of their own): a repeating alarm comes back armed, reading "Turn &Off".
  HWND arm = GetDlgItem(main, 102);
  if (!arm) throw uidriver::DriverError("the main window has no arm button");
  // The hand-over enables the buttons, then the calendar (unless the alarm came back
  // armed): a busy machine can run a test in between.
  uidriver::waitUntil(
      [&] {
        return uidriver::isEnabled(arm) &&
               (uidriver::isEnabled(calendar) || uidriver::windowText(arm) == "Turn &Off");
      },
      10s, "the hand-over to end", pid());
  if (watched) watch_ = std::make_unique<ResponsivenessWatch>(main);
}

void MorvaneApp::picture(const std::string& name) {
  const char* folder = std::getenv("MORV_SCREENSHOT_DIR");
  if (!folder || !*folder) return;
  Sleep(500);  // the window and its shadow painted
  uidriver::saveScreenshot(uidriver::windowsPath(folder) + "\\" + name + ".bmp");
}

MorvaneApp::~MorvaneApp() {
  if (process.isRunning()) process.terminate();
}

HWND MorvaneApp::button(const std::string& caption) const {
  return uidriver::findChild(main, "Button", caption);
}

HWND MorvaneApp::enabledButton(const std::string& caption,
                               std::chrono::milliseconds timeout) const {
  return uidriver::waitFor(
      [&]() -> std::optional<HWND> {
        HWND found = FindWindowExA(main, nullptr, "Button", caption.c_str());
        return found && uidriver::isEnabled(found) ? std::optional<HWND>(found) : std::nullopt;
      },
      timeout, caption, pid());
}

uidriver::MessageBoxInfo MorvaneApp::answerBox(const std::string& title,
                                               const std::string& answer) {
  auto box = uidriver::waitForMessageBox(pid(), title, 15s);
  uidriver::answer(box, answer);
  return box;
}

void MorvaneApp::typeTime(const std::string& typed, bool leave) {
  uidriver::click(timeBox);
  // Whatever the box holds is selected and typed over.
  uidriver::pressKey(timeBox, VK_HOME);
  uidriver::pressKey(timeBox, VK_END, {.shift = true});
  uidriver::typeText(timeBox, typed);
  if (leave) uidriver::pressKey(timeBox, VK_TAB, {}, 0ms);
}

void MorvaneApp::enterAlarm(const AlarmMinute& alarm) {
  uidriver::calendarClickDate(calendar, alarm.day);
  typeTime(alarm.typed());
  answerBox("AM/PM Query:", alarm.am() ? "Yes" : "No");
  uidriver::waitUntil([&] { return timeText() == alarm.alarmTime(); }, 5s, "the accepted time",
                      pid());
}

void MorvaneApp::arm() {
  uidriver::click(button("Turn &On"), 0ms);
  uidriver::waitUntil([this] { return FindWindowA("Winamp v1.x", nullptr) != nullptr; }, 10s,
                      "the player to start", pid());
  if (!uidriver::settle(main, 15s)) throw uidriver::DriverError("the arming did not finish");
}

HWND MorvaneApp::openRepeatDialog() {
  uidriver::pressKey(main, 'R', {.ctrl = true});
  return uidriver::waitForWindow(
      pid(), {.className = "#32770", .title = "Repeat Alarm", .visibleOnly = true}, 10s);
}

HWND MorvaneApp::openTrayMenu() {
  uidriver::clickTrayIcon(uidriver::waitForTrayIcon(kTrayTip, 10s), /*right=*/true);
  return uidriver::waitForWindow(pid(), {.className = "#32768", .visibleOnly = true}, 10s);
}

void MorvaneApp::chooseFromTrayMenu(const std::string& item, HWND menu) {
  uidriver::choosePopupItem(menu ? menu : openTrayMenu(), item);
  if (item != "&Show Morvane") return;
  uidriver::waitUntil([this] { return IsWindowVisible(main) && !IsIconic(main); }, 10s,
                      "the window back", pid());
}

void MorvaneApp::awaitStatus(const std::string& text, std::chrono::milliseconds timeout) const {
  try {
    uidriver::waitUntil([&] { return status() == text; }, timeout, "the status '" + text + "'",
                        pid());
  } catch (const uidriver::DriverError& error) {
    throw uidriver::DriverError(std::string(error.what()) + "; it reads '" + status() + "'");
  }
}

void MorvaneApp::exit(bool save, bool closePlayer) {
  uidriver::click(button("E&xit"), 0ms);
  answerBox("Close Morvane?", "Yes");
  // What else is asked depends on the alarm and the player: answer what comes, until
  // the program has ended.
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while (process.isRunning() && std::chrono::steady_clock::now() < deadline) {
    try {
      if (auto box = uidriver::findMessageBox(pid(), "Save Settings?")) {
        uidriver::answer(*box, save ? "Yes" : "No");
      } else if (auto player = uidriver::findMessageBox(pid(), "Close WinAmp?")) {
        uidriver::answer(*player, closePlayer ? "Yes" : "No");
      } else {
        Sleep(50);
      }
    } catch (const uidriver::DriverError&) {
      if (process.isRunning()) throw;  // ended while being looked at: that is the point
    }
  }
  if (const DWORD code = process.waitForExit(10s); code != 0) {
    throw uidriver::DriverError("Morvane ended with code " + std::to_string(code));
  }
}

}  // namespace morv::driver
