// The user's own commands to the player: start it, close it (or snooze), load it on start;
// and the window-message protocol beneath them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::LoadedHarness;
using fakes::RegOp;
using ::testing::ElementsAre;
using namespace std::chrono_literals;

constexpr char kClass[] = "Winamp v1.x";

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

class WinampAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WinampWindow = 0;
    WinampLastReply = 0;
  }
  fakes::FakeDesktop d;
};

// A player that will not quit is given up after five seconds, counted on the monotonic
// clock: a wall clock set back in the middle (daylight saving, a time sync) must not
// stretch the wait, nor may a hung player's bounded replies.
TEST_F(WinampAccessTest, CloseQuitsEveryPlayerAndGivesUpOnAStubbornOneAfterFiveSeconds) {
  auto& first = d.players.launch();
  auto& stubborn = d.players.launch();
  stubborn.ignoreQuit = true;
  d.windows.window(stubborn.handle)->hung = true;
  d.clock.duringPause = [&](auto) { d.clock.time -= std::chrono::hours(1); };
  WinampClose(d.desktop, kClass);
  EXPECT_THAT(first.heard, ElementsAre("quit"));
  EXPECT_EQ(d.windows.count(kClass), 1);
  EXPECT_GE(d.clock.steady, 5s);
  EXPECT_LT(d.clock.steady, 5100ms);
}

TEST_F(WinampAccessTest, APostThatCannotBeQueuedIsRetriedForFiveSecondsThenReported) {
  auto& player = d.players.launch();
  WinampWindow = player.handle;
  d.players.closeByUser(player);  // the handle is stale now
  d.clock.duringPause = [&](auto) { d.clock.time -= 1s; };
  WinampPostCommand(d.desktop, 40045);
  EXPECT_GT(d.clock.steady, 5s);
  EXPECT_LT(d.clock.steady, 5100ms);
  EXPECT_GT(d.clock.pauses.size(), 100u) << "short pauses between attempts, not a spin";
  ASSERT_THAT(d.boxes.titles(), ElementsAre("MORV"));
  EXPECT_EQ(d.boxes.shown[0].text, "Couldn't queue message for 5 seconds: 40045");
  EXPECT_EQ(WinampLastReply, 0);
}

}  // namespace
}  // namespace morv
