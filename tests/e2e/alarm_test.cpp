// The alarm end to end, on one start of Morvane whose player has nothing to play: armed, rung on
// the stand-in player with Morvane's own sound beside it, snoozed and disarmed; then a sleep
// across the alarm minute, played by stopping Morvane's process while the About box stands its
// clock still, after which it rings late.
#include <windows.h>

#include <gmock/gmock.h>

#include "tests/e2e/e2e_test.h"
#include "tools/morvane_driver/linux_side.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono_literals;
using AlarmTest = E2eTest;

TEST_F(AlarmTest, RingsThePlayerAndItsOwnSoundAndAfterASleepRingsLate) {
  const std::string log = FreshLogPath("alarm");
  MorvaneApp app(
      {.environment = {{"WINAMP_STANDIN_LOG", log}, {"WINAMP_STANDIN_EMPTY_PLAYLIST", "1"}}});
  const auto linuxPid = LinuxProcessOf("morvu.exe");
  ASSERT_TRUE(linuxPid) << "Morvane's Linux process not found";
  // Wine plays sound from a thread of this name, which lives as long as the sound does.
  const auto awaitSound = [&](bool on) {
    uidriver::waitUntil([&] { return HasThreadNamed(*linuxPid, "winealsa_timer") == on; }, 20s,
                        on ? "Morvane's own sound" : "the sound to stop", app.pid());
  };

  // Arming starts the player minimised with the focus and hides it when it is up. The alarm is
  // for the present minute: it rings right after. (What arming and the snooze write, and the
  // volumes they set, the core's tests check.)
  app.enterAlarm(PresentMinute(20s));
  app.arm();
  EXPECT_THAT(Logged(log, "START").at(0).note, ::testing::HasSubstr(" show=2 "));
  EXPECT_FALSE(IsWindowVisible(PlayerWindow()));

  // Play and the banner; the player plays nothing, so Morvane's own sound rings.
  awaitSound(true);
  app.awaitStatus(kAlarmBanner, 10s);
  EXPECT_EQ(Logged(log, "PLAY").size(), 1u);

  // Snooze on the button: silence, the player closed. Turn On disarms.
  uidriver::click(app.button("Snoo&ze"), 0ms);
  awaitSound(false);
  uidriver::waitUntil([] { return !PlayerWindow(); }, 15s, "the player to close", app.pid());
  uidriver::click(app.button("Turn &On"));

  // Armed, the About box open, asleep from just before the minute until it is over: Windows
  // tells of the wake twice while the box stands the clock still. Nothing rings under the box;
  // once it is closed the clock sees what it missed and rings, once. Snooze in the tray's menu
  // asks whether to close the player.
  const AlarmMinute late = MinuteAhead(25s);
  app.enterAlarm(late);
  app.arm();
  uidriver::pressKey(app.main, 'A', uidriver::kCtrl);
  uidriver::waitForWindow(app.pid(), "#32770", 10s, "About Morvane(tm)");
  StopBetween(*linuxPid, late.start() - 5s, late.start() + 65s);
  PostMessageA(app.main, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  PostMessageA(app.main, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  uidriver::settle(app.main);
  EXPECT_EQ(Logged(log, "PLAY").size(), 1u) << "nothing rings while the box stands the clock";
  app.answerBox("About Morvane(tm)", "OK");
  app.answerBox("For Your Information!", "OK");
  awaitSound(true);
  app.awaitStatus(kAlarmBanner, 10s);
  EXPECT_EQ(Logged(log, "PLAY").size(), 2u) << "two wake messages, one ring";
  uidriver::click(app.button("Send To &Tray"));
  app.chooseFromTrayMenu("Snoo&ze");
  app.answerBox("Close WinAmp?", "Yes");
  awaitSound(false);
  uidriver::waitUntil([] { return !PlayerWindow(); }, 15s, "the player to close", app.pid());
  app.chooseFromTrayMenu("&Show Morvane");
  app.exit();
}

}  // namespace
}  // namespace morv::e2e
