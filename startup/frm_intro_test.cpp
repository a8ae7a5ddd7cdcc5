// The first-start defaults and the hand-over to the main window.
#include "startup/frm_intro.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using fakes::RegOp;
using ::testing::ElementsAre;
using namespace std::chrono_literals;

class FrmIntroTest : public ::testing::Test {
 protected:
  bool Start() {
    return h.d.ends([this] { FrmIntro(h.d.desktop, h.form).Form_Load(); });
  }
  MainFormHarness h;
};

TEST_F(FrmIntroTest, TheFirstStartCreatesTheKeyAndBothOptionsAsNo) {
  h.d.registry = {};
  ASSERT_FALSE(Start());
  EXPECT_THAT(h.d.registry.writes(),
              ElementsAre("write HKLM SOFTWARE\\QUORVIX\\MORV StartInTray = No",
                          "write HKLM SOFTWARE\\QUORVIX\\MORV WinAmpOnStart = No"));
}

TEST_F(FrmIntroTest, LaterStartsKeepTheUsersChoices) {
  h.storeOption(settings::kStartInTray, "Yes");
  ASSERT_FALSE(Start());
  EXPECT_TRUE(h.d.registry.writes().empty());

  MainFormHarness half;
  half.d.registry = {};
  half.storeOption(settings::kStartInTray, "Yes");
  FrmIntro(half.d.desktop, half.form).Form_Load();
  EXPECT_THAT(half.d.registry.writes(),
              ElementsAre("write HKLM SOFTWARE\\QUORVIX\\MORV WinAmpOnStart = No"));
}

TEST_F(FrmIntroTest, AFailedFirstStartStepEndsTheProgramBeforeTheNext) {
  for (RegOp failing : {RegOp::Create, RegOp::Write}) {
    MainFormHarness first;
    first.d.registry = {};
    first.d.registry.fail(failing, Hive::LocalMachine, failing == RegOp::Write ? "StartInTray" : "",
                          RegStatus::Failed);
    EXPECT_TRUE(first.d.ends([&] { FrmIntro(first.d.desktop, first.form).Form_Load(); }));
    EXPECT_EQ(first.d.boxes.titles(), std::vector<std::string>{"ERROR!"});
    EXPECT_FALSE(first.d.registry.value(Hive::LocalMachine, settings::kKey, "WinAmpOnStart"))
        << "the step after the failed one is not tried";
    EXPECT_FALSE(first.ui.form.visible());
  }
}

TEST_F(FrmIntroTest, HandOverShowsTheWindowWithTheLoadsStatusText) {
  ASSERT_FALSE(Start());
  EXPECT_TRUE(h.ui.form.visible());
  EXPECT_EQ(h.ui.StatusBar1.text(), "") << "the design-time text is replaced even by nothing";
  EXPECT_EQ(h.ui.focus.owner, "cmdSet");
  for (bool enabled :
       {h.ui.cmdExit.enabled(), h.ui.cmdMin2Tray.enabled(), h.ui.cmdSet.enabled(),
        h.ui.mnuHelp.enabled(), h.ui.mnuSettings.enabled(), h.ui.MonthView.enabled()}) {
    EXPECT_TRUE(enabled);
  }
  EXPECT_FALSE(h.ui.cmdReset.enabled());
  EXPECT_THAT(h.d.clock.pauses, ElementsAre(1000ms, 1000ms)) << "the load's, then the settling";

  // The load's own status text gives way to the one it left for the hand-over, and
  // nothing can be pressed during the settling pause.
  MainFormHarness player;
  player.storeOption(settings::kWinAmpOnStart, "Yes");
  std::vector<bool> enabledWhileSettling;
  player.d.clock.duringPause = [&](auto) {
    auto& ui = player.ui;
    enabledWhileSettling = {ui.cmdExit.enabled(), ui.cmdMin2Tray.enabled(), ui.cmdSet.enabled(),
                            ui.mnuHelp.enabled(), ui.mnuSettings.enabled(), ui.MonthView.enabled()};
  };
  FrmIntro(player.d.desktop, player.form).Form_Load();
  EXPECT_THAT(enabledWhileSettling, ::testing::Each(false));
  EXPECT_EQ(player.ui.StatusBar1.text(), "") << "not \"WinAmp Activated!  Ready.\"";

  MainFormHarness saved;
  saved.storeOption(settings::kSettingsSaved, "Yes");
  saved.storeOption(settings::kDate, "12/24/2026");
  saved.storeOption(settings::kTime, "7:05 AM");
  FrmIntro(saved.d.desktop, saved.form).Form_Load();
  EXPECT_EQ(saved.ui.StatusBar1.text(),
            "Alarm Settings: OFF  Date: 12/24/2026 Time: 7:05 AM ALARM IS SET.");
}

}  // namespace
}  // namespace morv
