// A repeating alarm, end to end: the days chosen through the menu's shortcut and the
// box, the alarm rung and snoozed, armed again for the next morning, and brought back
// armed by a restart.
#include <windows.h>

#include <gtest/gtest.h>

#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono;

// A player left running, also by a failed test, would hold the test's output open.
struct PlayersEndedAfter {
  ~PlayersEndedAfter() { EndEveryPlayer(); }
};

TEST(RepeatTest, ChosenDaysKeepTheAlarmArmedForTheNextMorningAndAcrossARestart) {
  ResetSettings();
  EndEveryPlayer();
  const PlayersEndedAfter players;
  MorvaneApp app;

  // Monday to Friday with the quick button, and tomorrow ticked as well: whatever day the
  // test runs on, the next morning is tomorrow.
  const year_month_day tomorrow{sys_days{Today()} + days{1}};
  const unsigned tomorrowIndex = weekday{sys_days{tomorrow}}.iso_encoding() - 1;
  const char* const dayBoxes[] = {"&Monday", "T&uesday",  "&Wednesday", "T&hursday",
                                  "&Friday", "S&aturday", "Su&nday"};
  HWND dialog = app.openRepeatDialog();
  uidriver::pressKey(uidriver::focusedWindow(dialog), 'T', {.alt = true});
  for (int d = 0; d < 5; ++d) {
    EXPECT_TRUE(uidriver::isChecked(uidriver::findChild(dialog, "Button", dayBoxes[d])));
  }
  uidriver::setChecked(uidriver::findChild(dialog, "Button", dayBoxes[tomorrowIndex]), true);
  app.picture("repeat-dialog");
  uidriver::click(uidriver::findChild(dialog, "Button", "OK"));
  const std::string stored = tomorrowIndex == 5   ? "Mon,Tue,Wed,Thu,Fri,Sat"
                             : tomorrowIndex == 6 ? "Mon,Tue,Wed,Thu,Fri,Sun"
                                                  : "Mon,Tue,Wed,Thu,Fri";
  EXPECT_EQ(RegQuery(kSettingsPath, "RepeatDays"), stored);

  const AlarmMinute alarm = PresentMinute(20s);
  app.enterAlarm(alarm);
  app.arm();
  app.awaitStatus(kAlarmBanner, 90s);
  uidriver::click(app.button("Snoo&ze"));
  const std::string next = ShortDate(tomorrow);
  const std::string armed =
      "Alarm Settings: ON  Date: " + next + " Time: " + alarm.alarmTime() + " ALARM IS SET";
  app.awaitStatus(armed, 15s);
  EXPECT_EQ(uidriver::windowText(app.dateLabel), next);
  EXPECT_FALSE(uidriver::isEnabled(app.calendar));
  EXPECT_EQ(
      uidriver::toolTipText(app.button("Turn &Off")).rfind("Turn The Alarm OFF.  Repeats ", 0), 0u);
  // The snooze closed the player; the clock starts it again, hidden, for tomorrow.
  uidriver::waitUntil([] { return PlayerWindow() != nullptr && !IsWindowVisible(PlayerWindow()); },
                      15s, "the player back, hidden", app.pid());
  app.exit(true);

  // The restart: armed at once for tomorrow, and start-with-Windows left as it was.
  StoreSetting("StartInTray", "No");  // so the window shows for the test
  EndEveryPlayer();
  MorvaneApp again;
  EXPECT_EQ(again.status(), armed);
  EXPECT_TRUE(uidriver::isEnabled(again.button("Turn &Off")));
  EXPECT_FALSE(uidriver::isEnabled(again.calendar));
  EXPECT_NE(PlayerWindow(), nullptr);
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "No");
  again.exit();
}

}  // namespace
}  // namespace morv::e2e
