#include "tools/morvane_driver/morvane_app.h"

#include <commctrl.h>
#include <sddl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>

#include "tools/uidriver/remote_memory.h"
#include "win32/main_form_ids.h"

namespace morv::driver {

using namespace std::chrono_literals;
namespace ids = win32::ids;

AlarmMinute MinuteOf(std::chrono::sys_time<std::chrono::milliseconds> at) {
  const auto day = std::chrono::floor<std::chrono::days>(at);
  const std::chrono::hh_mm_ss time{at - day};
  return {std::chrono::year_month_day{day}, static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count())};
}

std::vector<DWORD> PlayerProcesses() {
  std::vector<DWORD> players;
  const win32::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{.dwSize = sizeof(entry)};
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (!lstrcmpiW(entry.szExeFile, L"WinAmp.exe") ||
        !lstrcmpiW(entry.szExeFile, L"winamp-standin.exe")) {
      players.push_back(entry.th32ProcessID);
    }
  }
  return players;
}

void EndProcess(DWORD pid) {
  const win32::UniqueProcessHandle process(
      OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
  if (process && TerminateProcess(process.get(), 1)) WaitForSingleObject(process.get(), 10000);
}

void EndEveryPlayer() {
  for (DWORD pid : PlayerProcesses()) EndProcess(pid);
}

void ResetSettings() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettingsKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  StoreSetting("StartInTray", "No");
  StoreSetting("WinAmpOnStart", "No");
}

void StoreSetting(const std::string& name, const std::string& value, const std::string& subkey) {
  const std::string key = subkey.empty() ? kSettingsKey : std::string(kSettingsKey) + "\\" + subkey;
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                  static_cast<DWORD>(value.size() + 1));
}

void SetKeyRights(HKEY root, const char* path, const char* sddl) {
  HKEY key = nullptr;
  RegCreateKeyExA(root, path, 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr);
  const win32::UniqueHkey owned(key);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
  LocalFree(descriptor);
}

std::optional<std::string> RegText(HKEY root, const std::string& key, const std::string& name) {
  // Room for any value a test writes, the hundred-thousand-character date among them.
  std::string text(1 << 20, '\0');
  DWORD size = static_cast<DWORD>(text.size());
  if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &size)) {
    return std::nullopt;
  }
  text.resize(size ? size - 1 : 0);  // the terminating NUL
  return text;
}

std::chrono::sys_time<std::chrono::milliseconds> LocalNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return std::chrono::sys_days{std::chrono::year{now.wYear} / now.wMonth / now.wDay} +
         std::chrono::hours{now.wHour} + std::chrono::minutes{now.wMinute} +
         std::chrono::seconds{now.wSecond} + std::chrono::milliseconds{now.wMilliseconds};
}

std::string ShortDate(std::chrono::year_month_day day) {
  const SYSTEMTIME t{.wYear = static_cast<WORD>(static_cast<int>(day.year())),
                     .wMonth = static_cast<WORD>(static_cast<unsigned>(day.month())),
                     .wDay = static_cast<WORD>(static_cast<unsigned>(day.day()))};
  char text[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, text, sizeof(text));
  return text;
}

std::string AlarmMinute::typed() const {
  char text[8];
  std::snprintf(text, sizeof(text), "%02d:%02d", hour % 12 == 0 ? 12 : hour % 12, minute);
  return text;
}

std::string AlarmMinute::alarmTime() const {
  const std::string time = typed();
  return time.substr(time[0] == '0') + (am() ? " AM" : " PM");  // no leading zero
}

AlarmMinute PresentMinute(std::chrono::seconds left) {
  const auto now = LocalNow();
  const auto next = std::chrono::ceil<std::chrono::minutes>(now);
  if (next - now >= left) return MinuteOf(now);
  uidriver::waitUntil([&] { return LocalNow() >= next; }, 70s, "the next minute");
  return MinuteOf(LocalNow());
}

AlarmMinute MinuteAhead(std::chrono::seconds ahead) {
  return MinuteOf(std::chrono::ceil<std::chrono::minutes>(LocalNow() + ahead));
}

MorvaneApp::MorvaneApp(LaunchSettings settings) {
  const std::string executable =
      settings.executable.empty() ? uidriver::buildFolder() + "\\morvu.exe" : settings.executable;
  settings.environment.emplace_back("WINAMP_STANDIN_SILENT", "1");
  process = uidriver::Process::launch(
      {.executable = executable,
       .workingDirectory = executable.substr(0, executable.find_last_of("\\/")),
       .environment = std::move(settings.environment)});
  if (settings.waitForMainWindow) attach();
}

MorvaneApp::MorvaneApp(uidriver::Process started) : process(std::move(started)) { attach(); }

void MorvaneApp::attach() {
  // The window appears after the splash, the load and the settling second.
  main = uidriver::waitForWindow(pid(), "MorvaneMainWindow", 30s);
  calendar = GetDlgItem(main, ids::kCalendar);
  timeBox = GetDlgItem(main, ids::kTimeBox);
  statusBar = GetDlgItem(main, ids::kStatusBar);
  dateLabel = GetDlgItem(main, ids::kDateLabel);
  // The hand-over enables the buttons, then the calendar unless the alarm came back armed
  // (a repeating one, its button reading "Turn &Off"): a busy machine can run a test between.
  HWND arm = GetDlgItem(main, ids::kSet);
  uidriver::waitUntil(
      [&] {
        return uidriver::isEnabled(arm) &&
               (uidriver::isEnabled(calendar) || uidriver::windowText(arm) == "Turn &Off");
      },
      10s, "the hand-over to end", pid());
}

