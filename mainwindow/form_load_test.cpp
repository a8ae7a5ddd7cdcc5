// What the main window's load makes of the stored settings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using fakes::RegOp;
using ::testing::ElementsAre;
using namespace std::chrono_literals;

class FormLoadTest : public ::testing::Test {
 protected:
  void SaveAlarm(const char* saved, const char* date = "12/24/2026", const char* time = "7:05 AM") {
    h.storeOption(settings::kSettingsSaved, saved);
    if (date) h.storeOption(settings::kDate, date);
    if (time) h.storeOption(settings::kTime, time);
  }
  bool Load() {
    return h.d.ends([this] { h.form.Form_Load(); });
  }

  MainFormHarness h;
};

TEST_F(FormLoadTest, WithNothingSavedBothOptionsEndUncheckedAndEnabled) {
  h.setTime({{2027, 3, 4}, 8, 0, 0});
  ASSERT_FALSE(Load());
  EXPECT_EQ(h.ui.form.caption(), "Morvane(tm)  1.44");
  EXPECT_FALSE(h.ui.mnuStartInSystemTray.checked());
  EXPECT_TRUE(h.ui.mnuStartInSystemTray.enabled());
  EXPECT_FALSE(h.ui.mnuLoadWinAmpOnStart.checked());
  EXPECT_TRUE(h.ui.mnuLoadWinAmpOnStart.enabled());
  EXPECT_FALSE(h.ui.cmdReset.enabled());
  EXPECT_EQ(h.form.StartupStatusText, "");
  EXPECT_EQ(h.form.alarm.AlarmDate, "");
  EXPECT_TRUE(h.d.processes.starts.empty());
  EXPECT_THAT(h.d.clock.pauses, ElementsAre(1000ms));
  EXPECT_EQ(h.form.StartupDate, (CalendarDate{2027, 3, 4}));
  EXPECT_EQ(h.ui.MonthView.date(), (CalendarDate{2027, 3, 4}));
  EXPECT_TRUE(h.d.registry.writes().empty()) << "a load only reads";
}

TEST_F(FormLoadTest, ASavedAlarmComesBackUnarmed) {
  SaveAlarm("Yes");
  ASSERT_FALSE(Load());
  EXPECT_EQ(h.form.alarm.AlarmDate, "12/24/2026");
  EXPECT_EQ(h.form.alarm.AlarmTime, "7:05 AM");
  EXPECT_EQ(h.form.alarm.ArmedMark, "");
  EXPECT_EQ(h.ui.lblDate.caption(), "12/24/2026");
  EXPECT_EQ(h.ui.txtTime.text(), "7:05 AM");
  EXPECT_EQ(h.form.StartupStatusText,
            "Alarm Settings: OFF  Date: 12/24/2026 Time: 7:05 AM ALARM IS SET.");
  EXPECT_FALSE(h.ui.mnuStartInSystemTray.checked()) << "StartInTray is No";
  EXPECT_FALSE(h.ui.mnuStartInSystemTray.enabled());
  EXPECT_TRUE(h.ui.cmdReset.enabled());
  EXPECT_EQ(h.ui.cmdSet.caption(), "Turn &On");
}

TEST_F(FormLoadTest, OnlyASavedFlagBeginningWithYesRestores) {
  SaveAlarm("Yesss");
  h.storeOption(settings::kStartInTray, "Yes");
  ASSERT_FALSE(Load());
  EXPECT_EQ(h.form.alarm.AlarmTime, "7:05 AM");
  EXPECT_TRUE(h.ui.mnuStartInSystemTray.checked());

  for (const char* saved : {"yes", "YES", "No", ""}) {
    MainFormHarness other;
    other.storeOption(settings::kSettingsSaved, saved);
    other.storeOption(settings::kDate, "12/24/2026");
    other.storeOption(settings::kTime, "7:05 AM");
    other.form.Form_Load();
    EXPECT_EQ(other.form.alarm.AlarmDate, "") << saved;
    EXPECT_FALSE(other.ui.cmdReset.enabled()) << saved;
  }
}

