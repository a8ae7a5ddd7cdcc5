// The start-up: the guard, the player check, the first-start defaults, the splash and
// the hand-over to the main window.
#include "startup/frm_intro.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/intro_harness.h"

namespace morv {
namespace {

using fakes::IntroHarness;
using fakes::RegOp;
using ::testing::ElementsAre;
using namespace std::chrono_literals;

class FrmIntroTest : public ::testing::Test {
 protected:
  IntroHarness h;
};

TEST_F(FrmIntroTest, ASecondStartEndsWithoutAWindowABoxOrTheRegistry) {
  h.d.windows.add("ThunderRT6Main", "MORV").process = 7;
  auto& firstMain = h.d.windows.add("MorvaneMainWindow", "Morvane(tm)  1.44");
  firstMain.process = 7;
  h.d.registry.calls.clear();
  EXPECT_TRUE(h.Start());
  EXPECT_TRUE(h.d.registry.calls.empty());
  EXPECT_TRUE(h.d.boxes.shown.empty());
  EXPECT_FALSE(h.splash.visible());
  ASSERT_FALSE(h.d.windows.messages.empty());
  EXPECT_EQ(h.d.windows.messages.back().to, firstMain.handle) << "told to come forward";
}

TEST_F(FrmIntroTest, APlayerJudgedMissingEndsTheStartAfterFourBoxes) {
  h.d.files.folders = {"c:\\Program Files\\Winamp"};
  h.d.registry.setString(Hive::ClassesRoot, ".MP3", "Winamp_Back", "mp3file");
  h.d.registry.calls.clear();
  EXPECT_TRUE(h.Start());
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("WinAmp Is Not Installed!", "Morvane\u2122",
                                              "Making WinAmp The Default Media Player", "ERROR!"));
  std::vector<MbIcon> icons;
  for (const auto& box : h.d.boxes.shown) icons.push_back(box.icon);
  EXPECT_THAT(icons, ElementsAre(MbIcon::Critical, MbIcon::Information, MbIcon::Information,
                                 MbIcon::Critical));
  EXPECT_EQ(h.d.boxes.shown[1].text,
            "If WinAmp is in fact installed on your machine,\r\nit must be the Default Media "
            "Player,\r\nIn Order For Morvane\u2122 To Detect It!");
  EXPECT_TRUE(h.d.registry.writes().empty());
  EXPECT_FALSE(h.splash.visible());
}

TEST_F(FrmIntroTest, TheFirstStartCreatesTheKeyAndBothOptionsAsNo) {
  h.d.registry = {};
  ASSERT_FALSE(h.Start());
  EXPECT_THAT(h.d.registry.writes(),
              ElementsAre("write HKLM SOFTWARE\\QUORVIX\\MORV StartInTray = No",
                          "write HKLM SOFTWARE\\QUORVIX\\MORV WinAmpOnStart = No"));
}

TEST_F(FrmIntroTest, LaterStartsKeepTheUsersChoices) {
  h.storeOption(settings::kStartInTray, "Yes");
  ASSERT_FALSE(h.Start());
  EXPECT_TRUE(h.d.registry.writes().empty());

  IntroHarness half;
  half.d.registry = {};
  half.storeOption(settings::kStartInTray, "Yes");
  ASSERT_FALSE(half.Start());
  EXPECT_THAT(half.d.registry.writes(),
              ElementsAre("write HKLM SOFTWARE\\QUORVIX\\MORV WinAmpOnStart = No"));
}

TEST_F(FrmIntroTest, AFailedFirstStartStepEndsTheProgramBeforeTheNext) {
  for (RegOp failing : {RegOp::Create, RegOp::Write}) {
    IntroHarness first;
    first.d.registry = {};
    first.d.registry.fail(failing, Hive::LocalMachine, failing == RegOp::Write ? "StartInTray" : "",
                          RegStatus::Failed);
    EXPECT_TRUE(first.Start());
    EXPECT_EQ(first.d.boxes.titles(), std::vector<std::string>{"ERROR!"});
    EXPECT_FALSE(first.d.registry.value(Hive::LocalMachine, settings::kKey, "WinAmpOnStart"))
        << "the step after the failed one is not tried";
    EXPECT_FALSE(first.ui.form.visible());
  }
}

// Sixteen quick steps, four slow ones: about 6.8 seconds, the splash shown from the first.
TEST_F(FrmIntroTest, TheSplashBarPassesEveryValueAndSlowsDownAfterSixteen) {
  std::vector<std::pair<int, std::chrono::milliseconds>> steps;
  auto last = h.d.clock.steady;
  h.d.program.onWaitForEvents = [this, &steps, &last, tick = h.d.program.onWaitForEvents] {
    tick();
    steps.emplace_back(h.bar.value(), h.d.clock.steady - last);
    last = h.d.clock.steady;
    EXPECT_TRUE(h.splash.visible());
    EXPECT_FALSE(h.ui.form.visible());
  };
  ASSERT_FALSE(h.Start());
  ASSERT_EQ(steps.size(), 20u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(steps[i].first, i + 1);
    EXPECT_EQ(steps[i].second, i < 16 ? 100ms : 1300ms) << "step " << i + 1;
  }
  EXPECT_EQ(h.bar.maximum(), 20);
  EXPECT_FALSE(h.timer.enabled()) << "stopped once the bar is full";
}

TEST_F(FrmIntroTest, TheHandOverShowsNothingWhileSettlingThenTheWindowWithTheLoadsText) {
  h.storeOption(settings::kWinAmpOnStart, "Yes");
  std::vector<std::vector<bool>> whilePaused;  // splash shown, main shown, six items enabled
  h.d.clock.duringPause = [&](auto) {
    auto& ui = h.ui;
    whilePaused.push_back({h.splash.visible(), ui.form.visible(), ui.cmdExit.enabled(),
                           ui.cmdMin2Tray.enabled(), ui.cmdSet.enabled(), ui.mnuHelp.enabled(),
                           ui.mnuSettings.enabled(), ui.MonthView.enabled()});
  };
  ASSERT_FALSE(h.Start());
  ASSERT_EQ(whilePaused.size(), 2u) << "the load's pause, then the settling one";
  EXPECT_THAT(whilePaused[1], ::testing::Each(false));
  EXPECT_TRUE(h.ui.form.visible());
  EXPECT_FALSE(h.splash.visible());
  EXPECT_EQ(h.ui.StatusBar1.text(), "") << "not \"WinAmp Activated!  Ready.\"";
  EXPECT_EQ(h.ui.focus.owner, "cmdSet");
  for (bool enabled :
       {h.ui.cmdExit.enabled(), h.ui.cmdMin2Tray.enabled(), h.ui.cmdSet.enabled(),
        h.ui.mnuHelp.enabled(), h.ui.mnuSettings.enabled(), h.ui.MonthView.enabled()}) {
    EXPECT_TRUE(enabled);
  }
  EXPECT_FALSE(h.ui.cmdReset.enabled());

  IntroHarness saved;
  saved.storeOption(settings::kSettingsSaved, "Yes");
  saved.storeOption(settings::kDate, "12/24/2026");
  saved.storeOption(settings::kTime, "7:05 AM");
  ASSERT_FALSE(saved.Start());
  EXPECT_EQ(saved.ui.StatusBar1.text(),
            "Alarm Settings: OFF  Date: 12/24/2026 Time: 7:05 AM ALARM IS SET.");
}

}  // namespace
}  // namespace morv
