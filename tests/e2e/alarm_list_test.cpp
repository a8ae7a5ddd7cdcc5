// Several alarms end to end, by the keyboard: a second alarm, every day, added in the Alarms box
// and switched off and on there, rings in its own minute, a minute after the main window's, on
// the same player; Snooze stops each and moves the second on to tomorrow; the list is kept at
// once and comes back with the next start.
#include <windows.h>

#include <algorithm>

#include "tests/e2e/e2e_test.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono;
using AlarmListTest = E2eTest;

// Sets the add box's time picker, which starts at 7:00 AM, with its arrow keys as a user at
// the keyboard would: the hour (the half of the day follows it), then the minutes. Wine's
// picker selects no field until an arrow moves to one.
void TypeTime(HWND picker, const AlarmMinute& at) {
  const auto step = [picker](int from, int to, int range) {
    const int up = ((to - from) % range + range) % range;
    for (int i = 0; i < std::min(up, range - up); ++i) {
      uidriver::pressKey(picker, up <= range - up ? VK_UP : VK_DOWN);
    }
  };
  uidriver::pressKey(picker, VK_RIGHT);
  step(7, at.hour, 24);
  uidriver::pressKey(picker, VK_RIGHT);
  step(0, at.minute, 60);
}

TEST_F(AlarmListTest, ASecondAlarmAddedByKeyboardRingsInItsMinuteAndComesBackAfterARestart) {
  const std::string log = FreshLogPath("list");
  MorvaneApp app({.environment = {{"WINAMP_STANDIN_LOG", log}}});
  const AlarmMinute first = MinuteAhead(40s);
  const AlarmMinute second = MinuteOf(first.start() + 1min);
  app.enterAlarm(first);
  app.arm();

  uidriver::pressKey(app.main, 'L', uidriver::kCtrl);
  const HWND list = uidriver::waitForWindow(app.pid(), "#32770", 10s, "Alarms");
  uidriver::pressKey(uidriver::focusedWindow(list), 'A', uidriver::kAlt);
  const HWND add = uidriver::waitForWindow(app.pid(), "#32770", 10s, "Add Alarm");
  uidriver::pressKey(uidriver::focusedWindow(add), 'E', uidriver::kAlt);  // Every Day
  uidriver::pressKey(uidriver::focusedWindow(add), 'I', uidriver::kAlt);
  TypeTime(uidriver::focusedWindow(add), second);
  uidriver::pressKey(uidriver::focusedWindow(add), 'L', uidriver::kAlt);
  uidriver::typeText(uidriver::focusedWindow(add), "Nap");
  uidriver::pressKey(uidriver::focusedWindow(add), VK_RETURN);
  const std::string entry = std::string(kSettingsKey) + "\\Alarms\\1";
  uidriver::waitUntil([&] { return RegText(HKEY_LOCAL_MACHINE, entry, "Label") == "Nap"; },
                      seconds(10), "the alarm kept as soon as it is added", app.pid());

  // Back on the list (the focus is on Add): Space switches the alarm off and on again.
  uidriver::pressKey(uidriver::focusedWindow(list), VK_TAB, uidriver::kShift);
  const HWND rows = uidriver::focusedWindow(list);
  uidriver::pressKey(rows, VK_HOME);
  for (const char* on : {"No", "Yes"}) {
    uidriver::pressKey(rows, VK_SPACE);
    uidriver::waitUntil([&] { return RegText(HKEY_LOCAL_MACHINE, entry, "On") == on; }, 10s,
                        "the alarm switched", app.pid());
  }
  uidriver::pressKey(rows, VK_ESCAPE);

  // The main window's alarm, then the list's, each rung on the player and snoozed.
  for (size_t ring = 1; ring <= 2; ++ring) {
    app.awaitStatus(kAlarmBanner, 100s);
    EXPECT_EQ(Logged(log, "PLAY").size(), ring);
    uidriver::click(app.button("Snoo&ze"));
    uidriver::waitUntil([&] { return app.status() != kAlarmBanner; }, 15s, "the snooze", app.pid());
  }
  app.exit();

  // The next start has the list back, the alarm moved on to tomorrow, as the tray's tip says.
  StoreSetting("StartInTray", "Yes");
  MorvaneApp again({.waitForMainWindow = false});
  const year_month_day tomorrow{sys_days{second.day} + days{1}};
  const char* const weekdays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  uidriver::waitForTrayIcon(std::string(kTrayTip) + "\nNext alarm: " +
                                weekdays[weekday{sys_days{tomorrow}}.iso_encoding() - 1] + " " +
                                ShortDate(tomorrow) + " " + second.alarmTime() + ", Nap",
                            30s);
}

}  // namespace
}  // namespace morv::e2e
