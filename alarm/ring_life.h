#pragma once
// The life of an alarm's ring: waiting for its minute, ringing on the player or on
// Morvane's own sound, ended by the user or by itself, then on to the next repeat day;
// or missed. Each step is a pure function of where things stand, the time and what
// happened, and returns what to do; the window's handlers carry it out.
#include <chrono>
#include <optional>
#include <vector>

#include "platform/clock.h"

namespace morv {

// Late enough still to be worth waking for; later than this the user is up or gone.
inline constexpr std::chrono::minutes kRingIfLateBy{10};
// Long enough to wake anyone who can be woken; a ring left on in an empty house for
// hours would only annoy the neighbours.
inline constexpr std::chrono::minutes kRingEndsAfter{15};
// While Morvane's own sound rings, how often the player is asked whether it plays by now.
inline constexpr std::chrono::seconds kAskPlayerEvery{5};
// A gentle wake starts the player this loud and rises to full.
inline constexpr int kRiseFrom = 24;
inline constexpr int kFullVolume = 255;

// What an alarm's minute is to the clock at a tick.
enum class Due {
  NotYet,        // still to come, or already dealt with
  InMinute,      // the clock shows its minute
  Late,          // armed, and the clock jumped past its minute at most kRingIfLateBy ago
  Missed,        // armed, and the clock jumped past its minute longer ago than that
  PassedUnrung,  // armed, and the ticks saw its minute go by without ringing: the player
                 // was playing already
  Lapsed,        // not armed, and its minute is over
};

struct DueFacts {
  LocalDateTime reading;  // the wall-clock reading it falls due at
  bool armed = false;
  // The main window's alarm rings in its minute even when it is only set, not armed.
  bool ringsUnarmed = false;
  std::optional<LocalDateTime> settled;  // the reading its last minute was dealt with at
};

// `counting`: the wall clock at the last tick, or at the arming if that came later; the
// clock has been counting towards the alarm since then. A tick that finds the alarm's
// minute behind it and `counting` before it knows the clock jumped over the minute:
// the computer slept, the clock was set, or the clock stood while a box was open.
Due DueAt(const DueFacts& alarm, const std::optional<LocalDateTime>& counting,
          const LocalDateTime& now);

// Whether the player must be asked if it plays before the verdict: an alarm never
// doubles music that already plays.
bool AsksPlayer(Due due);

struct Verdict {
  bool settle = false;      // the minute is dealt with and never comes round again
  bool ring = false;        // ring now
  bool tellMissed = false;  // tell the user the minute went by unheard
  bool moveOn = false;      // a repeating alarm goes on to its next day
};
Verdict VerdictOn(Due due, bool repeats, bool playerPlays);

enum class RingPhase {
  Quiet,
  Ringing,
  RungOut,  // a one-off ring that ended by itself: it shows as rung until the user stops it
  Snoozed,  // silenced for some minutes, to ring again at `until`
};

struct Ring {
  RingPhase phase = RingPhase::Quiet;
  bool ownSound = false;  // Morvane's own sound rings, the player being silent
  std::chrono::milliseconds since{};      // monotonic
  std::chrono::milliseconds askedAt{};    // when the player was last asked
  std::vector<int> alarms;                // which alarms this ring is for
  // A gentle wake: the player's volume rises from kRiseFrom to full over this long, from
  // `since`; 0 for full at once.
  std::chrono::seconds rise{0};
  int volume = 0;  // the volume last given to the player
  // Snoozed: when it rings again; and whether the user has snoozed it at all, for as long
  // as the ring lives on.
  std::optional<LocalDateTime> until;
  bool snoozed = false;
};

// What the ring's own timer does. It runs while boxes stop the clock, so a ring
// always ends on time.
struct RingStep {
  bool end = false;        // it has rung its time: ends by itself
  bool askPlayer = false;  // the own sound rings: does the player play by now?
  std::optional<int> volume;  // the next step of a gentle wake
};
RingStep OnRingTimer(const Ring& ring, std::chrono::milliseconds monotonic);

// Whether the ring's own timer has work to do.
bool NeedsRingTimer(const Ring& ring);

// The volume a ring starts the player at: low for a gentle wake, full otherwise.
int StartVolume(std::chrono::seconds rise);

// The ring ends. A repeating alarm goes on to its next day whichever way it ended; a
// one-off alarm that ends by itself stays shown as rung until the user stops it.
struct RingEnd {
  RingPhase phase = RingPhase::Quiet;  // where the ring stands afterwards
  bool stopOwnSound = false;
};
RingEnd EndRing(const Ring& ring, bool byItself, bool anyOneOff);

}  // namespace morv
