// The alarm that repeats on chosen weekdays: a week of mornings on the virtual clock,
// the mornings a sleeping computer misses, the restart in the middle of the week, and
// the same wall-clock minute across daylight saving, a month's and a year's end.
#include <gmock/gmock.h>
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
const Weekdays kEveryDay{0b1111111};
const Weekdays kWednesday{0b0000100};

CalendarDate Plus(const CalendarDate& date, int days) {
  return FromTimePoint(ToTimePoint({date}) + std::chrono::days{days}).date;
}

int PlaysHeard(const MainFormHarness& h) {
  int plays = 0;
  for (const auto& player : h.d.players.all) {
    for (const auto& word : player.heard) plays += word == "play";
  }
  return plays;
}

void ChooseDays(MainFormHarness& h, Weekdays days) {
  h.d.repeatDialog.answer = days;
  h.form.mnuRepeat_Click();
}

// Wakes the clock just before `day`'s seven o'clock and lets the minute run; true when
// the alarm rang in it. The sleeping computer runs no ticks before.
bool MorningRings(MainFormHarness& h, const CalendarDate& day) {
  h.setTime({day, 6, 59, 58});
  h.advance(62s);
  return h.ui.StatusBar1.text() == texts::kBanner;
}

// Monday 7 December 2026 to Sunday 13 December.
constexpr CalendarDate kMonday{2026, 12, 7};

TEST(RepeatTest, AWeekOfMorningsRingsOnTheChosenDaysOnly) {
  struct Case {
    const char* name;
    Weekdays days;
    int firstDay;       // days after Monday of the first alarm picked on the calendar
    bool fromTray;      // snoozed with the tray's item rather than the button
    const char* rings;  // Monday first, one mark a day
  } const cases[] = {
      {"Monday to Friday", kWorkingWeek, 0, false, "xxxxx.."},
      {"every day, snoozed from the tray", kEveryDay, 0, true, "xxxxxxx"},
      {"Wednesday", kWednesday, 2, false, "..x...."},
      {"no repeat", {}, 0, false, "x......"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainFormHarness h;
    h.d.players.serve(h.d.processes, "c:\\Program Files\\WinAmp\\WinAmp.exe");
    h.loadAt({kMonday, 6, 0, 0});
    ChooseDays(h, c.days);
    h.enterAlarm(Plus(kMonday, c.firstDay), "07:00");
    h.form.cmdSet_Click();

    std::string rings;
    for (int day = 0; day < 7; ++day) {
      const bool rang = MorningRings(h, Plus(kMonday, day));
      rings += rang ? 'x' : '.';
      if (!rang) continue;
      if (c.fromTray) {
        h.d.boxes.answers.push_back(MbAnswer::Yes);
        h.form.mnuCloseWinAmp_Click();
      } else {
        h.form.cmdSet_Click();
      }
    }
    EXPECT_EQ(rings, c.rings);
    EXPECT_EQ(PlaysHeard(h), static_cast<int>(std::count(rings.begin(), rings.end(), 'x')));
    if (c.days.none()) {
      EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOn) << "stopped, as an alarm that rings once";
      EXPECT_EQ(h.ui.StatusBar1.text(), texts::Disarmed("12/7/2026", "7:00 AM"));
    } else {
      EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOff);
      ASSERT_EQ(h.d.windows.count("Winamp v1.x"), 1) << "the player is back";
      EXPECT_FALSE(h.d.windows.window(h.d.players.all.back().handle)->visible);
    }
  }
}

TEST(RepeatTest, SnoozeArmsTheNextMorningAndTurnOffStillDisarms) {
  MainFormHarness h;
  h.loadAt({{2026, 12, 11}, 6, 0, 0});  // a Friday
  ChooseDays(h, kWorkingWeek);
  h.enterAlarm({2026, 12, 11}, "07:00");
  h.form.cmdSet_Click();
  EXPECT_EQ(h.ui.cmdSet.toolTip(), "Turn The Alarm OFF.  Repeats Monday To Friday.");
  ASSERT_TRUE(MorningRings(h, {2026, 12, 11}));
  h.form.cmdSet_Click();

  EXPECT_EQ(h.ui.lblDate.caption(), "12/14/2026");
  EXPECT_EQ(h.ui.MonthView.date(), (CalendarDate{2026, 12, 14}));
  EXPECT_FALSE(h.ui.MonthView.enabled());
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::Armed("12/14/2026", "7:00 AM"));
  EXPECT_EQ(h.d.wakeTimer.due, sys_days{2026y / 12 / 14} + 7h);
  EXPECT_EQ(h.d.registry.value(Hive::LocalMachine, settings::kKey, settings::kRepeatDays),
            "Mon,Tue,Wed,Thu,Fri");

  // Turned off before it rings: as an alarm that rings once, and the days stay.
  h.advance(5s);
  h.form.cmdSet_Click();
  EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOn);
  EXPECT_EQ(h.d.wakeTimer.due, std::nullopt);
  EXPECT_FALSE(MorningRings(h, {2026, 12, 15})) << "not moved on by a turn off";
  h.d.repeatDialog.answer.reset();
  h.form.mnuRepeat_Click();
  EXPECT_EQ(h.d.repeatDialog.shownWith.back(), kWorkingWeek);
}

