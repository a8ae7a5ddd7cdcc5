// The alarm that repeats on chosen weekdays: mornings on the virtual clock, the ways a
// morning could be lost, and the restart in the middle of the week.
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "alarm/repeat_days.h"
#include "mainwindow/form_events.h"
#include "tests/fakes/intro_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using namespace std::chrono;
using namespace std::chrono_literals;

// Monday 7 December 2026 to Sunday 13 December.
constexpr CalendarDate kMonday{2026, 12, 7};

// Wakes the clock just before `day`'s seven o'clock and lets the minute run; true when
// the alarm rang in it. The sleeping computer runs no ticks before.
bool MorningRings(MainFormHarness& h, const CalendarDate& day) {
  h.setTime({day, 6, 59, 58});
  h.advance(62s);
  return h.ui.StatusBar1.text() == texts::kBanner;
}

// Whatever becomes of Monday's minute, Tuesday's rings: nobody answers it, the player
// plays already, the computer sleeps through it, or the player cannot be started again
// after Snooze.
TEST(RepeatTest, NoWayOfLosingAMorningLosesTheNext) {
  enum class Monday { Unanswered, PlayerPlaying, AsleepLong, SnoozedPlayerGone, SnoozedInTray };
  struct Row {
    const char* what;
    Monday monday;
    const char* notice;  // the status once Monday is over
  } const rows[] = {
      {"nobody answers", Monday::Unanswered, nullptr},
      {"the player plays already", Monday::PlayerPlaying, nullptr},
      {"asleep through it", Monday::AsleepLong,
       "Alarm missed: 12/7/2026 7:00 AM passed while the computer was asleep."},
      {"snoozed, the player gone", Monday::SnoozedPlayerGone, nullptr},
      {"snoozed from the tray menu", Monday::SnoozedInTray, nullptr},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    MainFormHarness h;
    h.armRepeating(kMonday, kWorkingWeek);
    auto& player = h.d.players.all.back();
    switch (r.monday) {
      case Monday::Unanswered:
        h.advanceTo({kMonday, 7, 20, 30});
        EXPECT_EQ(h.plays(), 1);
        player.state = 0;  // the music was silenced on the player itself
        break;
      case Monday::PlayerPlaying:
        player.state = 1;
        h.advanceTo({kMonday, 7, 20, 30});
        EXPECT_EQ(h.plays(), 0);
        player.state = 0;
        break;
      case Monday::AsleepLong:
        h.setTime({kMonday, 7, 10, 1});
        h.advance(1s);
        EXPECT_EQ(h.plays(), 0);
        break;
      case Monday::SnoozedPlayerGone:
        ASSERT_TRUE(MorningRings(h, kMonday));
        h.d.processes.onStart = [](const fakes::ProgramStart&) {
          return StartResult::FileNotFound;
        };
        EXPECT_FALSE(h.d.ends([&] { h.form.cmdSet_Click(); }));
        EXPECT_EQ(h.d.boxes.titles().back(), "MORV") << "the user is told";
        break;
      case Monday::SnoozedInTray:
        ASSERT_TRUE(MorningRings(h, kMonday));
        h.form.mnuCloseWinAmp_Click();
        break;
    }
    EXPECT_EQ(h.ui.StatusBar1.text(), r.notice ? r.notice : texts::Armed("12/8/2026", "7:00 AM"));
    EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOff);
    EXPECT_EQ(h.ui.lblDate.caption(), "12/8/2026");
    EXPECT_EQ(h.d.wakeTimer.due, sys_days{2026y / 12 / 8} + 7h);
    h.advanceTo({{2026, 12, 8}, 7, 0, 30});
    EXPECT_EQ(h.ui.StatusBar1.text(), texts::kBanner) << "Tuesday rings";
  }
}

