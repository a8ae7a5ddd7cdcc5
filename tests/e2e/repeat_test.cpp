// A repeating alarm, end to end: the days chosen through the menu's shortcut and the box, the
// alarm rung and snoozed while its player cannot be started again, armed for the next morning
// all the same, kept by a session Windows ends without waiting for the close question's answer,
// and brought back armed by the next start.
#include <windows.h>

#include "tests/e2e/e2e_test.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono;
using RepeatTest = E2eTest;

TEST_F(RepeatTest, ChosenDaysKeepTheAlarmArmedForTheNextMorningAndAcrossARestart) {
  MorvaneApp app;
  // Monday to Friday with the quick button's access key, and tomorrow ticked as well: whatever
  // day the test runs on, the next morning is tomorrow.
  const year_month_day tomorrow{floor<days>(LocalNow()) + days{1}};
  const unsigned tomorrowIndex = weekday{sys_days{tomorrow}}.iso_encoding() - 1;
  const char* const dayBoxes[] = {"&Monday", "T&uesday",  "&Wednesday", "T&hursday",
                                  "&Friday", "S&aturday", "Su&nday"};
  uidriver::pressKey(app.main, 'R', uidriver::kCtrl);
  HWND dialog = uidriver::waitForWindow(app.pid(), "#32770", 10s, "Repeat Alarm");
  uidriver::pressKey(uidriver::focusedWindow(dialog), 'T', uidriver::kAlt);
  uidriver::setChecked(uidriver::findChild(dialog, "Button", dayBoxes[tomorrowIndex]), true);
  app.picture("repeat-dialog");
  uidriver::click(uidriver::findChild(dialog, "Button", "OK"));

  // Snoozed while the player's program has gone: Morvane says it cannot start the player, and
  // stays armed for tomorrow, its button's tip naming the days; once the program is back the
  // clock starts the player again, hidden.
  const AlarmMinute alarm = PresentMinute(20s);
  app.enterAlarm(alarm);
  app.arm();
  app.awaitStatus(kAlarmBanner, 90s);
  ASSERT_TRUE(MoveFileA(kPlayerProgram, kPlayerAway));
  struct PutBack {
    ~PutBack() { MoveFileA(kPlayerAway, kPlayerProgram); }
  } putBack;
  uidriver::click(app.button("Snoo&ze"));
  app.answerBox("MORV", "OK");
  const std::string armed = "Alarm Settings: ON  Date: " + ShortDate(tomorrow) +
                            " Time: " + alarm.alarmTime() + " ALARM IS SET";
  app.awaitStatus(armed, 15s);
  EXPECT_EQ(
      uidriver::toolTipText(app.button("Turn &Off")).rfind("Turn The Alarm OFF.  Repeats ", 0), 0u);
  ASSERT_TRUE(MoveFileA(kPlayerAway, kPlayerProgram));
  uidriver::waitUntil([] { return PlayerWindow() && !IsWindowVisible(PlayerWindow()); }, 15s,
                      "the player back, hidden", app.pid());

  // Windows ends the session while the close question waits: the alarm is kept unasked.
  PostMessageA(app.main, WM_QUERYENDSESSION, 0, 0);
  uidriver::waitForWindow(app.pid(), "#32770", 10s, "Close Morvane?");
  PostMessageA(app.main, WM_ENDSESSION, TRUE, 0);
  app.process.waitForExit(15s);

  // The restart: armed at once for tomorrow (what the session's end kept, read back by the
  // program itself, its button then reading Turn Off), its player started.
  StoreSetting("StartInTray", "No");  // so the window shows for the test
  EndEveryPlayer();
  MorvaneApp again;
  EXPECT_EQ(again.status(), armed);
  EXPECT_NE(PlayerWindow(), nullptr);
  again.exit();
}

}  // namespace
}  // namespace morv::e2e
