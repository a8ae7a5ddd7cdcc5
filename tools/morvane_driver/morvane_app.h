#pragma once
// Morvane started for real, as its own process, with the handles of the controls a test or a
// benchmark drives; the settings it starts from; and the clock its alarms are set by. Failures
// throw uidriver::DriverError.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/uidriver/uidriver.h"

namespace morv::driver {

inline constexpr char kSettingsKey[] = "SOFTWARE\\QUORVIX\\MORV";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The player's fixed place, and where a test moves its program to make it missing.
inline constexpr char kPlayerProgram[] = "C:\\Program Files\\WinAmp\\WinAmp.exe";
inline constexpr char kPlayerAway[] = "C:\\Program Files\\WinAmp\\WinAmp.exe.away";

// The status panel while the alarm rings.
inline constexpr char kAlarmBanner[] =
    "!!!!! ALARM !!!!!! !!!!! ALARM !!!!!! !!!!! ALARM !!!!!! !!!!! ALARM !!!!!! "
    "!!!!! ALARM !!!!!! !!!!! ALARM !!!!!!";
// The tip of Morvane's tray icon.
inline constexpr char kTrayTip[] = "Morvane(tm) - Right Click For Options";

// Ends a program that the test has no Process of, and waits until it has ended.
void EndProcess(DWORD pid);
// The processes of every player running, the stand-in under either of its names.
std::vector<DWORD> PlayerProcesses();
// Ends every player, also one still waiting to show its window: a player left running would
// hold the test's output open, and the next test would find it.
void EndEveryPlayer();

// The program's settings as a first start would find them: options "No", nothing saved.
void ResetSettings();
// A REG_SZ value under the settings key, or under its `subkey` ("Alarms\\3").
void StoreSetting(const std::string& name, const std::string& value,
                  const std::string& subkey = "");
// Gives a key these rights for everyone, in SDDL: "D:P(A;;KR;;;WD)" refuses every write to it
// (Wine enforces key security), "D:P(A;;KA;;;WD)" allows them again.
void SetKeyRights(HKEY root, const char* key, const char* sddl);
// A REG_SZ value; nothing when it is missing or of another type.
std::optional<std::string> RegText(HKEY root, const std::string& key, const std::string& name);
// A setting as Morvane keeps it for everyone; "" when there is none.
inline std::string Setting(const std::string& name) {
  return RegText(HKEY_LOCAL_MACHINE, kSettingsKey, name).value_or("");
}

// The local wall clock, read as if it were UTC, and the locale's short date of a day.
std::chrono::sys_time<std::chrono::milliseconds> LocalNow();
std::string ShortDate(std::chrono::year_month_day day);

// A minute of the local clock, and what a user types and sees for it.
struct AlarmMinute {
  std::chrono::year_month_day day;
  int hour;  // 0 to 23
  int minute;
  std::string typed() const;      // hh:mm, 12-hour
  std::string alarmTime() const;  // h:mm AM
  bool am() const { return hour < 12; }
  std::chrono::sys_time<std::chrono::minutes> start() const {
    return std::chrono::sys_days{day} + std::chrono::hours{hour} + std::chrono::minutes{minute};
  }
};
// The minute of the local clock `at` falls in.
AlarmMinute MinuteOf(std::chrono::sys_time<std::chrono::milliseconds> at);
// The present minute when at least `left` of it remains, else the next one once it has begun:
// an alarm for it rings right after arming.
AlarmMinute PresentMinute(std::chrono::seconds left);
// A minute that starts at least `ahead` from now.
AlarmMinute MinuteAhead(std::chrono::seconds ahead);

struct LaunchSettings {
  uidriver::Environment environment;
  std::string executable;  // morvu.exe in the build folder when empty
  // Waits for the main window after the splash, and for the hand-over to end.
  bool waitForMainWindow = true;
};

class MorvaneApp {
 public:
  explicit MorvaneApp(LaunchSettings settings = {});
  // Takes over a Morvane already started (a benchmark times its start itself).
  explicit MorvaneApp(uidriver::Process started);

  DWORD pid() const { return process.pid(); }
  // The enabled button with this caption, waited for up to `timeout`.
  HWND button(const std::string& caption,
              std::chrono::milliseconds timeout = std::chrono::seconds(15)) const;
  // The status bar's first panel, read in the program's memory.
  std::string status() const;
  // Waits up to `timeout` for the status bar to read `text`; a timeout tells what it read.
  void awaitStatus(const std::string& text, std::chrono::milliseconds timeout) const;
  // Waits for a box with this title, and presses `answer`.
  uidriver::MessageBoxInfo answerBox(const std::string& title, const std::string& answer) const;
  // Chooses the day, types over what the time box holds and answers the AM/PM question.
  void enterAlarm(const AlarmMinute& alarm) const;
  // Arms: presses "Turn &On" and waits until the five-second wait for the player is over.
  void arm() const;
  // Right-clicks the tray icon and returns its open menu.
  HWND openTrayMenu() const;
  // Chooses an item of the tray menu by its access key, the letter after the '&' in `item`, as
  // a user at the keyboard would; the menu is opened here unless `menu` is open already.
  // "&Show Morvane" also waits for the window.
  void chooseFromTrayMenu(const std::string& item, HWND menu = nullptr) const;
  // Exit, answering Yes to closing, `save` to saving an entered alarm and `closePlayer` to
  // closing a running player; the process ends.
  void exit(bool save = false, bool closePlayer = true);
  // A picture of the screen for the documentation, when MORV_SCREENSHOT_DIR names a folder:
  // <name>.png there.
  static void picture(const std::string& name);

  uidriver::Process process;
  HWND main = nullptr;
  HWND calendar = nullptr;
  HWND timeBox = nullptr;
  HWND statusBar = nullptr;
  HWND dateLabel = nullptr;

 private:
  void attach();
};

}  // namespace morv::driver
