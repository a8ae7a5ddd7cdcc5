// What the main window does with the events Windows reports: what its load makes of the
// stored settings, which commands run, when the typed time is checked, where the focus
// goes, what a close request does.
#include "mainwindow/form_events.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using fakes::RegOp;
using ::testing::ElementsAre;

struct Harness : fakes::LoadedHarness {
  // The user clicks the box and types; the box still has the focus.
  void type(const std::string& text) {
    events.focusEntersTimeBox(false);
    events.timeBoxClicked();
    ui.txtTime.setText(text);
  }

  int closesLater = 0;
  FormEvents events{desktop, form, modality, [this] { ++closesLater; }};
};

// A saved alarm comes back unarmed, and only whole and under a flag beginning with "Yes";
// it takes the start-in-tray option away until Clear. The option's check mark shows what
// is stored, alarm or none. A load only reads, and shows today. A player to load on start
// is started minimised without the focus.
TEST(FormLoadTest, ASavedAlarmComesBackUnarmed) {
  struct Case {
    const char *saved, *time, *startInTray;
    bool restored, playerOnStart;
  } const cases[] = {
      {"Yes", "7:05 AM", "No", true, false},
      {"Yesss", "7:05 AM", "Yes", true, false},
      {"No", "7:05 AM", "Yes", false, true},
      {"Yes", nullptr, "No", false, false},
  };
  for (const Case& c : cases) {
    MainFormHarness h;
    h.storeOption(settings::kSettingsSaved, c.saved);
    h.storeOption(settings::kDate, "12/24/2026");
    if (c.time) h.storeOption(settings::kTime, c.time);
    h.storeOption(settings::kStartInTray, c.startInTray);
    if (c.playerOnStart) h.storeOption(settings::kWinAmpOnStart, "Yes");
    h.loadAt({{2027, 3, 4}, 8, 0, 0});
    SCOPED_TRACE(std::string(c.saved) + (c.time ? "" : " without a time"));
    EXPECT_EQ(h.ui.txtTime.text(), c.restored ? "7:05 AM" : "");
    EXPECT_EQ(h.ui.lblDate.caption(), c.restored ? "12/24/2026" : "");
    EXPECT_EQ(
        h.form.StartupStatusText,
        c.restored ? "Alarm Settings: OFF  Date: 12/24/2026 Time: 7:05 AM ALARM IS SET." : "");
    EXPECT_EQ(h.ui.mnuStartInSystemTray.checked(), std::string(c.startInTray) == "Yes");
    EXPECT_EQ(h.ui.mnuStartInSystemTray.enabled(), !c.restored);
    EXPECT_EQ(h.ui.cmdReset.enabled(), c.restored);
    EXPECT_EQ(h.ui.MonthView.date(), (CalendarDate{2027, 3, 4}));
    EXPECT_TRUE(h.d.registry.writes().empty());
    EXPECT_EQ(h.ui.mnuLoadWinAmpOnStart.checked(), c.playerOnStart);
    ASSERT_EQ(h.d.processes.starts.size(), c.playerOnStart ? 1u : 0u);
    if (c.playerOnStart) {
      EXPECT_EQ(h.d.processes.starts[0].style, WindowStyle::MinimizedNoFocus);
      EXPECT_EQ(h.ui.StatusBar1.text(), "WinAmp Activated!  Ready.");
    }
    h.form.cmdReset_Click();
    EXPECT_TRUE(h.ui.mnuStartInSystemTray.enabled());
  }
}

TEST(FormLoadTest, UnreadableOptionsCountAsNoButAMissingPlayerOptionEndsTheProgram) {
  MainFormHarness h;
  h.d.registry.fail(RegOp::Read, Hive::LocalMachine, settings::kSettingsSaved, RegStatus::Failed);
  h.d.registry.fail(RegOp::Read, Hive::LocalMachine, settings::kStartInTray, RegStatus::Failed);
  ASSERT_FALSE(h.d.ends([&] { h.form.Form_Load(); }));
  EXPECT_FALSE(h.ui.mnuStartInSystemTray.checked());

  MainFormHarness missing;
  missing.d.registry = {};
  missing.d.boxes.answers = {MbAnswer::Ok, MbAnswer::No};
  EXPECT_TRUE(missing.d.ends([&] { missing.form.Form_Load(); })) << "even with the close refused";
  EXPECT_THAT(missing.d.boxes.titles(), ElementsAre("ERROR!", "Close Morvane?"));
}

