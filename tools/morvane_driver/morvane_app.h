#pragma once
// Morvane started for real, as its own process, with the handles of the controls a test
// or a benchmark drives; the settings it starts from; and a watch on whether its window
// keeps answering. Failures throw uidriver::DriverError.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tools/uidriver/uidriver.h"

namespace morv::driver {

// The folder holding morvu.exe: the parent of the running program's own folder.
std::string BuildFolder();

inline constexpr char kSettingsKey[] = "SOFTWARE\\QUORVIX\\MORV";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The same keys as reg.exe names them.
inline constexpr char kSettingsPath[] = "HKLM\\SOFTWARE\\QUORVIX\\MORV";
inline constexpr char kRunPath[] = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The player's fixed place, and where a test moves its program to make it missing.
inline constexpr char kPlayerFolder[] = "C:\\Program Files\\WinAmp";
inline constexpr char kPlayerProgram[] = "C:\\Program Files\\WinAmp\\WinAmp.exe";
inline constexpr char kPlayerAway[] = "C:\\Program Files\\WinAmp\\WinAmp.exe.away";

// The status panel while the alarm rings.
inline constexpr char kAlarmBanner[] =
    "!!!!! ALARM !!!!!! !!!!! ALARM !!!!!! !!!!! ALARM !!!!!! !!!!! ALARM !!!!!! "
    "!!!!! ALARM !!!!!! !!!!! ALARM !!!!!!";

// The tip of Morvane's tray icon.
inline constexpr char kTrayTip[] = "Morvane(tm) - Right Click For Options";

// Ends every stand-in player, also one still waiting to show its window: a player left
// running would hold the test's output open, and the next test would find it.
void EndEveryPlayer();

// The program's settings as a first start would find them: options "No", nothing saved.
void ResetSettings();
void StoreSetting(const std::string& name, const std::string& value);
// Gives a key these rights for everyone, in SDDL: "D:P(A;;KR;;;WD)" refuses every write
// to it (Wine enforces key security), "D:P(A;;KA;;;WD)" allows them again.
void SetKeyRights(HKEY root, const char* key, const char* sddl);
// What Windows' own reg.exe says a value holds, `key` with its hive spelled HKLM or HKCU.
struct RegValue {
  std::string type;  // REG_SZ, REG_DWORD...
  std::string data;  // as reg.exe prints it
};
std::optional<RegValue> RegQueryValue(const std::string& key, const std::string& name);
// The text of a REG_SZ value; empty when there is none.
std::string RegQuery(const std::string& key, const std::string& name);
// The locale's short date of a day, as the program renders it.
std::string ShortDate(std::chrono::year_month_day day);
std::chrono::year_month_day Today();

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
// The local wall clock, read as if it were UTC.
std::chrono::sys_time<std::chrono::milliseconds> LocalNow();
// The present minute when at least `left` of it remains, else the next one once it has
// begun: an alarm for it rings right after arming.
AlarmMinute PresentMinute(std::chrono::seconds left);
// A minute that starts at least `ahead` from now.
AlarmMinute MinuteAhead(std::chrono::seconds ahead);

// Posts the window's thread a marker over and over and keeps the longest time it took to
// take it from its queue: input, painting and timers wait exactly as long. (A message
// sent to the window would not do: a thread blocked in SendMessage still answers those.)
// A window that takes nothing for ten seconds looks hung to Windows, and to the user.
class ResponsivenessWatch {
 public:
  explicit ResponsivenessWatch(HWND window);
  ~ResponsivenessWatch();
  ResponsivenessWatch(const ResponsivenessWatch&) = delete;
  ResponsivenessWatch& operator=(const ResponsivenessWatch&) = delete;
  std::chrono::milliseconds longestUnanswered() const {
    return std::chrono::milliseconds(longest_.load());
  }

 private:
  HWND window_;
  std::atomic<bool> stop_{false};
  std::atomic<long long> longest_{0};
  std::thread thread_;
};

struct LaunchSettings {
  std::vector<std::pair<std::string, std::string>> environment;
  std::string executable;  // morvu.exe in the build folder when empty
  // Waits for the main window after the splash, and for the hand-over to end.
  bool waitForMainWindow = true;
};

class MorvaneApp {
 public:
  explicit MorvaneApp(LaunchSettings settings = {});
  // Takes over a Morvane already started (a benchmark times its start itself). A benchmark
  // also leaves it unwatched: the watch's marker ten times a second, and the agent it loads
  // into the program, are work and memory Morvane would not have on its own.
  MorvaneApp(uidriver::Process started, bool watched);
  ~MorvaneApp();

  DWORD pid() const { return process.pid(); }
  HWND button(const std::string& caption) const;
  // Waits up to `timeout` for an enabled button with this caption.
  HWND enabledButton(const std::string& caption,
                     std::chrono::milliseconds timeout = std::chrono::seconds(15)) const;
  std::string status() const { return uidriver::statusBarText(statusBar); }
  // Waits up to `timeout` for the status bar to read `text`; a timeout tells what it read.
  void awaitStatus(const std::string& text, std::chrono::milliseconds timeout) const;
  std::string timeText() const { return uidriver::windowText(timeBox); }
  // Waits for a box with this title, and presses `answer`.
  uidriver::MessageBoxInfo answerBox(const std::string& title, const std::string& answer);
  // Clicks the time box and types over what it holds; leaves it with Tab unless told not to.
  void typeTime(const std::string& typed, bool leave = true);
  // Chooses the day, types the time and answers the AM/PM question.
  void enterAlarm(const AlarmMinute& alarm);
  // Arms: presses "Turn &On" and waits until the five-second wait for the player is over.
  void arm();
  // Opens the repeat days box with its shortcut, Ctrl+R, and returns it.
  HWND openRepeatDialog();
  // Right-clicks the tray icon and returns its open menu.
  HWND openTrayMenu();
  // Chooses `item` from the tray menu, opened here unless `menu` is open already;
  // "&Show Morvane" also waits for the window.
  void chooseFromTrayMenu(const std::string& item, HWND menu = nullptr);
  // Exit, answering Yes to closing, `save` to saving an entered alarm and `closePlayer`
  // to closing a running player; the process ends.
  void exit(bool save = false, bool closePlayer = true);
  // A picture of the screen for the documentation, when MORV_SCREENSHOT_DIR names a
  // folder: <name>.bmp there.
  static void picture(const std::string& name);
  // The longest the main window went unanswered since it appeared.
  std::chrono::milliseconds longestUnanswered() const {
    return watch_ ? watch_->longestUnanswered() : std::chrono::milliseconds(0);
  }

  uidriver::Process process;
  HWND main = nullptr;
  HWND calendar = nullptr;
  HWND timeBox = nullptr;
  HWND statusBar = nullptr;
  HWND dateLabel = nullptr;

 private:
  // Waits for the main window after the splash, the load and the settling second.
  void attach(bool watched);

  std::unique_ptr<ResponsivenessWatch> watch_;
};

}  // namespace morv::driver
