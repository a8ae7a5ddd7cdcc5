// The alarms of the list beside the main window's: the box's rules, which alarm wakes the
// computer, one ring for a shared minute, each alarm's own repeat, and what the registry
// keeps of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "alarm/repeat_days.h"
#include "mainwindow/form_events.h"
#include "tests/fakes/intro_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using ::testing::ElementsAre;
using namespace std::chrono;
using namespace std::chrono_literals;

// Sunday 6 December 2026; Monday is the 7th.
AlarmEdit Entry(int day, int hour, int minute, Weekdays days = {}, const char* label = "") {
  return {.date = {2026, 12, day}, .hour = hour, .minute = minute, .days = days, .label = label};
}

// Adds each entry through the list box, as the user would.
void Add(MainFormHarness& h, std::initializer_list<AlarmEdit> entries) {
  h.d.alarmsDialog.whileOpen = [&](AlarmsDialogEvents& events) {
    for (const AlarmEdit& e : entries) {
      h.d.alarmsDialog.edits.push_back(e);
      events.add();
    }
  };
  h.form.mnuAlarms_Click();
  h.d.alarmsDialog.whileOpen = nullptr;
}

std::string Saved(MainFormHarness& h, const char* entry, const char* name) {
  return h.d.registry
      .value(Hive::LocalMachine, std::string(settings::kAlarmsKey) + "\\" + entry, name)
      .value_or("(none)");
}

TEST(AlarmListTest, TheBoxKeepsTheMainWindowsRules) {
  fakes::LoadedHarness h;
  h.d.alarmsDialog.whileOpen = [&](AlarmsDialogEvents& events) {
    // A day gone by, then a minute gone by, then one to come: the box stays open until then.
    h.d.alarmsDialog.edits = {Entry(5, 7, 0), Entry(6, 5, 59), Entry(6, 6, 30, {}, "Nap")};
    events.add();
    h.d.alarmsDialog.edits = {Entry(8, 6, 30, kWorkingWeek, "Work")};
    events.add();
    events.toggled(0, false);
    h.d.boxes.answers = {MbAnswer::No, MbAnswer::Yes};
    events.remove(1);
    events.remove(0);
    h.d.alarmsDialog.edits = {Entry(7, 9, 0, Weekdays{0b1100000}, "Weekend")};
    events.change(0);
  };
  h.form.mnuAlarms_Click();
  EXPECT_THAT(h.d.boxes.titles(),
              ElementsAre("Date Selected Has Passed Already!", "Alarm Time Has Passed!",
                          "Remove Alarm?", "Remove Alarm?"));
  EXPECT_EQ(h.d.boxes.shown[2].text, "Do you want to remove the alarm 12/8/2026 6:30 AM, Work?");
  ASSERT_EQ(h.d.alarmsDialog.rows.size(), 1u) << "the nap removed, work kept";
  const AlarmRow& row = h.d.alarmsDialog.rows[0];
  EXPECT_EQ(std::tuple(row.on, row.next, row.days, row.label),
            std::tuple(true, "Sat 12/12/2026 9:00 AM", "Sat, Sun", "Weekend"))
      << "changed, on again for its next day";
  EXPECT_EQ(h.d.alarmsDialog.next, "Next alarm: Sat 12/12/2026 9:00 AM, Weekend");
  EXPECT_EQ(Saved(h, "1", settings::kAlarmLabel), "Weekend") << "kept at every change";
  EXPECT_EQ(Saved(h, "1", settings::kAlarmDays), "Sat,Sun");
}

TEST(AlarmListTest, TwentyAlarmsAtMost) {
  fakes::LoadedHarness h;
  h.d.alarmsDialog.whileOpen = [&](AlarmsDialogEvents& events) {
    for (int i = 0; i < kMaxAlarms; ++i) {
      h.d.alarmsDialog.edits.push_back(Entry(7, 6, i));
      events.add();
    }
  };
  h.form.mnuAlarms_Click();
  EXPECT_EQ(h.d.alarmsDialog.rows.size(), static_cast<size_t>(kMaxAlarms - 1))
      << "the main window's alarm is one of them";
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("Too Many Alarms!"));
  EXPECT_EQ(h.d.alarmsDialog.titles.size(), static_cast<size_t>(kMaxAlarms - 1))
      << "the full list opens no box to fill in";
}

// The soonest alarm that is on wakes the computer, the main window's among them; turning
// one off leaves the others.
TEST(AlarmListTest, TheSoonestAlarmThatIsOnWakesTheComputer) {
  fakes::LoadedHarness h;
  Add(h, {Entry(7, 6, 30, {}, "Work"), Entry(6, 14, 0, {}, "Nap")});
  EXPECT_EQ(h.d.wakeTimer.due, sys_days{2026y / 12 / 6} + 14h);
  h.d.alarmsDialog.whileOpen = [](AlarmsDialogEvents& events) { events.toggled(1, false); };
  h.form.mnuAlarms_Click();
  EXPECT_EQ(h.d.wakeTimer.due, sys_days{2026y / 12 / 7} + 6h + 30min);
  h.armAlarm({2026, 12, 6}, "09:00");
  EXPECT_EQ(h.d.wakeTimer.due, sys_days{2026y / 12 / 6} + 9h);
  h.form.cmdMin2Tray_Click();
  EXPECT_EQ(h.ui.SysTray.toolTipText(),
            "Morvane(tm) - Right Click For Options\nNext alarm: Sun 12/6/2026 9:00 AM");

  // Off across its days, a repeating alarm turned on again goes to the next of them.
  Add(h, {Entry(7, 6, 0, kWorkingWeek, "Early")});
  h.d.alarmsDialog.whileOpen = [&](AlarmsDialogEvents& events) {
    events.toggled(2, false);
    h.setTime({{2026, 12, 9}, 7, 0, 0});
    events.toggled(2, true);
  };
  h.form.mnuAlarms_Click();
  EXPECT_EQ(h.d.alarmsDialog.rows[2].next, "Thu 12/10/2026 6:00 AM");
}

