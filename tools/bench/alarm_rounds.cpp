#include "tools/bench/alarm_rounds.h"

#include "tools/morvane_driver/standin_player.h"

#include <chrono>
#include <cstdio>

namespace morv::bench {
namespace {

using namespace std::chrono_literals;

// Arming blocks the window five seconds; entering takes a few more.
constexpr auto kTimeToArm = 20s;

}  // namespace

AlarmRound RunAlarmRound(driver::MorvaneApp& app, const std::string& playerLog, int armAtMs) {
  AlarmRound round;
  const driver::AlarmMinute alarm = driver::MinuteAhead(kTimeToArm);
  const auto at = alarm.start();
  char text[8];
  std::snprintf(text, sizeof(text), "%02d:%02d", alarm.hour, alarm.minute);
  round.minute = text;

  const size_t playsBefore = driver::Logged(playerLog, "PLAY").size();
  app.enterAlarm(alarm);
  const auto intoSecond = driver::LocalNow().time_since_epoch() % 1s;
  Sleep(static_cast<DWORD>((armAtMs - intoSecond.count() + 1000) % 1000));
  app.arm();

  // Nothing is asked of the program around the alarm's start, so the polling below
  // cannot delay the tick being measured.
  const auto quietUntil = at + 4s - driver::LocalNow();
  if (quietUntil > 0ms) Sleep(static_cast<DWORD>(quietUntil.count()));
  uidriver::waitUntil([&] { return app.status() == driver::kAlarmBanner; }, 120s,
                      "the alarm to ring", app.pid());

  const auto plays = driver::Logged(playerLog, "PLAY");
  if (plays.size() > playsBefore) {
    const driver::PlayerLogLine& play = plays[playsBefore];
    const std::string localTime = play.time.substr(11, 12);  // hh:mm:ss.mmm
    round.rang = localTime.substr(0, 5) == round.minute;
    if (round.rang) {
      round.delayMs = play.epochMs % 60000;
    } else {
      round.note = "Play came at " + localTime;
    }
  } else {
    round.note = "no Play in the player's log";
  }

  uidriver::click(app.button("Snoo&ze", 10s), 0ms);
  uidriver::waitUntil([] { return !driver::PlayerWindow(); }, 15s, "the player to close");
  uidriver::click(app.button("Turn &On", 10s));
  uidriver::waitUntil([&] { return uidriver::isEnabled(app.calendar); }, 10s,
                      "the alarm to be disarmed", app.pid());
  return round;
}

}  // namespace morv::bench