HWND MorvaneApp::button(const std::string& caption, std::chrono::milliseconds timeout) const {
  return uidriver::waitUntil(
      [&] {
        HWND found = FindWindowExA(main, nullptr, "Button", caption.c_str());
        return uidriver::isEnabled(found) ? found : nullptr;
      },
      timeout, caption, pid());
}

std::string MorvaneApp::status() const {
  // SB_GETTEXT takes no size and copies the panel's text whole, which may be longer than the
  // 16 bits its length is reported in. A UI thread that sleeps answers when it wakes.
  uidriver::RemoteBuffer buffer(pid(), 1 << 20);
  std::wstring text(LOWORD(buffer.send(statusBar, SB_GETTEXTW)), L'\0');
  buffer.read(0, text.data(), text.size() * sizeof(WCHAR));
  return uidriver::narrow(text);
}

void MorvaneApp::awaitStatus(const std::string& text, std::chrono::milliseconds timeout) const {
  try {
    uidriver::waitUntil([&] { return status() == text; }, timeout, "the status '" + text + "'",
                        pid());
  } catch (const uidriver::DriverError& error) {
    throw uidriver::DriverError(std::string(error.what()) + "; it reads '" + status() + "'");
  }
}

uidriver::MessageBoxInfo MorvaneApp::answerBox(const std::string& title,
                                               const std::string& answer) const {
  auto box = uidriver::waitForMessageBox(pid(), title, 15s);
  uidriver::answer(box, answer);
  return box;
}

void MorvaneApp::enterAlarm(const AlarmMinute& alarm) const {
  uidriver::calendarClickDate(calendar, alarm.day);
  uidriver::click(timeBox);
  uidriver::pressKey(timeBox, VK_HOME);
  uidriver::pressKey(timeBox, VK_END, uidriver::kShift);
  uidriver::typeText(timeBox, alarm.typed());
  uidriver::pressKey(timeBox, VK_TAB, 0, 0ms);
  answerBox("AM/PM Query:", alarm.am() ? "Yes" : "No");
  uidriver::waitUntil([&] { return uidriver::windowText(timeBox) == alarm.alarmTime(); }, 5s,
                      "the accepted time", pid());
}

void MorvaneApp::arm() const {
  uidriver::click(button("Turn &On"), 0ms);
  uidriver::waitUntil([] { return FindWindowA("Winamp v1.x", nullptr) != nullptr; }, 10s,
                      "the player to start", pid());
  if (!uidriver::settle(main, 15s)) throw uidriver::DriverError("the arming did not finish");
}

HWND MorvaneApp::openTrayMenu() const {
  uidriver::rightClickTrayIcon(uidriver::waitForTrayIcon(kTrayTip, 10s));
  return uidriver::waitForWindow(pid(), "#32768", 10s);
}

void MorvaneApp::chooseFromTrayMenu(const std::string& item, HWND menu) const {
  const size_t key = item.find('&');
  uidriver::typeText(menu ? menu : openTrayMenu(), item.substr(key + 1, 1), 0ms);
  if (item != "&Show Morvane") return;
  uidriver::waitUntil([this] { return IsWindowVisible(main) && !IsIconic(main); }, 10s,
                      "the window back", pid());
}

void MorvaneApp::exit(bool save, bool closePlayer) {
  uidriver::click(button("E&xit"), 0ms);
  answerBox("Close Morvane?", "Yes");
  // What else is asked depends on the alarm and the player: answer what comes, until the
  // program has ended.
  uidriver::waitUntil(
      [&] {
        try {
          for (const auto& [title, yes] :
               {std::pair{"Save Settings?", save}, std::pair{"Close WinAmp?", closePlayer}}) {
            if (auto box = uidriver::findMessageBox(pid(), title)) {
              uidriver::answer(*box, yes ? "Yes" : "No");
            }
          }
        } catch (const uidriver::DriverError&) {
          if (process.isRunning()) throw;  // ended while being looked at: that is the point
        }
        return !process.isRunning();
      },
      30s, "Morvane to end", pid());
}

void MorvaneApp::picture(const std::string& name) {
  const char* folder = std::getenv("MORV_SCREENSHOT_DIR");
  if (!folder || !*folder) return;
  Sleep(500);  // painting cannot be seen from outside; only pictures for the documentation wait
  // ImageMagick's import, a Linux program that Wine starts like any other (and hands back no
  // handle to), reads the display and then writes the file.
  const std::string file = std::string(folder) + "/" + name + ".png";
  uidriver::Process::launch(
      {.executable = "Z:\\usr\\bin\\import", .arguments = "-window root " + file});
  uidriver::waitUntil(
      [&] {
        return GetFileAttributesA(uidriver::windowsPath(file).c_str()) != INVALID_FILE_ATTRIBUTES;
      },
      30s, "the picture " + file);
}

}  // namespace morv::driver
