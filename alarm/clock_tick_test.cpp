// The one-second tick: the clock display, the player's presence, restarts and firing.
#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/main_form_harness.h"
#include "winamp/winamp_access.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

constexpr char kBanner[] =
    "!!!!! ALARM !!!!!! !!!!! ALARM !!!!!! !!!!! ALARM !!!!!! !!!!! ALARM !!!!!! "
    "!!!!! ALARM !!!!!! !!!!! ALARM !!!!!!";

class ClockTickTest : public ::testing::Test {
 protected:
  void SetUp() override { h.loadAt({{2026, 12, 6}, 7, 0, 0}); }
  void ArmFor(const std::string& typed) {
    h.enterAlarm({2026, 12, 6}, typed);
    h.form.cmdSet_Click();
  }
  fakes::FakePlayer& Player() { return h.d.players.all.back(); }

  MainFormHarness h;
};

TEST_F(ClockTickTest, ShowsTheTimeAndFollowsThePlayersPresence) {
  h.advance(1100ms);
  EXPECT_EQ(h.ui.txtTime.text(), "7:00:02 AM") << "the load paused a second first";
  EXPECT_EQ(h.form.alarm.ClockKey, "7:00 AM");
  EXPECT_FALSE(h.ui.mnuCloseWinAmp.enabled());

  auto& player = h.d.players.launch();
  h.advance(1s);
  EXPECT_TRUE(h.ui.mnuCloseWinAmp.enabled());
  EXPECT_EQ(WinampWindow, player.handle);
  EXPECT_THAT(player.heard, IsEmpty()) << "outside firing the tick sends the player nothing";
  h.d.players.closeByUser(player);
  h.advance(1s);
  EXPECT_FALSE(h.ui.mnuCloseWinAmp.enabled());
}

TEST_F(ClockTickTest, FiresOnceInTheAlarmMinute) {
  ArmFor("07:05");
  h.advanceTo({{2026, 12, 6}, 7, 4, 59, 500});
  EXPECT_THAT(Player().heard, IsEmpty());
  h.d.clock.pauses.clear();

  h.advance(1s);
  EXPECT_THAT(Player().heard, ElementsAre("isplaying", "play", "volume 255", "isplaying"));
  EXPECT_THAT(h.d.clock.pauses, ElementsAre(2000ms));
  EXPECT_EQ(h.form.alarm.FiredMark, "!");
  EXPECT_EQ(h.form.alarm.PlayingMark, "Playing");
  EXPECT_EQ(h.ui.cmdSet.caption(), "Snoo&ze");
  EXPECT_EQ(h.ui.mnuCloseWinAmp.caption(), "Snoo&ze");
  EXPECT_EQ(h.ui.StatusBar1.text(), kBanner);

  h.advance(2min);
  EXPECT_THAT(Player().heard, ElementsAre("isplaying", "play", "volume 255", "isplaying"));
  EXPECT_EQ(h.ui.StatusBar1.text(), kBanner) << "the banner stays until something rewrites it";

  h.form.cmdSet_Click();  // "Snoo&ze" takes the stop path
  EXPECT_THAT(Player().heard,
              ElementsAre("isplaying", "play", "volume 255", "isplaying", "volume 28", "quit"));
  EXPECT_EQ(h.ui.cmdSet.caption(), "Turn &On");
  EXPECT_EQ(h.form.alarm.FiredMark, "");
}

TEST_F(ClockTickTest, StoppedAndDisarmedInsideItsMinuteItDoesNotRingAgain) {
  ArmFor("07:05");
  h.advanceTo({{2026, 12, 6}, 7, 5, 1});
  h.form.cmdSet_Click();  // Snooze: stop
  h.form.cmdSet_Click();  // disarm: the clock runs again
  h.advance(20s);
  EXPECT_EQ(h.ui.StatusBar1.text(),
            "Alarm Settings: OFF  Date: 12/6/2026 Time: 7:05 AM ALARM IS SET");
  EXPECT_EQ(h.ui.cmdSet.caption(), "Turn &On");
  EXPECT_EQ(h.form.alarm.FiredMark, "");

  h.advanceTo({{2026, 12, 7}, 7, 5, 1});
  EXPECT_EQ(h.form.alarm.FiredMark, "") << "the alarm is for the 6th only";
}