// The clocks go forward from 2:00 to 3:00 on Sunday 28 March 2027: an alarm at 2:30 rings
// at 3:30, once, never called missed; on Monday at 2:30 again.
TEST(RepeatTest, AMinuteTheClocksSkipRingsAsLateAsTheyJumped) {
  MainFormHarness h;
  h.d.timeZone.offset = 60min;
  h.armRepeating({2027, 3, 27}, kEveryDay, "02:30");
  h.d.timeZone.changes = {{sys_days{2027y / 3 / 28} + 1h, 120min}};
  h.form.TimeChanged();  // moved to a zone whose clocks go forward that night
  h.advanceTo({{2027, 3, 28}, 1, 59, 59});
  h.setTime({{2027, 3, 28}, 3, 0, 0});  // the clock's own jump
  h.advanceTo({{2027, 3, 28}, 3, 29, 30});
  EXPECT_EQ(h.plays(), 0);
  h.advanceTo({{2027, 3, 28}, 3, 30, 30});
  EXPECT_EQ(h.plays(), 1);
  EXPECT_TRUE(h.ui.SysTray.notes.empty()) << "never called missed";
  h.form.cmdSet_Click();
  EXPECT_EQ(h.ui.lblDate.caption(), "3/29/2027");
}

TEST(RepeatTest, ARestartBringsTheSavedAlarmBackArmedForItsNextMorning) {
  struct Case {
    const char* repeatDays;
    LocalDateTime start;
    const char* armedFor;  // nullptr: restored unarmed
  } const cases[] = {
      {"Mon,Tue,Wed,Thu,Fri", {{2026, 12, 9}, 8, 0, 0}, "12/10/2026"},
      {"mon, tue,wed ,thu,fri", {{2026, 12, 9}, 6, 0, 0}, "12/9/2026"},
      {"Mon,Tue,Wed,Thu,Fri", {{2026, 12, 11}, 7, 0, 0}, "12/14/2026"},
      {"Mon,Tuesday", {{2026, 12, 9}, 6, 0, 0}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.repeatDays);
    fakes::IntroHarness h;
    h.storeOption(settings::kSettingsSaved, settings::kYes);
    h.storeOption(settings::kDate, "12/7/2026");
    h.storeOption(settings::kTime, "7:00 AM");
    h.storeOption(settings::kStartInTray, settings::kYes);
    h.storeOption(settings::kRepeatDays, c.repeatDays);
    h.setTime(c.start);
    ASSERT_FALSE(h.Start());
    EXPECT_EQ(h.ui.StatusBar1.text(), c.armedFor ? texts::Armed(c.armedFor, "7:00 AM")
                                                 : texts::Summary("12/7/2026", "7:00 AM"));
    EXPECT_EQ(h.d.processes.starts.size(), c.armedFor ? 1u : 0u) << "the alarm's player";
    EXPECT_EQ(h.ui.MonthView.enabled(), !c.armedFor) << "an armed alarm's day is locked";
    if (!c.armedFor) continue;
    EXPECT_EQ(h.ui.lblDate.caption(), c.armedFor);
    EXPECT_EQ(h.d.locale.shortDate(h.ui.MonthView.date()), c.armedFor);
    EXPECT_EQ(h.d.registry.value(Hive::LocalMachine, settings::kKey, settings::kStartInTray), "Yes")
        << "start with Windows kept";
  }
}

// Windows ends the session while the close query's first question waits: a repeating
// alarm is kept for the next start, a one-off alarm only when the user says so.
TEST(RepeatTest, AForcedEndOfTheSessionKeepsARepeatingAlarm) {
  for (const bool repeats : {true, false}) {
    MainFormHarness h;
    h.armRepeating(kMonday, repeats ? kWorkingWeek : Weekdays{});
    FormEvents events(h.desktop, h.form, h.modality, {});
    h.d.boxes.whileOpen = [&](const MessageBoxRequest&) { events.sessionEnds(); };
    EXPECT_TRUE(h.d.ends([&] { events.sessionMayEnd(); })) << repeats;
    EXPECT_EQ(h.d.registry.value(Hive::LocalMachine, settings::kKey, settings::kSettingsSaved),
              repeats ? std::optional<std::string>("Yes") : std::nullopt);
    if (!repeats) continue;
    fakes::IntroHarness next;
    next.d.registry = h.d.registry;
    next.setTime({kMonday, 8, 0, 0});
    ASSERT_FALSE(next.Start());
    EXPECT_EQ(next.ui.StatusBar1.text(), texts::Armed("12/8/2026", "7:00 AM"));
  }
}

}  // namespace
}  // namespace morv
