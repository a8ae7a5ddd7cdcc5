// The wake timer an armed alarm leaves with the system: for which moment, and that every
// way of turning the alarm off withdraws it.
#include <gtest/gtest.h>

#include <optional>

#include "mainwindow/form_events.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::Utc;
using namespace std::chrono;
using namespace std::chrono_literals;

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

}  // namespace
}  // namespace morv