// The main window's alarm, on Mondays, and a one-off of the list at 7:00 Monday, the list's
// weekend alarm at 9:00: one ring at 7:00 for both, Snooze stops both; the weekend rings at
// 9:00 on its own days, each morning snoozed.
TEST(AlarmListTest, EachAlarmRingsByItsOwnDaysAndASharedMinuteRingsOnce) {
  MainFormHarness h;
  h.armRepeating({2026, 12, 7}, Weekdays{0b0000001});
  Add(h, {Entry(7, 7, 0, {}, "Also"), Entry(12, 9, 0, Weekdays{0b1100000}, "Weekend")});
  h.advanceTo({{2026, 12, 7}, 7, 0, 30});
  EXPECT_EQ(h.plays(), 1);
  h.form.cmdSet_Click();  // Snooze
  EXPECT_EQ(h.ui.lblDate.caption(), "12/14/2026") << "the main window's alarm moved on";
  h.d.alarmsDialog.whileOpen = nullptr;
  h.form.mnuAlarms_Click();
  EXPECT_FALSE(h.d.alarmsDialog.rows[0].on) << "the one-off alarm of the list is off";

  // A ring of the list's alone: Snooze silences it and leaves the main window's alarm on.
  h.advanceTo({{2026, 12, 12}, 9, 0, 30});
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::kBanner);
  const int before = h.plays();
  h.form.cmdSet_Click();
  EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOff);
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::Armed("12/14/2026", "7:00 AM"));
  EXPECT_THAT(h.d.players.all.back().heard, ::testing::Contains("quit"));
  h.advanceTo({{2026, 12, 13}, 9, 0, 30});
  h.form.cmdSet_Click();
  EXPECT_EQ(h.plays(), before + 1) << "Sunday, on the player started again";
}

// Stopping the main window's alarm leaves its clock standing, as it always has; an alarm of
// the list a minute later rings all the same.
TEST(AlarmListTest, TheMainWindowsStandingClockDoesNotHoldTheList) {
  fakes::LoadedHarness h;
  FormEvents events(h.desktop, h.form, h.modality, {});
  h.armAlarm({2026, 12, 6}, "06:05");
  Add(h, {Entry(6, 6, 6, {}, "Later")});
  h.advanceTo({{2026, 12, 6}, 6, 5, 30});
  events.command(FormCommand::Set, CommandSource::Button);  // Snooze: the stop path
  ASSERT_FALSE(h.ui.MyTimer.enabled());
  h.advanceTo({{2026, 12, 6}, 6, 6, 30});
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::kBanner);
  EXPECT_EQ(h.plays(), 2) << "on the player the stop started again";
}

// What the registry keeps comes back at the next start: each alarm on or off as it was, a
// repeating one on its next day, a one-off whose minute went by while Morvane was not
// running off and told of, and a damaged entry left out and told of, the rest intact.
TEST(AlarmListTest, ARestartBringsTheListBackAsItWas) {
  MainFormHarness first;
  first.loadAt({{2026, 12, 6}, 6, 0, 0});
  Add(first, {Entry(7, 6, 30, kWorkingWeek, "Work"), Entry(6, 14, 0, {}, "Nap"),
              Entry(9, 8, 0, {}, "Dentist"), Entry(10, 8, 0)});
  first.d.alarmsDialog.whileOpen = [](AlarmsDialogEvents& events) { events.toggled(2, false); };
  first.form.mnuAlarms_Click();
  first.d.registry.setString(Hive::LocalMachine, std::string(settings::kAlarmsKey) + "\\4",
                             settings::kAlarmTime, "25:00");

  fakes::IntroHarness next;
  next.d.registry = first.d.registry;
  next.storeOption(settings::kStartInTray, settings::kYes);
  next.setTime({{2026, 12, 8}, 7, 0, 0});
  ASSERT_FALSE(next.Start());
  next.form.mnuAlarms_Click();
  const auto& rows = next.d.alarmsDialog.rows;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(std::tuple(rows[0].on, rows[0].next), std::tuple(true, "Wed 12/9/2026 6:30 AM"));
  EXPECT_EQ(std::tuple(rows[1].on, rows[1].next), std::tuple(false, ""));
  EXPECT_EQ(std::tuple(rows[2].on, rows[2].label), std::tuple(false, "Dentist"));
  EXPECT_EQ(next.ui.StatusBar1.text(),
            "Alarm missed: 12/6/2026 2:00 PM, Nap passed while Morvane was not running.");
  EXPECT_EQ(
      next.ui.SysTray.notes,
      (std::vector<std::string>{
          "Morvane: Alarm missed: 12/6/2026 2:00 PM, Nap passed while Morvane was not running.",
          "Morvane: 1 alarm kept in the registry could not be read and was left out."}));
  EXPECT_EQ(next.d.wakeTimer.due, sys_days{2026y / 12 / 9} + 6h + 30min);
}

}  // namespace
}  // namespace morv
