// A sleep of the computer longer than an alarm is worth ringing late for, played by stopping
// Morvane's Linux process across its alarm minute and continuing it, with no word of the wake:
// its own clock has to notice. It takes real minutes, so CTest runs it in a bed of its own,
// beside the other Windows tests.
#include <windows.h>

#include "tests/e2e/e2e_test.h"
#include "tools/morvane_driver/linux_side.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono;
using SleepTest = E2eTest;

// Asleep in the tray until more than ten minutes after the alarm minute: nothing rings, the tray
// and the status bar say the alarm was missed, and it stays armed.
TEST_F(SleepTest, AnAlarmMissedByMoreThanTenMinutesIsToldOfAndNotRung) {
  const std::string log = FreshLogPath("sleep");
  MorvaneApp app({.environment = {{"WINAMP_STANDIN_LOG", log}}});
  const auto linuxPid = LinuxProcessOf("morvu.exe");
  ASSERT_TRUE(linuxPid) << "Morvane's Linux process not found";
  const AlarmMinute missed = MinuteAhead(25s);
  app.enterAlarm(missed);
  app.arm();
  uidriver::click(app.button("Send To &Tray"));
  StopBetween(*linuxPid, LocalNow(), missed.start() + 10min + 10s);
  const std::string notice = "Alarm missed: " + ShortDate(missed.day) + " " + missed.alarmTime() +
                             " passed while the computer was asleep.";
  uidriver::waitUntil([&] { return uidriver::trayBalloons() == std::vector{notice}; }, 20s,
                      "the missed-alarm notification", app.pid());
  app.chooseFromTrayMenu("&Show Morvane");
  EXPECT_EQ(app.status(), notice);
  EXPECT_TRUE(Logged(log, "PLAY").empty());
  app.button("Turn &Off", 0ms);  // still armed, or this throws
  app.exit();
}

}  // namespace
}  // namespace morv::e2e
