// The alarm that repeats on chosen weekdays: a week of mornings on the virtual clock,
// the mornings a sleeping computer misses, and the restart in the middle of the week.
#include <algorithm>

#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "alarm/repeat_days.h"
#include "tests/fakes/intro_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using namespace std::chrono;
using namespace std::chrono_literals;

const Weekdays kWorkingWeek{0b0011111};

// Monday 7 December 2026 to Sunday 13 December.
constexpr CalendarDate kMonday{2026, 12, 7};

CalendarDate Plus(const CalendarDate& date, int days) {
  return FromTimePoint(ToTimePoint({date}) + std::chrono::days{days}).date;
}

int PlaysHeard(const MainFormHarness& h) {
  int plays = 0;
  for (const auto& player : h.d.players.all) plays += std::ranges::count(player.heard, "play");
  return plays;
}

// Loaded at six on `day`, the alarm for seven that day armed to repeat on `days`.
void ArmRepeating(MainFormHarness& h, const CalendarDate& day, Weekdays days) {
  h.loadAt({day, 6, 0, 0});
  h.d.repeatDialog.answer = days;
  h.form.mnuRepeat_Click();
  h.armAlarm(day, "07:00");
}

// Wakes the clock just before `day`'s seven o'clock and lets the minute run; true when
// the alarm rang in it. The sleeping computer runs no ticks before.
bool MorningRings(MainFormHarness& h, const CalendarDate& day) {
  h.setTime({day, 6, 59, 58});
  h.advance(62s);
  return h.ui.StatusBar1.text() == texts::kBanner;
}

// Snoozed each morning from the tray; an alarm that rings once is the tick's own test.
TEST(RepeatTest, AWeekOfMorningsRingsOnTheChosenDaysOnly) {
  MainFormHarness h;
  ArmRepeating(h, kMonday, kWorkingWeek);
  std::string rings;
  for (int day = 0; day < 7; ++day) {
    const bool rang = MorningRings(h, Plus(kMonday, day));
    rings += rang ? 'x' : '.';
    if (!rang) continue;
    h.d.boxes.answers.push_back(MbAnswer::Yes);
    h.form.mnuCloseWinAmp_Click();
  }
  EXPECT_EQ(rings, "xxxxx..");
  EXPECT_EQ(PlaysHeard(h), 5);
  ASSERT_EQ(h.d.windows.count("Winamp v1.x"), 1) << "the player is back";
  EXPECT_FALSE(h.d.windows.window(h.d.players.all.back().handle)->visible);
}

TEST(RepeatTest, SnoozeArmsTheNextMorningAndTurnOffStillDisarms) {
  MainFormHarness h;
  const CalendarDate friday{2026, 12, 11};
  ArmRepeating(h, friday, kWorkingWeek);
  EXPECT_EQ(h.ui.cmdSet.toolTip(), "Turn The Alarm OFF.  Repeats Monday To Friday.");
  ASSERT_TRUE(MorningRings(h, friday));
  h.form.cmdSet_Click();

  EXPECT_EQ(h.ui.lblDate.caption(), "12/14/2026");
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::Armed("12/14/2026", "7:00 AM"));
  EXPECT_EQ(h.d.wakeTimer.due, sys_days{2026y / 12 / 14} + 7h);
  EXPECT_EQ(h.d.registry.value(Hive::LocalMachine, settings::kKey, settings::kRepeatDays),
            "Mon,Tue,Wed,Thu,Fri");

  // Turned off before it rings: as an alarm that rings once, and the days stay.
  h.form.cmdSet_Click();
  EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOn);
  EXPECT_FALSE(MorningRings(h, {2026, 12, 15})) << "not moved on by a turn off";
  h.d.repeatDialog.answer.reset();
  h.form.mnuRepeat_Click();
  EXPECT_EQ(h.d.repeatDialog.shownWith.back(), kWorkingWeek);
}

TEST(RepeatTest, AMissedMinuteMovesOnWithoutRingingOnceALateWakeCouldNot) {
  MainFormHarness h;
  ArmRepeating(h, kMonday, kWorkingWeek);
  h.setTime({kMonday, 7, 9, 58});  // asleep through the minute
  h.advance(1s);
  EXPECT_EQ(h.form.alarm.AlarmDate, "12/7/2026") << "a late wake could still ring it";
  h.advance(2s);
  EXPECT_EQ(h.form.alarm.AlarmDate, "12/8/2026");
  EXPECT_EQ(h.ui.StatusBar1.text(),
            "Alarm missed: 12/7/2026 7:00 AM passed while the computer was asleep.");
  EXPECT_EQ(PlaysHeard(h), 0);

  // Asleep for days: one notice, and the next morning still to come.
  h.setTime({{2026, 12, 10}, 8, 0, 0});
  h.advance(1s);
  EXPECT_EQ(h.form.alarm.AlarmDate, "12/11/2026");
  EXPECT_TRUE(MorningRings(h, {2026, 12, 11}));
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
    if (!c.armedFor) continue;
    EXPECT_EQ(h.ui.lblDate.caption(), c.armedFor);
    EXPECT_EQ(h.d.locale.shortDate(h.ui.MonthView.date()), c.armedFor);
    EXPECT_EQ(h.d.registry.value(Hive::LocalMachine, settings::kKey, settings::kStartInTray), "Yes")
        << "start with Windows kept";
  }
}

}  // namespace
}  // namespace morv
