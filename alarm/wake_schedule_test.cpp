// The wake timer an armed alarm leaves with the system: for which moment, and that
// every way of turning the alarm off withdraws it.
#include <gtest/gtest.h>

#include <optional>

#include "alarm/wake_schedule.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using namespace std::chrono;
using namespace std::chrono_literals;

UtcTime Utc(int y, int mo, int d, int h, int mi) {
  return sys_days{year{y} / mo / d} + hours{h} + minutes{mi};
}

// A clock or time zone change after arming still wakes at the alarm's local minute;
// an alarm that no longer wants a wake-up gets none.
TEST(WakeScheduleTest, ArmingWakesAtTheAlarmMinuteAndEveryWayOffWithdrawsIt) {
  fakes::LoadedHarness h;
  h.d.timeZone.offset = 60min;
  h.armAlarm({2026, 12, 7}, "07:05");
  EXPECT_EQ(h.d.wakeTimer.due, Utc(2026, 12, 7, 6, 5));
  h.d.timeZone.offset = 180min;
  RescheduleWake(h.desktop, h.form.alarm);
  EXPECT_EQ(h.d.wakeTimer.due, Utc(2026, 12, 7, 4, 5)) << "the zone changed";
  h.form.cmdSet_Click();  // stop
  RescheduleWake(h.desktop, h.form.alarm);
  EXPECT_EQ(h.d.wakeTimer.due, std::nullopt) << "stop";
  for (const char* way : {"disarm", "Clear"}) {
    h.d.wakeTimer.due = Utc(2026, 12, 8, 18, 30);
    way[0] == 'd' ? h.form.cmdSet_Click() : h.form.cmdReset_Click();
    EXPECT_EQ(h.d.wakeTimer.due, std::nullopt) << way;
  }
}

// Clocks go forward on 28 March 2027 and back on 31 October 2027.
TEST(WakeScheduleTest, TheAlarmMinuteCountsByTheOffsetOfItsOwnDay) {
  struct Case {
    CalendarDate today, day;
    const char* typed;
    UtcTime expected;
  } const cases[] = {
      {{2027, 3, 27}, {2027, 3, 28}, "07:00", Utc(2027, 3, 28, 5, 0)},
      {{2027, 10, 30}, {2027, 10, 31}, "07:00", Utc(2027, 10, 31, 6, 0)},
      {{2027, 10, 30}, {2027, 10, 31}, "12:30", Utc(2027, 10, 30, 22, 30)},
      {{2027, 1, 10}, {2027, 1, 10}, "11:30", Utc(2027, 1, 10, 10, 30)},  // later today
  };
  for (const Case& c : cases) {
    MainFormHarness h;
    h.d.timeZone.offset = 60min;
    h.d.timeZone.changes = {{Utc(2027, 3, 28, 1, 0), 120min}, {Utc(2027, 10, 31, 1, 0), 60min}};
    h.loadAt({c.today, 10, 0, 0});
    h.armAlarm(c.day, c.typed);
    EXPECT_EQ(h.d.wakeTimer.due, c.expected) << h.form.alarm.AlarmDate << " " << c.typed;
  }
}

// A restored alarm arms with whatever texts were stored; only a minute the tick could
// ring in gets a wake timer. Nothing else about arming changes, even when the system
// refuses the timer.
TEST(WakeScheduleTest, RestoredTextsThatNameNoMinuteArmWithoutAWakeTimer) {
  struct Case {
    const char* date;
    const char* time;
    std::optional<UtcTime> expected;
  } const cases[] = {
      {"12/8/2026", "12:05 PM", Utc(2026, 12, 8, 12, 5)},
      {"12/5/2026", "7:05 AM", std::nullopt},   // yesterday
      {"12/8/2026", "07:05 AM", std::nullopt},  // the clock never shows it so
      {"12/8/2026", "13:05 PM", std::nullopt},
      {"12/8/2026", "7:05", std::nullopt},
      {"\xff\xfe", "\xff:\x80\x80 AM", std::nullopt},
  };
  for (const Case& c : cases) {
    MainFormHarness h;
    h.d.wakeTimer.refuses = true;
    h.storeOption(settings::kSettingsSaved, "Yes");
    h.storeOption(settings::kDate, c.date);
    h.storeOption(settings::kTime, c.time);
    h.loadAt({{2026, 12, 6}, 6, 0, 0});
    h.form.cmdSet_Click();
    EXPECT_EQ(h.d.wakeTimer.due, c.expected) << c.date << " " << c.time;
    EXPECT_EQ(h.ui.StatusBar1.text(), std::string("Alarm Settings: ON  Date: ") + c.date +
                                          " Time: " + c.time + " ALARM IS SET");
    EXPECT_TRUE(h.d.boxes.shown.empty());
  }
}

}  // namespace
}  // namespace morv