TEST_F(ClockTickTest, APlayingPlayerIsLeftAloneAndAPausedOneIsPressed) {
  ArmFor("07:05");
  Player().state = 1;
  h.advanceTo({{2026, 12, 6}, 7, 6, 1});
  EXPECT_THAT(Player().heard, ::testing::Each("isplaying"));
  EXPECT_EQ(h.form.alarm.FiredMark, "") << "missed for today";

  MainFormHarness paused;
  paused.loadAt({{2026, 12, 6}, 7, 0, 0});
  paused.enterAlarm({2026, 12, 6}, "07:05");
  paused.form.cmdSet_Click();
  paused.d.players.all.back().state = 3;
  paused.advanceTo({{2026, 12, 6}, 7, 5, 30});
  EXPECT_THAT(paused.d.players.all.back().heard,
              ElementsAre("isplaying", "play", "volume 255", "isplaying"));
}

TEST_F(ClockTickTest, OnlyTheAlarmDayAndMinuteAreDue) {
  h.enterAlarm({2026, 12, 7}, "07:05");
  h.ui.MyTimer.setEnabled(true);
  h.advanceTo({{2026, 12, 6}, 7, 6, 0});
  EXPECT_EQ(h.form.alarm.FiredMark, "");
  h.advanceTo({{2026, 12, 6}, 19, 5, 30});
  EXPECT_EQ(h.form.alarm.FiredMark, "") << "7:05 PM is not 7:05 AM";
  h.advanceTo({{2026, 12, 7}, 7, 5, 1});
  EXPECT_EQ(h.form.alarm.FiredMark, "!");
}

TEST_F(ClockTickTest, ASetButUnarmedAlarmRingsWithoutAPlayer) {
  h.enterAlarm({2026, 12, 6}, "07:05");
  h.ui.MyTimer.setEnabled(true);
  h.advanceTo({{2026, 12, 6}, 7, 5, 1});
  EXPECT_EQ(h.ui.StatusBar1.text(), kBanner);
  EXPECT_EQ(h.ui.cmdSet.caption(), "Snoo&ze");
  EXPECT_TRUE(h.d.windows.messages.empty());

  h.form.cmdSet_Click();  // nothing armed: the press arms
  EXPECT_EQ(h.form.alarm.ArmedMark, "Set");
  EXPECT_EQ(h.d.processes.starts.size(), 1u);
  h.advanceTo({{2026, 12, 6}, 7, 5, 50});
  EXPECT_THAT(Player().heard, IsEmpty()) << "fired already: not again before a stop";
}

TEST_F(ClockTickTest, AVanishedPlayerIsStartedAgainWhileArmed) {
  ArmFor("07:05");
  h.advance(1s);
  h.d.players.closeByUser(Player());
  h.d.clock.pauses.clear();
  h.advance(1s);
  ASSERT_EQ(h.d.processes.starts.size(), 2u);
  EXPECT_EQ(h.d.processes.starts[1].style, WindowStyle::MinimizedFocus);
  EXPECT_EQ(h.form.alarm.PlayerHandle, std::to_string(Player().handle));
  EXPECT_FALSE(h.d.windows.window(Player().handle)->visible);
  EXPECT_THAT(h.d.clock.pauses, ElementsAre(2000ms));

  // A player that cannot be started again is tried each second, without the wait.
  h.d.players.closeByUser(Player());
  h.d.processes.onStart = [](const fakes::ProgramStart&) { return StartResult::FileNotFound; };
  h.d.clock.pauses.clear();
  h.advance(3s);
  EXPECT_EQ(h.form.alarm.PlayerHandle, "0");
  EXPECT_THAT(h.d.clock.pauses, IsEmpty());
}

// Wherever the timer was started, from the second tick on the clock turns just after the
// wall clock's second does, for good: the alarm's Play goes out at its minute's start.
TEST_F(ClockTickTest, TicksLandJustAfterEachSecondAndStayThere) {
  h.setTime({{2026, 12, 6}, 7, 0, 3, 637});
  h.ui.MyTimer.setEnabled(false);
  h.ui.MyTimer.setEnabled(true);
  std::vector<int> landed;
  for (int i = 0; i < 5; ++i) {
    h.advance(h.ui.MyTimer.nextDue - h.d.clock.steady);
    landed.push_back(h.d.clock.now().millisecond);
  }
  EXPECT_THAT(std::vector<int>(landed.begin() + 1, landed.end()), ::testing::Each(10));

  ArmFor("07:05");
  h.advanceTo({{2026, 12, 6}, 7, 5, 0, 200});
  const auto play = std::find(Player().heard.begin(), Player().heard.end(), "play");
  EXPECT_NE(play, Player().heard.end()) << "rang in the minute's first fifth of a second";
}

