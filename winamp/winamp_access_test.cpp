// The player's window-message protocol against fake player windows.
#include "winamp/winamp_access.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/fake_desktop.h"

namespace morv {
namespace {

using ::testing::ElementsAre;
using namespace std::chrono_literals;

constexpr char kClass[] = "Winamp v1.x";

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
