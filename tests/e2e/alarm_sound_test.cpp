// Morvane's own alarm sound heard from outside, and sleeps played by stopping Morvane's
// process while the wall clock moves across its alarm minute.
#include <windows.h>

#include <cstdio>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tools/morvane_driver/linux_side.h"
#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/standin_player.h"

namespace morv::e2e {

using namespace driver;
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

// Milliseconds from the start of the alarm's minute to now, on the local clock.
long long SinceMinuteStart(const AlarmMinute& alarm) {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  const auto now = sys_days{year{t.wYear} / t.wMonth / t.wDay} + hours{t.wHour} +
                   minutes{t.wMinute} + seconds{t.wSecond} + milliseconds{t.wMilliseconds};
  const auto start = sys_days{alarm.day} + hours{alarm.hour} + minutes{alarm.minute};
  return duration_cast<milliseconds>(now - start).count();
}

// A sleep of the computer: Morvane's process stopped while the wall clock of the test and of
// the programs it started moves on to `past` after the alarm minute's start; the
// monotonic clock, which paces Morvane's ticks, does not move, as across a real sleep.
class Sleeper {
 public:
  explicit Sleeper(int linuxPid) : linuxPid_(linuxPid) {}
  void sleepUntil(const AlarmMinute& alarm, seconds past, DWORD pid) {
    ASSERT_TRUE(SendSignal(linuxPid_, "STOP"));
    ahead_ += duration_cast<seconds>(past - milliseconds(SinceMinuteStart(alarm))) + 1s;
    ASSERT_TRUE(SetWallClockOffset(ahead_));
    uidriver::waitUntil([&] { return SinceMinuteStart(alarm) >= past.count() * 1000; }, 5s,
                        "the wall clock to move on (is libfaketime preloaded?)", pid);
    ASSERT_TRUE(SendSignal(linuxPid_, "CONT"));
  }

 private:
  int linuxPid_;
  seconds ahead_{0};
};

void PostWake(HWND window) {
  PostMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  PostMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
}

// Wine plays sound through ALSA from a thread of this name, which lives as long as the
// sound does (the bed gives Wine ALSA's null device).
struct Sound {
  bool on() const { return HasThreadNamed(linuxPid, "winealsa_timer"); }
  // The time from the alarm minute's start until the sound is heard.
  long long awaitFrom(const AlarmMinute& alarm, DWORD pid) const {
    uidriver::waitUntil([this] { return on(); }, 100s, "Morvane's own sound", pid);
    return SinceMinuteStart(alarm);
  }
  void awaitSilence(DWORD pid) const {
    uidriver::waitUntil([this] { return !on(); }, 10s, "the sound to stop", pid);
  }
  int linuxPid;
};

// The player Morvane starts has nothing to play: it hears Play and stays stopped, and
// Morvane's own sound rings for it until snoozed. Then a sleep that ends nine minutes past
// the alarm minute: told of the wake twice (automatic, then by the user), it rings once.
// A sleep that ends twelve minutes past it rings nothing and says the alarm was missed.
// Last, the own sound with no player at all, snoozed from the tray.
TEST(AlarmSoundRoadTest, WithoutMusicMorvaneRingsItsOwnSoundAndALateWakeStillRings) {
  ResetSettings();
  ASSERT_EQ(PlayerWindow(), nullptr) << "a player left over from elsewhere";
  // The wall clock as it is: a sleep of an earlier run may have left it ahead.
  ASSERT_TRUE(SetWallClockOffset(0s)) << "FAKETIME_TIMESTAMP_FILE names no writable file";
  const std::string log = FreshLogPath("alarm-sound");
  MorvaneApp app(
      {.environment = {{"WINAMP_STANDIN_LOG", log}, {"WINAMP_STANDIN_EMPTY_PLAYLIST", "1"}}});
  const auto linuxPid = LinuxProcessOf("morvu.exe");
  ASSERT_TRUE(linuxPid) << "Morvane's Linux process not found";
  const Sound sound{*linuxPid};
  ASSERT_FALSE(sound.on());
  // Snooze (or Turn Off) on the button: the sound stops, the player closes, and Turn On
  // disarms.
  const auto stopAndDisarm = [&](const std::string& caption) {
    uidriver::click(app.enabledButton(caption), 0ms);
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
  stopAndDisarm("Snoo&ze");

  Sleeper computer(*linuxPid);
  const AlarmMinute alarm = MinuteAhead(25s);
  app.enterAlarm(alarm);
  app.arm();
  computer.sleepUntil(alarm, 9min, app.pid());
  EXPECT_EQ(Named(ReadPlayerLog(log), "PLAY").size(), 1u) << "asleep through the whole minute";
  PostWake(app.main);
  uidriver::waitUntil([&] { return app.status() == kAlarmBanner; }, 20s, "the late ring",
                      app.pid());
  EXPECT_EQ(Named(ReadPlayerLog(log), "PLAY").size(), 2u) << "two wake messages, one ring";
  sound.awaitFrom(alarm, app.pid());  // the player stays silent: the own sound rings
  stopAndDisarm("Snoo&ze");

  // Asleep in the tray for longer than an alarm is worth ringing late: no ring, a notice
  // from the tray and in the status bar instead, and the alarm stays armed.
  const AlarmMinute missed = MinuteAhead(25s);
  app.enterAlarm(missed);
  app.arm();
  uidriver::click(app.button("Send To &Tray"));
  computer.sleepUntil(missed, 12min, app.pid());
  PostWake(app.main);
  const std::string notice = "Alarm missed: " + ShortDate(missed.day) + " " + missed.alarmTime() +
                             " passed while the computer was asleep.";
  uidriver::waitUntil([&] { return uidriver::trayBalloons() == std::vector{notice}; }, 20s,
                      "the missed-alarm notification", app.pid());
  app.chooseFromTrayMenu("&Show Morvane");
  EXPECT_EQ(app.status(), notice);
  EXPECT_EQ(Named(ReadPlayerLog(log), "PLAY").size(), 2u) << "no ring after the miss";
  EXPECT_FALSE(sound.on());
  stopAndDisarm("Turn &Off");  // still armed after the miss

  // A set alarm that is not armed has no player at its minute; the tray keeps its clock
  // running, and its menu's Snoo&ze stops the sound too.
  const AlarmMinute noPlayer = MinuteAhead(25s);
  app.enterAlarm(noPlayer);
  uidriver::click(app.button("Send To &Tray"));
  const long long noPlayerDelay = sound.awaitFrom(noPlayer, app.pid());
  EXPECT_EQ(PlayerWindow(), nullptr);
  EXPECT_EQ(app.status(), kAlarmBanner);
  uidriver::waitUntil(
      [] {
        return uidriver::trayBalloons() ==
               std::vector<std::string>{
                   "WinAmp is not running, so Morvane is ringing its own alarm sound."};
      },
      10s, "the notification saying why", app.pid());
  app.chooseFromTrayMenu("Snoo&ze");
  app.answerBox("Close WinAmp?", "No");
  sound.awaitSilence(app.pid());
  app.chooseFromTrayMenu("&Show Morvane");
  std::printf(
      "alarm minute start to Morvane's own sound: %lld ms with a silent player, "
      "%lld ms with none\n",
      silentPlayerDelay, noPlayerDelay);
  ::testing::Test::RecordProperty("own_sound_delay_silent_player_ms",
                                  static_cast<int>(silentPlayerDelay));
  ::testing::Test::RecordProperty("own_sound_delay_no_player_ms", static_cast<int>(noPlayerDelay));

  app.exit();
}

}  // namespace
}  // namespace morv::e2e
