// The user's own commands to the player: start it, close it (or snooze), load it on start.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::LoadedHarness;
using fakes::RegOp;
using ::testing::ElementsAre;

class WinampCommandsTest : public ::testing::Test {
 protected:
  LoadedHarness h;
};

TEST_F(WinampCommandsTest, StartShowsARunningPlayerOrStartsOneOrEndsTheProgram) {
  auto& running = h.d.players.launch();
  h.form.mnuStartWinAmp_Click();
  EXPECT_TRUE(h.d.processes.starts.empty());
  EXPECT_THAT(h.d.windows.shows, ElementsAre(std::pair{running.handle, ShowCommand::ShowDefault}));
  h.d.players.closeByUser(running);

  h.form.mnuStartWinAmp_Click();
  ASSERT_EQ(h.d.processes.starts.size(), 1u);
  EXPECT_EQ(h.d.processes.starts[0].style, WindowStyle::NormalFocus);

  h.d.windows.remove(h.d.players.all.back().handle);
  h.d.processes.onStart = [](const fakes::ProgramStart&) { return StartResult::FileNotFound; };
  EXPECT_TRUE(h.d.ends([&] { h.form.mnuStartWinAmp_Click(); }));
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("Fatal Error!")) << "no close questions";
}

TEST_F(WinampCommandsTest, SnoozeAnsweredNoStillEndsThePlayingStateButLeavesTheMusic) {
  h.armAlarm({2026, 12, 6}, "07:05");
  h.advanceTo({{2026, 12, 6}, 7, 5, 1});
  ASSERT_EQ(h.ui.mnuCloseWinAmp.caption(), "Snoo&ze");
  h.d.boxes.shown.clear();
  h.d.boxes.answers = {MbAnswer::No};
  h.form.mnuCloseWinAmp_Click();
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("Close WinAmp?"));
  EXPECT_EQ(h.ui.mnuCloseWinAmp.caption(), "Clos&e WinAmp");
  EXPECT_EQ(h.form.alarm.PlayingMark, "");
  EXPECT_EQ(h.form.alarm.PlayerHandle, "");
  EXPECT_EQ(h.ui.StatusBar1.text(),
            "Alarm Settings: OFF  Date: 12/6/2026 Time: 7:05 AM ALARM IS SET");
  EXPECT_EQ(h.d.windows.count("Winamp v1.x"), 1) << "the music goes on";
  EXPECT_EQ(h.ui.cmdSet.caption(), "Snoo&ze") << "the arm button is not this command's";

  h.form.mnuCloseWinAmp_Click();  // default answer Yes
  EXPECT_EQ(h.d.windows.count("Winamp v1.x"), 0);
}

TEST_F(WinampCommandsTest, LoadOnStartTogglesAndAFailedWriteAsksToClose) {
  h.form.mnuLoadWinAmpOnStart_Click();
  h.form.mnuLoadWinAmpOnStart_Click();
  EXPECT_FALSE(h.ui.mnuLoadWinAmpOnStart.checked());
  EXPECT_THAT(h.d.registry.writes(),
              ElementsAre("write HKLM SOFTWARE\\QUORVIX\\MORV WinAmpOnStart = Yes",
                          "write HKLM SOFTWARE\\QUORVIX\\MORV WinAmpOnStart = No"));

  h.d.registry.fail(RegOp::Write, Hive::LocalMachine, "", RegStatus::Failed);
  h.d.boxes.answers = {MbAnswer::Ok, MbAnswer::No};
  EXPECT_FALSE(h.d.ends([&] { h.form.mnuLoadWinAmpOnStart_Click(); }));
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("ERROR!", "Close Morvane?"));
  EXPECT_TRUE(h.ui.mnuLoadWinAmpOnStart.checked()) << "the mark keeps its new state";
}

}  // namespace
}  // namespace morv
