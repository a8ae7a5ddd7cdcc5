// The alarm's entry, the arm button's three paths over the alarm's states, and the wake
// timer an armed alarm leaves with the system.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "mainwindow/form_events.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::LoadedHarness;
using fakes::Utc;
using ::testing::Each;
using ::testing::ElementsAre;
using namespace std::chrono_literals;

const std::string kRun = "write HKLM SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run Morvane = ";
const std::string kExe = "\"c:\\Program Files\\Quorvix\\MORV\\MORVU.EXE\"";
const std::string kTray = "write HKLM SOFTWARE\\QUORVIX\\MORV StartInTray = ";

class ArmingTest : public ::testing::Test {
 protected:
  void ResetRecords() {
    h.d.registry.calls.clear();
    h.d.clock.pauses.clear();
    h.d.boxes.shown.clear();
  }
  // The alarm's entry: time box, calendar, Clear, "Se&t Alarm" and "&Start In System Tray".
  std::vector<bool> EntryEnabled() {
    return {h.ui.txtTime.enabled(), h.ui.MonthView.enabled(), h.ui.cmdReset.enabled(),
            h.ui.mnuSetAlarm.enabled(), h.ui.mnuStartInSystemTray.enabled()};
  }

  LoadedHarness h;
};

TEST_F(ArmingTest, TodayAndLaterDaysAreTakenAndAPastOneRefused) {
  h.ui.StatusBar1.setText("");
  h.form.MonthView_DateClick({2026, 12, 6});
  EXPECT_EQ(h.ui.lblDate.caption(), "12/6/2026");
  EXPECT_TRUE(h.ui.cmdReset.enabled());
  EXPECT_EQ(h.ui.StatusBar1.text(), "") << "no time yet: the status panel stays as it was";

  h.enterAlarm({2026, 12, 6}, "07:05");
  h.form.MonthView_DateClick({2027, 1, 31});
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::Summary("1/31/2027", "7:05 AM"));

  h.ui.MonthView.setDate({2026, 12, 5});
  h.form.MonthView_DateClick({2026, 12, 5});
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("AM/PM Query:", "Date Selected Has Passed Already!"));
  EXPECT_EQ(h.ui.MonthView.date(), (CalendarDate{2026, 12, 6}));
  EXPECT_EQ(h.ui.lblDate.caption(), "1/31/2027") << "the earlier choice stands";
  EXPECT_TRUE(h.ui.MyTimer.enabled());
}

// Half an alarm, or one whose only minute has gone by, would show as on and never ring.
TEST_F(ArmingTest, APressOnAnAlarmThatCannotRingOnlyComplains) {
  h.form.MonthView_DateClick({2026, 12, 6});
  h.form.cmdSet_Click();
  h.enterAlarm({2026, 12, 6}, "05:59");
  h.form.cmdSet_Click();
  EXPECT_THAT(h.d.boxes.titles(),
              ElementsAre("Alarm Not Set!", "AM/PM Query:", "Alarm Time Has Passed!"));
  EXPECT_FALSE(h.ui.MyTimer.enabled()) << "the clock stays frozen";
  EXPECT_EQ(h.ui.cmdSet.caption(), "Turn &On");
  EXPECT_TRUE(h.d.processes.starts.empty());
  h.enterAlarm({2026, 12, 6}, "06:00");
  h.form.cmdSet_Click();
  EXPECT_EQ(h.ui.cmdSet.caption(), "Turn &Off") << "still in its minute: it rings at once";
}

// Arm, stop ("Turn &Off"), disarm, and the tray's "Se&t Alarm" arming like the button.
TEST_F(ArmingTest, ArmStopDisarmAndArmAgain) {
  h.enterAlarm({2026, 12, 6}, "07:05");
  ResetRecords();
  h.form.cmdSet_Click();
  EXPECT_THAT(EntryEnabled(), Each(false));
  EXPECT_EQ(h.ui.cmdSet.caption(), "Turn &Off");
  EXPECT_EQ(h.ui.SysTray.iconIndex(), 1);
  EXPECT_THAT(h.d.registry.writes(), ElementsAre(kRun + kExe, kTray + "Yes"));
  ASSERT_EQ(h.d.processes.starts.size(), 1u);
  EXPECT_EQ(h.d.processes.starts[0].style, WindowStyle::MinimizedFocus);
  EXPECT_THAT(h.d.clock.pauses, ElementsAre(5000ms));
  auto& player = h.d.players.all.at(0);
  EXPECT_FALSE(h.d.windows.window(player.handle)->visible);

  ResetRecords();
  h.form.cmdSet_Click();
  EXPECT_THAT(player.heard, ElementsAre("volume 28", "quit"));
  EXPECT_EQ(h.ui.cmdSet.caption(), "Turn &On");
  EXPECT_THAT(EntryEnabled(), Each(true));
  EXPECT_FALSE(h.ui.MyTimer.enabled());
  EXPECT_TRUE(h.d.registry.writes().empty()) << "the stop path leaves start-in-tray alone";

  h.form.cmdSet_Click();
  EXPECT_EQ(h.ui.SysTray.iconIndex(), 2);
  EXPECT_THAT(h.d.registry.writes(), ElementsAre(kTray + "No", kRun + "-" + kExe));

  h.form.mnuSetAlarm_Click();
  EXPECT_EQ(h.ui.cmdSet.caption(), "Turn &Off");
  EXPECT_EQ(h.d.processes.starts.size(), 2u) << "one for each arming, none for the disarm";
}

// A clock or time zone change after arming still wakes at the alarm's local minute;
// an alarm that no longer wants a wake-up gets none.
TEST_F(ArmingTest, ArmingWakesAtTheAlarmMinuteAndEveryWayOffWithdrawsIt) {
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
