// Morvane's own alarm sound heard from outside, and a sleep played by stopping Morvane's
// process across its alarm minute.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "tools/morvane_driver/linux_side.h"
#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono;

// Wine plays sound through ALSA from a thread of this name, which lives as long as the
// sound does (the bed gives Wine ALSA's null device).
struct Sound {
  bool on() const { return HasThreadNamed(linuxPid, "winealsa_timer"); }
  // The time from the alarm minute's start until the sound is heard.
  long long awaitFrom(const AlarmMinute& alarm, DWORD pid) const {
    uidriver::waitUntil([this] { return on(); }, 100s, "Morvane's own sound", pid);
    return duration_cast<milliseconds>(LocalNow() - alarm.start()).count();
  }
  void awaitSilence(DWORD pid) const {
    uidriver::waitUntil([this] { return !on(); }, 10s, "the sound to stop", pid);
  }
  int linuxPid;
};

// The player Morvane starts has nothing to play: it hears Play and stays stopped, and
// Morvane's own sound rings for it until snoozed, also after a late wake. Last, the own
// sound with no player at all, snoozed from the tray.
TEST(AlarmSoundRoadTest, WithoutMusicMorvaneRingsItsOwnSoundAndALateWakeStillRings) {
  ResetSettings();
  ASSERT_EQ(PlayerWindow(), nullptr) << "a player left over from elsewhere";
  const std::string log = FreshLogPath("alarm-sound");
  MorvaneApp app(
      {.environment = {{"WINAMP_STANDIN_LOG", log}, {"WINAMP_STANDIN_EMPTY_PLAYLIST", "1"}}});
  const auto linuxPid = LinuxProcessOf("morvu.exe");
  ASSERT_TRUE(linuxPid) << "Morvane's Linux process not found";
  const Sound sound{*linuxPid};
  ASSERT_FALSE(sound.on());
  // Snooze on the button: the sound stops, the player closes, and Turn On disarms.
  const auto snoozeAndDisarm = [&] {
    uidriver::click(app.enabledButton("Snoo&ze"), 0ms);
    sound.awaitSilence(app.pid());
    uidriver::waitUntil([] { return PlayerWindow() == nullptr; }, 15s, "the player to close");
    uidriver::click(app.enabledButton("Turn &On"));
  };

  const AlarmMinute silentPlayer = MinuteAhead(25s);
  app.enterAlarm(silentPlayer);
  app.arm();
  const long long silentPlayerDelay = sound.awaitFrom(silentPlayer, app.pid());
  EXPECT_EQ(app.status(), kAlarmBanner);
  const auto plays = Named(ReadPlayerLog(log), "PLAY");
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(plays[0].note, "empty playlist");
  snoozeAndDisarm();

  // A sleep from just before the alarm minute until it is over, played by stopping
  // Morvane's process: told of the wake twice (automatic, then by the user), it rings once,
  // and with the player silent its own sound rings.
  const AlarmMinute late = MinuteAhead(25s);
  app.enterAlarm(late);
  app.arm();
  ASSERT_TRUE(StopBetween(*linuxPid, late.start() - 5s, late.start() + 65s));
  EXPECT_EQ(Named(ReadPlayerLog(log), "PLAY").size(), 1u) << "asleep through the whole minute";
  PostMessageA(app.main, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  PostMessageA(app.main, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  app.awaitStatus(kAlarmBanner, 20s);
  EXPECT_EQ(Named(ReadPlayerLog(log), "PLAY").size(), 2u) << "two wake messages, one ring";
  sound.awaitFrom(late, app.pid());
  snoozeAndDisarm();

  // A set alarm that is not armed has no player at its minute; the tray keeps its clock
  // running, and its menu's Snoo&ze stops the sound too.
  const AlarmMinute noPlayer = MinuteAhead(25s);
  app.enterAlarm(noPlayer);
  uidriver::click(app.button("Send To &Tray"));
  const long long noPlayerDelay = sound.awaitFrom(noPlayer, app.pid());
  EXPECT_EQ(PlayerWindow(), nullptr);
  EXPECT_EQ(app.status(), kAlarmBanner);
  const std::vector<std::string> why{
      "WinAmp is not running, so Morvane is ringing its own alarm sound."};
  uidriver::waitUntil([&] { return uidriver::trayBalloons() == why; }, 10s,
                      "the notification saying why", app.pid());
  app.chooseFromTrayMenu("Snoo&ze");
  app.answerBox("Close WinAmp?", "No");
  sound.awaitSilence(app.pid());
  app.chooseFromTrayMenu("&Show Morvane");
  std::printf(
      "alarm minute start to Morvane's own sound: %lld ms with a silent player, "
      "%lld ms with none\n",
      silentPlayerDelay, noPlayerDelay);

  app.exit();
}

}  // namespace
}  // namespace morv::e2e
