#include "alarm/ring_life.h"

#include <algorithm>

namespace morv {

Due DueAt(const DueFacts& alarm, const std::optional<LocalDateTime>& counting,
          const LocalDateTime& now) {
  const LocalTimePoint minute = ToTimePoint(alarm.reading);
  const LocalTimePoint at = ToTimePoint(now);
  if (alarm.settled == alarm.reading || at < minute) return Due::NotYet;
  const bool inMinute = at < minute + std::chrono::minutes{1};
  if (!alarm.armed) {
    if (!alarm.ringsUnarmed) return Due::NotYet;
    return inMinute ? Due::InMinute : Due::Lapsed;
  }
  if (inMinute) return Due::InMinute;
  if (counting && ToTimePoint(*counting) >= minute) return Due::PassedUnrung;
  return at - minute <= kRingIfLateBy ? Due::Late : Due::Missed;
}

bool AsksPlayer(Due due) { return due == Due::InMinute || due == Due::Late; }

Verdict VerdictOn(Due due, bool repeats, bool playerPlays) {
  switch (due) {
    case Due::InMinute:
      // Asked again at the next tick: a player paused within the minute is rung.
      if (playerPlays) return {};
      return {.settle = true, .ring = true};
    case Due::Late:
      if (playerPlays) return {.settle = true, .moveOn = repeats};
      return {.settle = true, .ring = true};
    case Due::Missed:
      return {.settle = true, .tellMissed = true, .moveOn = repeats};
    case Due::PassedUnrung:
      return {.settle = true, .moveOn = repeats};
    case Due::Lapsed:
      return {.settle = true};
    case Due::NotYet:
      break;
  }
  return {};
}

RingStep OnRingTimer(const Ring& ring, std::chrono::milliseconds monotonic) {
  if (ring.phase != RingPhase::Ringing) return {};
  const auto rung = monotonic - ring.since;
  if (rung >= kRingEndsAfter) return {.end = true};
  RingStep step{.askPlayer = ring.ownSound && monotonic - ring.askedAt >= kAskPlayerEvery};
  if (ring.rise.count() > 0 && ring.volume < kFullVolume) {
    const auto share = std::min<std::chrono::milliseconds::rep>(
        rung.count(), std::chrono::milliseconds(ring.rise).count());
    const int volume = kRiseFrom + static_cast<int>((kFullVolume - kRiseFrom) * share /
                                                    std::chrono::milliseconds(ring.rise).count());
    if (volume > ring.volume) step.volume = volume;
  }
  return step;
}

int StartVolume(std::chrono::seconds rise) { return rise.count() > 0 ? kRiseFrom : kFullVolume; }

bool NeedsRingTimer(const Ring& ring) { return ring.phase == RingPhase::Ringing; }

RingEnd EndRing(const Ring& ring, bool byItself, bool anyOneOff) {
  return {.phase = byItself && anyOneOff ? RingPhase::RungOut : RingPhase::Quiet,
          .stopOwnSound = ring.ownSound};
}

}  // namespace morv
