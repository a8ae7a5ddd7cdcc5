// The wake timer an armed alarm leaves with the system: for which moment, that every way
// of turning the alarm off withdraws it, and what the user is told when the system will
// not keep it.
#include <gtest/gtest.h>

#include <optional>

#include "alarm/wake_schedule.h"
#include "mainwindow/form_events.h"
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
  FormEvents events(h.desktop, h.form, h.modality, {});
  h.d.timeZone.offset = 60min;
  h.armAlarm({2026, 12, 7}, "07:05");
  EXPECT_EQ(h.d.wakeTimer.due, Utc(2026, 12, 7, 6, 5));
  h.d.timeZone.offset = 180min;
  events.timeChanged();
  EXPECT_EQ(h.d.wakeTimer.due, Utc(2026, 12, 7, 4, 5)) << "the zone changed";
  h.form.cmdSet_Click();  // stop
  events.timeChanged();
  EXPECT_EQ(h.d.wakeTimer.due, std::nullopt) << "stop";
  for (const char* way : {"disarm", "Clear"}) {
    h.d.wakeTimer.due = Utc(2026, 12, 8, 18, 30);
    way[0] == 'd' ? h.form.cmdSet_Click() : h.form.cmdReset_Click();
    EXPECT_EQ(h.d.wakeTimer.due, std::nullopt) << way;
  }
}

// Windows will not wake the computer: the arm button's tip says so and where to change
// it, beside the tray icon too; a system that cannot tell says nothing.
TEST(WakeScheduleTest, AComputerThatWillNotWakeForTheAlarmIsToldOfAtArming) {
  for (const auto support : {WakeSupport::TimersOff, WakeSupport::CannotWake,
                             WakeSupport::Unknown, WakeSupport::Allowed}) {
    fakes::LoadedHarness h;
    h.d.wakeTimer.supported = support;
    h.form.cmdMin2Tray_Click();
    h.armAlarm({2026, 12, 7}, "07:05");
    const auto warning = WakeWarning(support);
    const std::string tip = h.ui.cmdSet.toolTip();
    EXPECT_EQ(tip.rfind("Turn The Alarm OFF.", 0), 0u) << "the tip as it always was, first";
    EXPECT_EQ(tip.find("Allow wake timers") != std::string::npos,
              support == WakeSupport::TimersOff);
    EXPECT_EQ(tip != "Turn The Alarm OFF.", warning.has_value());
    EXPECT_EQ(h.ui.SysTray.notes.size(), warning ? 1u : 0u);
    EXPECT_EQ(h.ui.StatusBar1.text(), "Alarm Settings: ON  Date: 12/7/2026 Time: 7:05 AM ALARM IS SET");
    AlarmEdit nap;
    nap.date = {2026, 12, 6};
    nap.hour = 14;
    h.d.alarmsDialog.edits = {nap};
    h.d.alarmsDialog.whileOpen = [](AlarmsDialogEvents& events) { events.add(); };
    h.form.mnuAlarms_Click();
    EXPECT_EQ(h.ui.SysTray.notes.size(), warning ? 2u : 0u) << "and for an alarm of the list";
  }
}

// The texts the registry kept must name a day and a minute to come back; one that names
// a minute already gone by cannot be armed as though it would still ring.
TEST(WakeScheduleTest, ARestoredAlarmComesBackOnlyWhenItsTextsNameAMinute) {
  struct Case {
    const char* date;
    const char* time;
    const char* box;  // at the press of Turn On
    std::optional<UtcTime> wake;
  } const cases[] = {
      {"12/8/2026", "12:05 PM", nullptr, Utc(2026, 12, 8, 12, 5)},
      {"12/5/2026", "7:05 AM", "Alarm Time Has Passed!", std::nullopt},
      {"12/8/2026", "07:05 AM", "Alarm Not Set!", std::nullopt},
      {"12-8-2026", "7:05 AM", nullptr, Utc(2026, 12, 8, 7, 5)},  // another separator
      {"\xff\xfe", "\xff:\x80\x80 AM", "Alarm Not Set!", std::nullopt},
  };
  for (const Case& c : cases) {
    MainFormHarness h;
    h.storeOption(settings::kSettingsSaved, "Yes");
    h.storeOption(settings::kDate, c.date);
    h.storeOption(settings::kTime, c.time);
    h.loadAt({{2026, 12, 6}, 6, 0, 0});
    h.form.cmdSet_Click();
    EXPECT_EQ(h.d.wakeTimer.due, c.wake) << c.date << " " << c.time;
    if (c.box) {
      EXPECT_EQ(h.d.boxes.titles(), std::vector<std::string>{c.box}) << c.date << " " << c.time;
    } else {
      EXPECT_EQ(h.ui.StatusBar1.text(), std::string("Alarm Settings: ON  Date: ") + c.date +
                                            " Time: " + c.time + " ALARM IS SET");
    }
  }
}

}  // namespace
}  // namespace morv