TEST_F(FormLoadTest, HalfASavedAlarmIsNotRestored) {
  SaveAlarm("Yes", "12/24/2026", nullptr);
  ASSERT_FALSE(Load());
  EXPECT_EQ(h.form.alarm.AlarmDate, "");
  EXPECT_EQ(h.form.StartupStatusText, "");
  EXPECT_TRUE(h.ui.mnuStartInSystemTray.enabled());
}

TEST_F(FormLoadTest, UnreadableOptionsCountAsNoButAMissingPlayerOptionEndsTheProgram) {
  h.d.registry.fail(RegOp::Read, Hive::LocalMachine, settings::kSettingsSaved, RegStatus::Failed);
  h.d.registry.fail(RegOp::Read, Hive::LocalMachine, settings::kStartInTray, RegStatus::Failed);
  ASSERT_FALSE(Load());
  EXPECT_FALSE(h.ui.mnuStartInSystemTray.checked());

  MainFormHarness missing;
  missing.d.registry = {};
  missing.d.boxes.answers = {MbAnswer::Ok, MbAnswer::No};
  EXPECT_TRUE(missing.d.ends([&] { missing.form.Form_Load(); })) << "even with the close refused";
  EXPECT_THAT(missing.d.boxes.titles(), ElementsAre("ERROR!", "Close Morvane?"));
  EXPECT_EQ(missing.d.boxes.shown[0].icon, MbIcon::Critical);
}

TEST_F(FormLoadTest, PlayerOnStartIsStartedMinimisedWithoutFocus) {
  h.storeOption(settings::kWinAmpOnStart, "Yes");
  ASSERT_FALSE(Load());
  ASSERT_EQ(h.d.processes.starts.size(), 1u);
  EXPECT_EQ(h.d.processes.starts[0].path, "c:\\program files\\winamp\\winamp.exe");
  EXPECT_EQ(h.d.processes.starts[0].style, WindowStyle::MinimizedNoFocus);
  EXPECT_EQ(h.ui.StatusBar1.text(), "WinAmp Activated!  Ready.");
  EXPECT_TRUE(h.ui.mnuLoadWinAmpOnStart.checked());
}

TEST_F(FormLoadTest, APlayerThatWillNotStartEndsTheProgramAfterSaying) {
  h.storeOption(settings::kWinAmpOnStart, "Yes");
  h.d.processes.onStart = [](const fakes::ProgramStart&) { return StartResult::FileNotFound; };
  std::string statusDuringPause;
  h.d.clock.duringPause = [&](auto) { statusDuringPause = h.ui.StatusBar1.text(); };
  h.d.boxes.answers = {MbAnswer::Ok, MbAnswer::No};
  EXPECT_TRUE(Load());
  EXPECT_EQ(statusDuringPause, "Loading WinAmp Has Failed!");
  EXPECT_THAT(h.d.clock.pauses, ElementsAre(2000ms));
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("ERROR LOADING WINAMP!", "Close Morvane?"));
  EXPECT_EQ(h.d.boxes.shown[0].title, "ERROR LOADING WINAMP!");
  EXPECT_EQ(h.d.boxes.shown[0].text, "WinAmp couldn't be activated!\rMorvane will now terminate!");
  EXPECT_EQ(h.d.boxes.shown[0].icon, MbIcon::Critical);
}

TEST_F(FormLoadTest, TheWindowMenuCloseItemIsGreyedAndCarriesNoCommand) {
  ASSERT_FALSE(Load());
  auto& windows = h.d.windows;
  EXPECT_EQ(windows.systemMenuIds[6], 0xFFFFFFF7u);
  EXPECT_EQ(windows.systemMenuCaptions[6], "&Close");
  EXPECT_TRUE(windows.systemMenuGrayed[6]);
  EXPECT_EQ(windows.systemMenuIds[0], 0xF120u) << "the other items stay as they were";
  EXPECT_FALSE(windows.systemMenuGrayed[4]);

  for (auto menu : {std::vector<std::uint32_t>{}, std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6}}) {
    MainFormHarness other;
    other.d.windows.systemMenuIds = menu;
    other.form.Form_Load();
    EXPECT_EQ(other.d.windows.systemMenuIds, menu) << "nothing to grey, nothing changed";
  }
}

}  // namespace
}  // namespace morv
