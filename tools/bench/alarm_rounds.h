#pragma once
// One alarm from entry to disarming, and when in its minute the player was told to play.
#include <string>

#include "tools/morvane_driver/morvane_app.h"

namespace morv::bench {

struct AlarmRound {
  bool rang = false;
  long long delayMs = -1;  // the alarm minute's start to Play in the player's log
  std::string minute;      // "HH:MM", 24-hour local time
  std::string note;        // what went wrong, if anything
};

// Sets the alarm for the next minute that leaves time to arm (at least 20 s ahead),
// arms it `armAtMs` milliseconds into a second, lets it ring, snoozes and disarms it.
// Arming restarts the clock's timer, so `armAtMs` sets the phase of its ticks.
AlarmRound RunAlarmRound(driver::MorvaneApp& app, const std::string& playerLog, int armAtMs);

}  // namespace morv::bench
