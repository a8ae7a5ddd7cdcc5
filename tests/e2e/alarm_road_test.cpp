// One alarm, end to end: entered, armed, rung on the stand-in player, snoozed, disarmed.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono_literals;

TEST(AlarmRoadTest, ArmedAlarmRingsThePlayerAndIsSnoozedThenDisarmed) {
  ResetSettings();
  RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "Morvane");
  ASSERT_EQ(PlayerWindow(), nullptr) << "a player left over from elsewhere";
  const std::string log = driver::FreshLogPath("alarm-road");
  MorvaneApp app({.environment = {{"WINAMP_STANDIN_LOG", log}}});

  // A minute far enough ahead that entering and arming (five seconds of it waiting for
  // the player) are done before it starts: the delay from its start can be measured.
  const AlarmMinute alarm = MinuteAhead(25s);
  const std::string date = ShortDate(alarm.day);
  app.enterAlarm(alarm);
  ASSERT_EQ(app.status(), "Alarm Settings: OFF  Date: " + date + " Time: " + alarm.alarmTime() +
                              " ALARM IS SET.");

  // Arming starts the player minimised with the focus, and hides it five seconds later.
  uidriver::click(app.button("Turn &On"), 0ms);
  uidriver::waitUntil([] { return PlayerWindow() != nullptr; }, 10s, "the player to start");
  EXPECT_THAT(Named(ReadPlayerLog(log), "START")[0].note, ::testing::HasSubstr(" show=2 "));
  uidriver::waitUntil([] { return !IsWindowVisible(PlayerWindow()); }, 15s,
                      "the player to be hidden", app.pid());
  ASSERT_TRUE(uidriver::settle(app.main, 10s)) << "the arming to finish";
  EXPECT_EQ(app.status(),
            "Alarm Settings: ON  Date: " + date + " Time: " + alarm.alarmTime() + " ALARM IS SET");
  EXPECT_EQ(uidriver::toolTipText(app.button("Turn &Off")), "Turn The Alarm OFF.");
  EXPECT_FALSE(uidriver::isEnabled(app.calendar));
  EXPECT_FALSE(uidriver::isEnabled(app.timeBox));
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "Yes");
  EXPECT_EQ(RegQuery(kRunPath, "Morvane"), "\"c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE\"");

  // The alarm minute: Play, two seconds, full volume, the banner and "Snoo&ze".
  app.awaitStatus(kAlarmBanner, 200s);
  HWND snooze = app.enabledButton("Snoo&ze", 5s);
  auto lines = ReadPlayerLog(log);
  const auto plays = Named(lines, "PLAY");
  const auto volumes = Named(lines, "SETVOLUME");
  ASSERT_EQ(plays.size(), 1u);
  ASSERT_EQ(volumes.size(), 1u);
  EXPECT_EQ(volumes[0].wParam, 255u);

  // Snooze: the player is turned down and closed.
  uidriver::click(snooze, 0ms);
  uidriver::waitUntil([] { return PlayerWindow() == nullptr; }, 15s, "the player to close");
  HWND turnOn = app.enabledButton("Turn &On", 10s);  // the stop path finished
  lines = ReadPlayerLog(log);
  ASSERT_EQ(Named(lines, "SETVOLUME").size(), 2u);
  EXPECT_EQ(Named(lines, "SETVOLUME")[1].wParam, 28u);
  EXPECT_FALSE(Named(lines, "QUIT").empty());
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "Yes") << "the stop path does not flip it";

  // The next press disarms: the clock runs again.
  uidriver::click(turnOn);
  EXPECT_EQ(uidriver::toolTipText(turnOn), "Accept Settings And Turn Alarm On.");
  const std::string shown = app.timeText();
  uidriver::waitUntil([&] { return app.timeText() != shown; }, 3s, "the clock to run again");
  EXPECT_TRUE(uidriver::isEnabled(app.calendar));
  EXPECT_EQ(app.status(),
            "Alarm Settings: OFF  Date: " + date + " Time: " + alarm.alarmTime() + " ALARM IS SET")
      << "stopped once, it does not ring again in its minute";
  EXPECT_EQ(RegQuery(kSettingsPath, "StartInTray"), "No");
  EXPECT_EQ(RegQuery(kRunPath, "Morvane"), "-\"c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE\"");
  EXPECT_EQ(PlayerWindow(), nullptr);
  app.exit();
}

}  // namespace
}  // namespace morv::e2e