// The box a failing Play post shows runs a message loop, and the timer ticks inside it.
TEST_F(ClockTickTest, ATickThatComesWhileATickRunsIsDropped) {
  ArmFor("07:05");
  h.d.boxes.shown.clear();
  h.d.windows.window(Player().handle)->acceptsPosts = false;
  int ticksInsideTheBox = 0;
  h.d.boxes.whileOpen = [&](const MessageBoxRequest&) {
    if (ticksInsideTheBox++ == 0) h.form.MyTimer_Timer();
  };
  h.advanceTo({{2026, 12, 6}, 7, 5, 1});
  EXPECT_EQ(ticksInsideTheBox, 1);
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("MORV")) << "one failed post, one box";
  EXPECT_THAT(Player().heard, ElementsAre("isplaying", "volume 255", "isplaying"));
  EXPECT_EQ(h.ui.StatusBar1.text(), kBanner);
}

TEST_F(ClockTickTest, AHungPlayerDelaysTheRingByItsBoundsOnly) {
  ArmFor("07:05");
  h.d.windows.window(Player().handle)->hung = true;
  h.setTime({{2026, 12, 6}, 7, 5, 10});
  const auto start = h.d.clock.steady;
  h.form.MyTimer_Timer();
  EXPECT_EQ(h.ui.StatusBar1.text(), kBanner);
  EXPECT_EQ(h.d.clock.steady - start, 8s)
      << "2 s unanswered, 2 s pause, 2 s unanswered, 2 s unanswered whether it plays";
}

// The wall clock jumps (a user, daylight saving, a time sync); the alarm rings at most
// once, and never late.
TEST_F(ClockTickTest, AWallClockSetAcrossTheAlarmMinuteNeverRingsTwiceOrLate) {
  struct Case {
    const char* what;
    bool stopAfterRinging;
    LocalDateTime jumpFrom, jumpTo;
    int rings;
  };
  const Case cases[] = {
      {"forward over the minute", false, {{2026, 12, 6}, 7, 4, 30}, {{2026, 12, 6}, 7, 6, 0}, 0},
      {"back after ringing", false, {{2026, 12, 6}, 7, 5, 30}, {{2026, 12, 6}, 6, 5, 30}, 1},
      {"back after ringing and stopping",
       true,
       {{2026, 12, 6}, 7, 5, 30},
       {{2026, 12, 6}, 7, 4, 0},
       1},
      {"back a whole day", true, {{2026, 12, 6}, 7, 5, 30}, {{2026, 12, 5}, 7, 4, 0}, 1},
  };
  for (const Case& c : cases) {
    MainFormHarness t;
    t.loadAt({{2026, 12, 6}, 7, 0, 0});
    t.enterAlarm({2026, 12, 6}, "07:05");
    t.form.cmdSet_Click();
    t.advanceTo(c.jumpFrom);
    if (c.stopAfterRinging) {
      t.form.cmdSet_Click();  // Snooze: the stop path
      t.form.cmdSet_Click();  // disarmed; the clock runs again
    }
    t.setTime(c.jumpTo);
    t.advance(std::chrono::hours(26));
    int plays = 0;
    for (const auto& player : t.d.players.all) {
      plays += static_cast<int>(std::count(player.heard.begin(), player.heard.end(), "play"));
    }
    EXPECT_EQ(plays, c.rings) << c.what;
  }
}

TEST_F(ClockTickTest, NoRestartOnceTheAlarmIsStoppedOrDisarmed) {
  ArmFor("07:05");
  h.form.cmdSet_Click();  // stop: the player is closed on purpose
  h.ui.MyTimer.setEnabled(true);
  h.advance(3s);
  EXPECT_EQ(h.d.processes.starts.size(), 1u);
}

}  // namespace
}  // namespace morv
