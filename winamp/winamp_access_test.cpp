// The player's window-message protocol against fake player windows.
#include "winamp/winamp_access.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/fake_desktop.h"

namespace morv {
namespace {

using fakes::FakeDesktop;
using ::testing::ElementsAre;
using namespace std::chrono_literals;

constexpr char kClass[] = "Winamp v1.x";

class WinampAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WinampWindow = 0;
    WinampLastReply = 0;
  }
  std::chrono::milliseconds Elapsed(std::chrono::milliseconds since) const {
    return d.clock.steady - since;
  }
  FakeDesktop d;
};

TEST_F(WinampAccessTest, PlayingStateIsTheRepliesUnchangedOrZeroWithoutAPlayer) {
  EXPECT_EQ(WinampIsPlaying(d.desktop, kClass), 0);
  EXPECT_EQ(WinampWindow, 0u);

  auto& player = d.players.launch(3);
  EXPECT_EQ(WinampIsPlaying(d.desktop, kClass), 3);
  EXPECT_EQ(WinampWindow, player.handle);
  player.state = 1;
  EXPECT_EQ(WinampIsPlaying(d.desktop, kClass), 1);
  ASSERT_FALSE(d.windows.messages.empty());
  const auto& asked = d.windows.messages.back();
  EXPECT_EQ(asked.message, 1024u);
  EXPECT_EQ(asked.wParam, 0u);
  EXPECT_EQ(asked.lParam, 104);
}

TEST_F(WinampAccessTest, VolumeReachesThePlayerAndIsForgottenWithoutOne) {
  WinampLastReply = 77;
  WinampSetVolume(d.desktop, 255, kClass);
  EXPECT_EQ(WinampLastReply, 77) << "no player: the last reply stays";
  EXPECT_EQ(WinampWindow, 0u);

  auto& player = d.players.launch();
  WinampSetVolume(d.desktop, 28, kClass);
  EXPECT_EQ(player.volume, 28);
  const auto& sent = d.windows.messages.back();
  EXPECT_EQ(sent.message, 1024u);
  EXPECT_EQ(sent.wParam, 28u);
  EXPECT_EQ(sent.lParam, 122);
  EXPECT_EQ(WinampLastReply, 0);
}

TEST_F(WinampAccessTest, CloseQuitsEveryPlayerWindow) {
  auto& first = d.players.launch();
  auto& second = d.players.launch();
  WinampClose(d.desktop, kClass);
  EXPECT_EQ(d.windows.count(kClass), 0);
  EXPECT_THAT(first.heard, ElementsAre("quit"));
  EXPECT_THAT(second.heard, ElementsAre("quit"));
  EXPECT_EQ(WinampWindow, 0u);

  const auto before = d.clock.steady;
  WinampClose(d.desktop, kClass);
  EXPECT_EQ(d.clock.steady, before) << "nothing to close: back at once";
}

// Every wait is measured on the monotonic clock: a wall clock set back an hour in the
// middle (daylight saving, a time sync) must not stretch it by an hour.
TEST_F(WinampAccessTest, APlayerThatWillNotQuitIsGivenUpAfterFiveSecondsWhateverTheWallClockDoes) {
  auto& stubborn = d.players.launch();
  stubborn.ignoreQuit = true;
  d.windows.window(stubborn.handle)->onMessage =
      [&, reply = d.windows.window(stubborn.handle)->onMessage](auto m, auto w, auto l) {
        d.clock.time -= std::chrono::hours(1);
        return reply(m, w, l);
      };
  const auto start = d.clock.steady;
  WinampClose(d.desktop, kClass);
  EXPECT_GE(Elapsed(start), 5s);
  EXPECT_LT(Elapsed(start), 5100ms);
  EXPECT_GT(stubborn.heard.size(), 10u) << "asked again and again, with pauses between";

  d.windows.window(stubborn.handle)->hung = true;
  const auto hungStart = d.clock.steady;
  WinampClose(d.desktop, kClass);
  EXPECT_LE(Elapsed(hungStart), 5100ms) << "the last round ends with the bound";
}

TEST_F(WinampAccessTest, AHungPlayerCountsAsAnsweringZero) {
  auto& player = d.players.launch(1);
  d.windows.window(player.handle)->hung = true;
  WinampLastReply = 77;
  EXPECT_EQ(WinampIsPlaying(d.desktop, kClass), 0);
  WinampSetVolume(d.desktop, 255, kClass);
  EXPECT_EQ(WinampLastReply, 0);
  WinampLastReply = 77;
  WinampSendCommand(d.desktop, 40045);
  EXPECT_EQ(WinampLastReply, 0);
  EXPECT_EQ(d.clock.steady, 6s) << "each question waited its two seconds, no more";
}

TEST_F(WinampAccessTest, PlayIsPostedOnceOrSent) {
  auto& player = d.players.launch();
  WinampPlay(d.desktop, kClass, true);
  ASSERT_EQ(d.windows.messages.size(), 1u);
  EXPECT_TRUE(d.windows.messages[0].posted);
  EXPECT_EQ(d.windows.messages[0].message, 273u);
  EXPECT_EQ(d.windows.messages[0].wParam, 40045u);
  EXPECT_EQ(WinampLastReply, 1);
  EXPECT_TRUE(d.boxes.shown.empty());

  WinampPlay(d.desktop, kClass, false);
  EXPECT_FALSE(d.windows.messages.back().posted);
  EXPECT_THAT(player.heard, ElementsAre("play", "play"));
}

TEST_F(WinampAccessTest, APostThatCannotBeQueuedIsRetriedForFiveSecondsThenReported) {
  auto& player = d.players.launch();
  WinampWindow = player.handle;
  d.players.closeByUser(player);  // the handle is stale now

  d.clock.duringPause = [&](auto) { d.clock.time -= 1s; };  // the wall clock runs backwards
  const auto start = d.clock.steady;
  WinampPostCommand(d.desktop, 40045);
  EXPECT_GT(Elapsed(start), 5s);
  EXPECT_LT(Elapsed(start), 5100ms);
  EXPECT_GT(d.clock.pauses.size(), 100u) << "short pauses between attempts, not a spin";
  ASSERT_EQ(d.boxes.shown.size(), 1u);
  EXPECT_EQ(d.boxes.shown[0].title, "MORV");
  EXPECT_EQ(d.boxes.shown[0].text, "Couldn't queue message for 5 seconds: 40045");
  EXPECT_EQ(d.boxes.shown[0].icon, MbIcon::None);
  EXPECT_EQ(d.boxes.shown[0].buttons, MbButtons::Ok);
  EXPECT_EQ(WinampLastReply, 0);
}

}  // namespace
}  // namespace morv
