#pragma once
// What Morvane remembers to make sure an alarm is heard: its own sound, and the ticks that
// tell whether the alarm's minute went by while the computer slept.
#include <chrono>
#include <optional>

#include "platform/clock.h"

namespace morv {

struct RingState {
  // When Morvane's own sound started, on the monotonic clock; empty while it is silent.
  std::optional<std::chrono::milliseconds> ownSoundSince;
  // The wall-clock time of the latest tick.
  std::optional<LocalTimePoint> lastTick;
  // The last tick before a gap of more than a minute in them, until a resume has looked at
  // it: on waking, the timer's tick may come before the news of the wake.
  std::optional<LocalTimePoint> beforeGap;
};

}  // namespace morv