TEST(RepeatTest, AMissedMinuteMovesOnWithoutRingingOnceALateWakeCouldNot) {
  MainFormHarness h;
  h.loadAt({kMonday, 6, 0, 0});
  ChooseDays(h, kWorkingWeek);
  h.enterAlarm(kMonday, "07:00");
  h.form.cmdSet_Click();

  h.setTime({kMonday, 7, 9, 58});  // asleep through the minute
  h.advance(1s);
  EXPECT_EQ(h.form.alarm.AlarmDate, "12/7/2026") << "a late wake could still ring it";
  h.advance(2s);
  EXPECT_EQ(h.form.alarm.AlarmDate, "12/8/2026");
  EXPECT_EQ(h.ui.StatusBar1.text(),
            "Alarm missed: 12/7/2026 7:00 AM passed while the computer was asleep.");
  EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOff);
  EXPECT_EQ(PlaysHeard(h), 0);

  // Asleep for days: one notice, and the next morning still to come.
  h.setTime({{2026, 12, 10}, 8, 0, 0});
  h.advance(1s);
  EXPECT_EQ(h.form.alarm.AlarmDate, "12/11/2026");
  EXPECT_TRUE(MorningRings(h, {2026, 12, 11}));
}

TEST(RepeatTest, ARestartBringsTheSavedAlarmBackArmedForItsNextMorning) {
  struct Case {
    const char* repeatDays;  // nullptr: no value stored
    LocalDateTime start;
    const char* armedFor;  // nullptr: restored unarmed
  } const cases[] = {
      {"Mon,Tue,Wed,Thu,Fri", {{2026, 12, 9}, 8, 0, 0}, "12/10/2026"},
      {"mon, tue,wed ,thu,fri", {{2026, 12, 9}, 6, 0, 0}, "12/9/2026"},
      {"Mon,Tue,Wed,Thu,Fri", {{2026, 12, 11}, 7, 0, 0}, "12/14/2026"},
      {nullptr, {{2026, 12, 9}, 6, 0, 0}, nullptr},
      {"", {{2026, 12, 9}, 6, 0, 0}, nullptr},
      {"Mon,Tuesday", {{2026, 12, 9}, 6, 0, 0}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.repeatDays ? c.repeatDays : "no value");
    fakes::IntroHarness h;
    h.storeOption(settings::kSettingsSaved, settings::kYes);
    h.storeOption(settings::kDate, "12/7/2026");
    h.storeOption(settings::kTime, "7:00 AM");
    h.storeOption(settings::kStartInTray, settings::kYes);
    if (c.repeatDays) h.storeOption(settings::kRepeatDays, c.repeatDays);
    h.setTime(c.start);
    ASSERT_FALSE(h.Start());

    if (!c.armedFor) {
      EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOn);
      EXPECT_EQ(h.ui.StatusBar1.text(), texts::Summary("12/7/2026", "7:00 AM"));
      EXPECT_TRUE(h.d.processes.starts.empty());
      continue;
    }
    EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOff);
    EXPECT_EQ(h.ui.StatusBar1.text(), texts::Armed(c.armedFor, "7:00 AM"));
    EXPECT_FALSE(h.ui.MonthView.enabled()) << "locked as armed";
    EXPECT_EQ(h.ui.lblDate.caption(), c.armedFor);
    ASSERT_EQ(h.d.players.all.size(), 1u) << "the player started";
    EXPECT_FALSE(h.d.windows.window(h.d.players.all[0].handle)->visible);
    EXPECT_EQ(h.d.registry.value(Hive::LocalMachine, settings::kKey, settings::kStartInTray), "Yes")
        << "start with Windows kept";
    EXPECT_EQ(h.d.locale.shortDate(h.ui.MonthView.date()), c.armedFor);
  }
}

// Clocks go forward on 28 March 2027 and back on 31 October 2027 (UTC+1, summer +2).
TEST(RepeatTest, TheNextMorningIsTheSameWallClockMinuteAcrossDaylightSavingAndMonthsEnds) {
  struct Case {
    CalendarDate rings, next;
    Weekdays days;
    UtcTime wake;
  } const cases[] = {
      {{2027, 3, 27}, {2027, 3, 28}, kEveryDay, sys_days{2027y / 3 / 28} + 5h},
      {{2027, 10, 30}, {2027, 10, 31}, kEveryDay, sys_days{2027y / 10 / 31} + 6h},
      {{2027, 4, 30}, {2027, 5, 3}, kWorkingWeek, sys_days{2027y / 5 / 3} + 5h},
      {{2026, 12, 31}, {2027, 1, 1}, kEveryDay, sys_days{2027y / 1 / 1} + 6h},
  };
  for (const Case& c : cases) {
    MainFormHarness h;
    h.d.timeZone.offset = 60min;
    h.d.timeZone.changes = {{sys_days{2027y / 3 / 28} + 1h, 120min},
                            {sys_days{2027y / 10 / 31} + 1h, 60min}};
    h.loadAt({c.rings, 6, 0, 0});
    ChooseDays(h, c.days);
    h.enterAlarm(c.rings, "07:00");
    h.form.cmdSet_Click();
    ASSERT_TRUE(MorningRings(h, c.rings));
    h.form.cmdSet_Click();
    const std::string next = h.d.locale.shortDate(c.next);
    EXPECT_EQ(h.form.alarm.AlarmDate, next);
    EXPECT_EQ(h.d.wakeTimer.due, c.wake) << next;

    h.setTime({c.next, 6, 59, 58});
    h.advance(1500ms);
    EXPECT_NE(h.ui.StatusBar1.text(), texts::kBanner) << next << ": not before seven";
    h.advance(2s);
    EXPECT_EQ(h.ui.StatusBar1.text(), texts::kBanner) << next;
  }
}

}  // namespace
}  // namespace morv
