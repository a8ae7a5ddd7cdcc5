// What the main window's load makes of the stored settings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using fakes::RegOp;
using ::testing::ElementsAre;

// A saved alarm comes back unarmed, and only whole and under a flag beginning with "Yes";
// it takes the start-in-tray option away until Clear. The option's check mark shows what
// is stored, alarm or none. A load only reads, and shows today.
TEST(FormLoadTest, ASavedAlarmComesBackUnarmed) {
  struct Case {
    const char *saved, *time, *startInTray;
    bool restored;
  } const cases[] = {
      {"Yes", "7:05 AM", "No", true},
      {"Yesss", "7:05 AM", "Yes", true},
      {"No", "7:05 AM", "Yes", false},
      {"Yes", nullptr, "No", false},
  };
  for (const Case& c : cases) {
    MainFormHarness h;
    h.storeOption(settings::kSettingsSaved, c.saved);
    h.storeOption(settings::kDate, "12/24/2026");
    if (c.time) h.storeOption(settings::kTime, c.time);
    h.storeOption(settings::kStartInTray, c.startInTray);
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

TEST(FormLoadTest, PlayerOnStartIsStartedMinimisedWithoutFocus) {
  MainFormHarness h;
  h.storeOption(settings::kWinAmpOnStart, "Yes");
  ASSERT_FALSE(h.d.ends([&] { h.form.Form_Load(); }));
  ASSERT_EQ(h.d.processes.starts.size(), 1u);
  EXPECT_EQ(h.d.processes.starts[0].style, WindowStyle::MinimizedNoFocus);
  EXPECT_EQ(h.ui.StatusBar1.text(), "WinAmp Activated!  Ready.");
  EXPECT_TRUE(h.ui.mnuLoadWinAmpOnStart.checked());
}

}  // namespace
}  // namespace morv
