// The ring's life as tables: when a minute is due, how a ring ends, the next repeat day, and which
// moment a local reading names.
#include "alarm/ring_life.h"

#include <gtest/gtest.h>

#include "alarm/alarm_model.h"
#include "alarm/local_time.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_wake.h"

namespace morv {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using fakes::At;
using fakes::Utc;

TEST(RingLifeTest, WhenAnAlarmsMinuteIsDue) {
  const LocalDateTime minute = At(7, 7, 5);
  struct Row {
    const char* what;
    bool armed, mainAlarm, settled;
    LocalDateTime counting, now;
    Due due;
  } const rows[] = {
      {"just before", true, true, false, At(7, 7, 4, 58), At(7, 7, 4, 59, 999), Due::NotYet},
      {"its first instant", true, true, false, At(7, 7, 4, 59), At(7, 7, 5), Due::InMinute},
      {"its last instant", true, true, false, At(7, 7, 5, 58), At(7, 7, 5, 59, 999), Due::InMinute},
      {"dealt with", true, true, true, At(7, 7, 4, 59), At(7, 7, 5, 1), Due::NotYet},
      {"jumped over, ten minutes late", true, true, false, At(7, 7, 4), At(7, 7, 15), Due::Late},
      {"jumped over, later", true, true, false, At(7, 7, 4), At(7, 7, 15, 0, 1), Due::Missed},
      {"seen by the ticks", true, true, false, At(7, 7, 5, 59), At(7, 7, 6), Due::PassedUnrung},
      {"only set, in its minute", false, true, false, At(7, 7, 4), At(7, 7, 5, 30), Due::InMinute},
      {"only set, over", false, true, false, At(7, 7, 4), At(7, 8, 0), Due::Lapsed},
      {"off, in a list", false, false, false, At(7, 7, 4), At(7, 7, 5, 30), Due::NotYet},
  };
  for (const Row& r : rows) {
    const DueFacts alarm{minute, r.armed, r.mainAlarm,
                         r.settled ? std::optional(minute) : std::nullopt};
    EXPECT_EQ(DueAt(alarm, r.counting, r.now), r.due) << r.what;
  }
}

TEST(RingLifeTest, ARingEndsOnTimeAndFollowsThePlayer) {
  struct Row {
    const char* what;
    RingPhase phase;
    bool ownSound;
    milliseconds sinceStart, sinceAsked;
    bool end, ask;
  } const rows[] = {
      {"own sound, just asked", RingPhase::Ringing, true, 10s, 4999ms, false, false},
      {"own sound, time to ask", RingPhase::Ringing, true, 10s, 5s, false, true},
      {"the player plays", RingPhase::Ringing, false, 10s, 10s, false, false},
      {"not yet its time", RingPhase::Ringing, true, 15min - 1ms, 0ms, false, false},
      {"its time", RingPhase::Ringing, true, 15min, 0ms, true, false},
      {"rung out", RingPhase::RungOut, false, 20min, 20min, false, false},
  };
  for (const Row& r : rows) {
    const milliseconds now = 1h;
    const Ring ring{r.phase, r.ownSound, now - r.sinceStart, now - r.sinceAsked, {0}};
    const RingStep step = OnRingTimer(ring, now);
    EXPECT_EQ(std::pair(step.end, step.askPlayer), std::pair(r.end, r.ask)) << r.what;
    EXPECT_EQ(NeedsRingTimer(ring), r.phase == RingPhase::Ringing) << r.what;
  }
  const Ring own{RingPhase::Ringing, true};
  EXPECT_EQ(EndRing(own, true, true).phase, RingPhase::RungOut) << "one-off, by itself";
  EXPECT_EQ(EndRing(own, true, false).phase, RingPhase::Quiet) << "repeating, by itself";
  EXPECT_EQ(EndRing(own, false, true).phase, RingPhase::Quiet) << "by the user";
  EXPECT_FALSE(EndRing(Ring{RingPhase::Ringing, false}, true, true).stopOwnSound);
}

// Monday 7 December 2026 is a Monday; the clocks go forward on 28 March 2027.
TEST(RingLifeTest, TheNextRepeatDayCountsCalendarDays) {
  const Weekdays monToFri{0b0011111}, monday{0b0000001}, wednesday{0b0000100}, everyDay{0b1111111};
  struct Row {
    const char* what;
    LocalDateTime from;
    Weekdays days;
    std::optional<CalendarDate> next;
  } const rows[] = {
      {"later today", At(7, 6, 0), monToFri, CalendarDate{2026, 12, 7}},
      {"over the weekend", At(11, 8, 0), monToFri, CalendarDate{2026, 12, 14}},
      {"one weekday, its minute now", At(7, 7, 0), monday, CalendarDate{2026, 12, 14}},
      {"over a month's end", {{2026, 11, 30}, 8, 0}, wednesday, CalendarDate{2026, 12, 2}},
      {"over a year's end", At(31, 23, 30), everyDay, CalendarDate{2027, 1, 1}},
      {"over the clocks going forward", {{2027, 3, 27}, 8, 0}, everyDay, CalendarDate{2027, 3, 28}},
      {"no days", At(7, 6, 0), {}, std::nullopt},
  };
  for (const Row& r : rows) EXPECT_EQ(NextRepeatDay(r.from, r.days, {7, 0}), r.next) << r.what;
}

// Central European time: forward at 1:00 UTC on 28 March 2027, back on 31 October.
TEST(RingLifeTest, WhichMomentALocalReadingNames) {
  fakes::FakeTimeZone zone;
  zone.offset = 60min;
  zone.changes = {{Utc(2027, 3, 28, 1, 0), 120min}, {Utc(2027, 10, 31, 1, 0), 60min}};
  struct Row {
    const char* what;
    LocalDateTime reading;
    UtcTime moment;
    int dueHour;
  } const rows[] = {
      {"winter", {{2027, 1, 15}, 7, 5}, Utc(2027, 1, 15, 6, 5), 7},
      {"summer", {{2027, 7, 15}, 7, 5}, Utc(2027, 7, 15, 5, 5), 7},
      {"skipped: an hour later", {{2027, 3, 28}, 2, 30}, Utc(2027, 3, 28, 1, 30), 3},
      {"shown twice: the first", {{2027, 10, 31}, 2, 30}, Utc(2027, 10, 31, 0, 30), 2},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(MomentOf(zone, r.reading), r.moment) << r.what;
    const LocalDateTime due = ReadingWhenDue(zone, r.reading);
    EXPECT_EQ(std::pair(due.hour, due.minute), std::pair(r.dueHour, r.reading.minute)) << r.what;
  }
  zone.unknown = true;
  EXPECT_EQ(MomentOf(zone, {{2027, 3, 28}, 2, 30}), std::nullopt);
  EXPECT_EQ(ReadingWhenDue(zone, {{2027, 3, 28}, 2, 30}).hour, 2) << "taken as it reads";
}

}  // namespace
}  // namespace morv