// A command never acts on typed text no check has looked at: not after an access key,
// not from the tray, and not after the window was left for another program and came back.
TEST(FormEventsTest, ATypedTimeIsCheckedBeforeAnyCommandThatArmsOrClears) {
  struct Case {
    const char* what;
    bool leaveForAnotherProgram, focusToTurnOn, checkRuns;
    std::optional<FormCommand> command;
    bool armed;
  } const cases[] = {
      {"Turn On clicked after switching away and back", true, true, true, {}, false},
      {"Turn On without the focus given back", true, false, false, FormCommand::Set, false},
      {"access key", false, true, false, FormCommand::Set, false},
      {"tray's Set Alarm", false, false, false, FormCommand::SetAlarm, false},
      {"Clear", true, false, false, FormCommand::Reset, false},
      {"Turn On once the time was checked", false, true, true, FormCommand::Set, true},
  };
  for (const Case& c : cases) {
    Harness h;
    h.events.dateClicked({2026, 12, 7});
    h.type("07:00");
    h.d.boxes.answers = {MbAnswer::Yes};
    // Enter leaves the box for Turn On; the check it owes runs once the focus has settled.
    h.events.command(FormCommand::Ok, CommandSource::Button);
    ASSERT_EQ(h.ui.focus.owner, "cmdSet");
    h.events.focusLeavesTimeBox(FormControl::Set);
    h.events.checkTypedTime();
    ASSERT_EQ(h.form.alarm.AlarmTime, "7:00 AM");
    h.type("08:15");
    EXPECT_FALSE(c.leaveForAnotherProgram && h.events.focusLeavesTimeBox(FormControl::None))
        << "owes no check";
    h.d.boxes.shown.clear();
    h.d.boxes.answers = {MbAnswer::Yes};
    if (c.focusToTurnOn) h.events.focusLeavesTimeBox(FormControl::Set);
    if (c.checkRuns) h.events.checkTypedTime();
    if (c.command) h.events.command(*c.command, CommandSource::Menu);
    EXPECT_THAT(h.d.boxes.titles(), ElementsAre("AM/PM Query:")) << c.what;
    EXPECT_EQ(h.form.alarm.AlarmTime, "8:15 AM") << c.what;
    EXPECT_EQ(h.ui.cmdSet.caption(), c.armed ? texts::kTurnOff : texts::kTurnOn) << c.what;
  }
}

// While any box is open, nothing underneath runs, and there is one close query at most:
// a second request is answered by it, and the clock stays stopped until it is answered.
TEST(FormEventsTest, UnderAnOpenCloseQueryEverythingElseIsRefused) {
  Harness h;
  std::vector<CloseOutcome> outcomes;
  bool ticked = false;
  h.d.boxes.whileOpen = [&](const MessageBoxRequest& box) {
    if (box.title != "Close Morvane?") return;
    h.events.command(FormCommand::ExitProgram, CommandSource::Menu);
    h.events.command(FormCommand::SetAlarm, CommandSource::Menu);
    h.events.command(FormCommand::About, CommandSource::Shortcut);
    h.events.trayClicked(kRightButton);
    outcomes.push_back(h.events.closeRequested(CloseFrom::ApplicationWindow));
    outcomes.push_back(h.events.closeRequested(CloseFrom::MainWindow));
    h.ui.MyTimer.setEnabled(true);  // whatever restarted it
    h.events.tick();
    ticked = !h.ui.txtTime.text().empty();  // a tick shows the time
  };
  h.d.boxes.answers = {MbAnswer::No};
  h.events.command(FormCommand::ExitProgram, CommandSource::Menu);
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("Close Morvane?"));
  EXPECT_THAT(outcomes, ElementsAre(CloseOutcome::Busy, CloseOutcome::Busy));
  EXPECT_FALSE(ticked);
  EXPECT_TRUE(h.ui.form.poppedUp.empty());
  EXPECT_EQ(h.closesLater, 0) << "answered by the open query";
}

