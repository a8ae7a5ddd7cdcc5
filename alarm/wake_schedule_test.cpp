// The wake timer an armed alarm leaves with the system: for which moment, that every
// way of turning the alarm off withdraws it, and what the user is told when it cannot wake.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "alarm/alarm_texts.h"
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
  h.ui.SysTray.setIconVisible(true);  // where a warning would show
  h.armAlarm({2026, 12, 7}, "07:05");
  EXPECT_EQ(h.d.wakeTimer.due, Utc(2026, 12, 7, 6, 5));
  EXPECT_EQ(h.ui.cmdSet.toolTip(), texts::kTipTurnOff) << "Windows cannot tell: nothing said";
  EXPECT_TRUE(h.ui.SysTray.notes.empty());
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
  h.d.wakeTimer.supports = WakeSupport::TimersOff;
  h.armAlarm({2026, 12, 7}, "07:05");
  EXPECT_THAT(h.ui.cmdSet.toolTip(), ::testing::HasSubstr("wake timers are switched off"));
  EXPECT_THAT(h.ui.SysTray.notes, ::testing::ElementsAre(::testing::HasSubstr("switched off")));
}

}  // namespace
}  // namespace morv
