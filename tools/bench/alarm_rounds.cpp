#include "tools/bench/alarm_rounds.h"

#include "tools/morvane_driver/standin_player.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

namespace morv::bench {
namespace {

using namespace std::chrono_literals;
using std::chrono::system_clock;

// Arming blocks the window five seconds; entering takes a few more.
constexpr auto kTimeToArm = 20s;

HWND Player() { return FindWindowA("Winamp v1.x", nullptr); }

// Local wall time as a plain time point, so minute arithmetic is simple.
using LocalPoint = std::chrono::sys_time<std::chrono::milliseconds>;

LocalPoint LocalNow() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  const std::chrono::sys_days day =
      std::chrono::year{t.wYear} / static_cast<int>(t.wMonth) / static_cast<int>(t.wDay);
  return day + std::chrono::hours{t.wHour} + std::chrono::minutes{t.wMinute} +
         std::chrono::seconds{t.wSecond} + std::chrono::milliseconds{t.wMilliseconds};
}

std::vector<driver::PlayerLogLine> Plays(const std::string& log) {
  return driver::Named(driver::ReadPlayerLog(log), "PLAY");
}

template <typename Probe>
HWND WaitForButton(driver::MorvaneApp& app, const char* caption, Probe&& usable,
                   std::chrono::milliseconds timeout) {
  return uidriver::waitFor(
      [&]() -> std::optional<HWND> {
        HWND found = FindWindowExA(app.main, nullptr, "Button", caption);
        return found && usable(found) ? std::optional<HWND>(found) : std::nullopt;
      },
      timeout, caption, app.pid());
}

}  // namespace

AlarmRound RunAlarmRound(driver::MorvaneApp& app, const std::string& playerLog, int armAtMs) {
  AlarmRound round;
  const LocalPoint now = LocalNow();
  LocalPoint at = std::chrono::ceil<std::chrono::minutes>(now + 1ms);
  if (at - now < kTimeToArm) at += 1min;
  const auto day = std::chrono::floor<std::chrono::days>(at);
  const std::chrono::hh_mm_ss time{at - day};
  const int hour = static_cast<int>(time.hours().count());
  const int minute = static_cast<int>(time.minutes().count());
  char text[8];
  std::snprintf(text, sizeof(text), "%02d:%02d", hour, minute);
  round.minute = text;

  const size_t playsBefore = Plays(playerLog).size();
  app.enterAlarm({std::chrono::year_month_day{day}, hour, minute});
  const auto intoSecond = LocalNow().time_since_epoch() % 1s;
  Sleep(static_cast<DWORD>((armAtMs - intoSecond.count() + 1000) % 1000));
  uidriver::click(app.button("Turn &On"), 0ms);
  uidriver::waitUntil([] { return Player() != nullptr; }, 10s, "the player to start");
  uidriver::waitUntil([] { return !IsWindowVisible(Player()); }, 15s, "the player to be hidden",
                      app.pid());
  uidriver::settle(app.main, 10s);

  // Nothing is asked of the program around the alarm's start, so the polling below
  // cannot delay the tick being measured.
  const auto quietUntil = at + 4s - LocalNow();
  if (quietUntil > 0ms) Sleep(static_cast<DWORD>(quietUntil.count()));
  uidriver::waitUntil([&] { return app.status() == driver::kAlarmBanner; }, 120s,
                      "the alarm to ring", app.pid());

  const auto plays = Plays(playerLog);
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

  uidriver::click(WaitForButton(app, "Snoo&ze", uidriver::isEnabled, 10s), 0ms);
  uidriver::waitUntil([] { return Player() == nullptr; }, 15s, "the player to close");
  uidriver::click(WaitForButton(app, "Turn &On", uidriver::isEnabled, 10s));
  uidriver::waitUntil([&] { return uidriver::isEnabled(app.calendar); }, 10s,
                      "the alarm to be disarmed", app.pid());
  return round;
}

}  // namespace morv::bench