// Every close request, whichever window got it, asks the close query; one that comes
// during another box gets it once that box is answered, or, for a shutdown, is refused
// for now. A refused close is reported to Windows as refused.
TEST(FormEventsTest, EveryCloseRequestGoesThroughTheCloseQuery) {
  for (MbAnswer answer : {MbAnswer::No, MbAnswer::Yes}) {
    Harness h;
    h.d.boxes.answers = {answer, MbAnswer::No};
    bool mayEnd = true;
    const bool ended = h.d.ends([&] { mayEnd = h.events.sessionMayEnd(); });
    EXPECT_EQ(ended, answer == MbAnswer::Yes);
    EXPECT_TRUE(ended || !mayEnd) << "the session may not end under a refused close";
    if (!ended) {
      EXPECT_EQ(h.events.closeRequested(CloseFrom::ApplicationWindow), CloseOutcome::Refused);
    }
    EXPECT_EQ(h.d.boxes.titles(), std::vector<std::string>(ended ? 1 : 2, "Close Morvane?"));
  }
  for (CloseFrom from : {CloseFrom::ApplicationWindow, CloseFrom::Shutdown}) {
    Harness t;
    std::optional<CloseOutcome> duringAbout;
    t.d.boxes.whileOpen = [&](const MessageBoxRequest& box) {
      if (box.title == "About Morvane(tm)") duringAbout = t.events.closeRequested(from);
    };
    t.events.command(FormCommand::About, CommandSource::Menu);
    EXPECT_EQ(duringAbout, CloseOutcome::Busy);
    EXPECT_THAT(t.d.boxes.titles(), ::testing::Not(::testing::Contains("Close Morvane?")));
    EXPECT_EQ(t.closesLater, from == CloseFrom::Shutdown ? 0 : 1) << "a shutdown cannot wait";
  }
}

// Clear stays greyed from the load throughout.
TEST(FormEventsTest, FocusGoesBackToTheControlThatHadItOrTheNextOneATabReaches) {
  struct Case {
    FormControl focused;
    bool timeBoxOff, calendarOff, exitOff;
    FormControl back;
  } const cases[] = {
      {FormControl::None, false, false, false, FormControl::None},
      {FormControl::TimeBox, false, false, false, FormControl::TimeBox},
      {FormControl::TimeBox, true, false, false, FormControl::Set},
      {FormControl::Exit, false, false, true, FormControl::Calendar},
      {FormControl::Calendar, true, true, false, FormControl::Set},
  };
  for (const Case& c : cases) {
    Harness h;
    h.ui.txtTime.setEnabled(!c.timeBoxOff);
    h.ui.MonthView.setEnabled(!c.calendarOff);
    h.ui.cmdExit.setEnabled(!c.exitOff);
    h.events.deactivated(c.focused);
    EXPECT_EQ(h.events.activated(), c.back) << static_cast<int>(&c - cases);
  }
}

TEST(FormEventsTest, AShortcutDoesNothingWhileItsMenuItemOrItsMenuIsGreyed) {
  const std::pair<bool, bool> cases[] = {{true, true}, {false, true}, {true, false}};
  for (const auto& [menuOn, itemOn] : cases) {
    Harness h;
    h.ui.mnuSettings.setEnabled(menuOn);
    h.ui.mnuStartInSystemTray.setEnabled(itemOn);
    h.events.command(FormCommand::StartInSystemTray, CommandSource::Shortcut);
    EXPECT_EQ(h.ui.mnuStartInSystemTray.checked(), menuOn && itemOn) << menuOn << itemOn;
  }
}

// A second start brings the window back as "&Show Morvane" does, out of the tray or
// restored from the taskbar: never a shown window beside a tray icon.
TEST(FormEventsTest, ASecondStartBringsTheWindowBack) {
  for (bool inTray : {true, false}) {
    Harness h;
    h.ui.form.show();
    if (inTray) h.events.command(FormCommand::ToTray, CommandSource::Button);
    if (!inTray) h.ui.form.minimize();
    h.events.anotherStart();
    EXPECT_TRUE(h.ui.form.visible()) << inTray;
    EXPECT_FALSE(h.ui.SysTray.iconVisible()) << inTray;
    EXPECT_THAT(h.d.windows.shows,
                ElementsAre(std::pair{h.ui.form.handle(),
                                      inTray ? ShowCommand::ShowNormal : ShowCommand::Restore}))
        << inTray;
    EXPECT_EQ(h.d.windows.foreground, h.ui.form.handle()) << inTray;
  }
}

}  // namespace
}  // namespace morv
