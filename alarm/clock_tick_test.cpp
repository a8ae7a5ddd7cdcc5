// The one-second tick: a vanished player started again, a player that cannot be reached,
// and an alarm firing once whatever the wall clock does.
#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace std::chrono_literals;
using fakes::At;

class ClockTickTest : public ::testing::Test {
 protected:
  void SetUp() override { h.loadAt(At(6, 7, 0)); }
  fakes::FakePlayer& Player() { return h.d.players.all.back(); }

  fakes::MainFormHarness h;
};

// The handle is kept as text and read back digit by digit; 90909 has every digit's edge.
TEST_F(ClockTickTest, AVanishedPlayerIsStartedAgainHiddenWhileArmed) {
  h.armAlarm({2026, 12, 6}, "07:05");
  h.d.players.closeByUser(Player());
  h.d.windows.nextHandle = 90909;
  h.d.clock.pauses.clear();
  h.advance(1s);
  ASSERT_EQ(h.d.processes.starts.size(), 2u);
  EXPECT_EQ(h.d.processes.starts[1].style, WindowStyle::MinimizedFocus);
  EXPECT_FALSE(h.d.windows.window(Player().handle)->visible);
  EXPECT_THAT(h.d.clock.pauses, ElementsAre(2000ms));

  // One that cannot be started again is tried each second, without the wait.
  h.d.players.closeByUser(Player());
  h.d.processes.onStart = [](const fakes::ProgramStart&) { return StartResult::FileNotFound; };
  h.d.clock.pauses.clear();
  h.advance(3s);
  const auto tried = h.d.processes.starts.size();
  EXPECT_GE(tried, 4u);
  EXPECT_THAT(h.d.clock.pauses, IsEmpty());

  // One slower than the look right after its start is hidden once its window is there.
  h.d.processes.onStart = [&](const fakes::ProgramStart&) {
    h.d.clock.duringPause = [&](std::chrono::milliseconds) {
      h.d.players.launch();
      h.d.clock.duringPause = nullptr;
    };
    return StartResult::Started;
  };
  h.advance(1s);
  EXPECT_FALSE(h.d.windows.window(Player().handle)->visible);

  h.d.players.closeByUser(Player());
  h.form.cmdSet_Click();  // stop: the player is gone on purpose now
  h.ui.MyTimer.setEnabled(true);
  const auto before = h.d.processes.starts.size();
  h.advance(3s);
  EXPECT_EQ(h.d.processes.starts.size(), before);
}

// Play that cannot be queued ends in a box, which waits for a user who may be asleep: the
// alarm rings before it. The box runs a message loop in which the timer ticks again; that
// tick is dropped, or it could ring a second time.
TEST_F(ClockTickTest, APlayThatCannotBeQueuedRingsBeforeItsBox) {
  h.armAlarm({2026, 12, 6}, "07:05");
  h.d.boxes.shown.clear();
  h.d.windows.window(Player().handle)->acceptsPosts = false;
  bool ringingUnderTheBox = false;
  h.d.boxes.whileOpen = [&](const MessageBoxRequest&) {
    ringingUnderTheBox = h.d.alarmSound.playing && h.ui.StatusBar1.text() == texts::kBanner;
    h.form.MyTimer_Timer();
  };
  h.advanceTo(At(6, 7, 5, 1));
  EXPECT_TRUE(ringingUnderTheBox);
  EXPECT_THAT(h.d.boxes.titles(), ElementsAre("MORV")) << "one failed post, one box";
  EXPECT_THAT(Player().heard, ElementsAre("isplaying", "volume 255"));
  EXPECT_EQ(h.d.alarmSound.starts, 1);
}

TEST_F(ClockTickTest, AHungPlayerDelaysTheRingByItsBoundsOnly) {
  h.armAlarm({2026, 12, 6}, "07:05");
  h.d.windows.window(Player().handle)->hung = true;
  h.setTime(At(6, 7, 5, 10));
  const auto start = h.d.clock.steady;
  h.form.MyTimer_Timer();
  EXPECT_EQ(h.ui.StatusBar1.text(), texts::kBanner);
  EXPECT_EQ(h.d.clock.steady - start, 8s)
      << "2 s unanswered, 2 s pause, 2 s unanswered, 2 s unanswered whether it plays";
}

// Stopped in its minute, or the wall clock jumping (a user, daylight saving, a time
// sync): the alarm rings once, on its own day only, late only by the jump. A player
// already playing is left alone; a paused one is pressed.
TEST_F(ClockTickTest, AnAlarmRingsAtMostOnceWhateverTheWallClockDoes) {
  struct Case {
    const char* what;
    bool stopAfterRinging;
    LocalDateTime jumpFrom, jumpTo;
    int rings, playerState = 0, stateAfterJump = -1;
  } const cases[] = {
      {"the player playing", false, At(6, 7, 4), At(6, 7, 4), 0, 1},
      {"the player playing, silent after", false, At(6, 7, 5, 59, 500), At(6, 7, 5, 59, 500), 0, 1,
       0},
      {"the player paused", false, At(6, 7, 4), At(6, 7, 4), 1, 3},
      {"forward over the minute", false, At(6, 7, 4, 30), At(6, 7, 6), 1},
      {"forward over it by hours", false, At(6, 7, 4, 30), At(6, 9, 0), 0},
      {"stopped in its minute", true, At(6, 7, 5, 1), At(6, 7, 5, 1), 1},
      {"back after ringing", false, At(6, 7, 5, 30), At(6, 6, 5, 30), 1},
  };
  for (const Case& c : cases) {
    fakes::MainFormHarness t;
    t.loadAt(At(6, 7, 0));
    t.armAlarm({2026, 12, 6}, "07:05");
    t.d.players.all.back().state = c.playerState;
    t.advanceTo(c.jumpFrom);
    if (c.stateAfterJump >= 0) t.d.players.all.back().state = c.stateAfterJump;
    if (c.stopAfterRinging) {
      t.form.cmdSet_Click();  // Snooze: the stop path
      t.form.cmdSet_Click();  // disarmed; the clock runs again
    }
    t.setTime(c.jumpTo);
    t.advance(std::chrono::hours(26));
    EXPECT_EQ(std::ranges::count(t.d.players.all.front().heard, "play"), c.rings) << c.what;
  }
}

}  // namespace
}  // namespace morv
