// Never a silent alarm: Morvane's own sound when the player does not play, and the alarm
// that a late wake still rings.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using namespace std::chrono_literals;

constexpr char kNoPlayer[] =
    "Morvane: WinAmp is not running, so Morvane is ringing its own alarm sound.";
constexpr char kSilentPlayer[] =
    "Morvane: WinAmp is not playing, so Morvane is ringing its own alarm sound.";
constexpr char kMissed[] = "Alarm missed: 12/6/2026 7:05 AM passed while the computer was asleep.";

enum class Player { None, Plays, EmptyPlaylist, Hung, AlreadyPlaying };

// A set alarm for 7:05 today, the window in the tray where notifications show.
struct Bed {
  explicit Bed(Player kind = Player::None, bool armed = false) {
    h.loadAt({{2026, 12, 6}, 7, 0, 0});
    h.enterAlarm({2026, 12, 6}, "07:05");
    if (armed) h.form.cmdSet_Click();  // starts a player that plays on Play
    if (kind != Player::None && !armed) {
      auto& player = h.d.players.launch(kind == Player::AlreadyPlaying ? 1 : 0);
      player.emptyPlaylist = kind == Player::EmptyPlaylist;
      h.d.windows.window(player.handle)->hung = kind == Player::Hung;
    }
    h.form.cmdMin2Tray_Click();
  }
  MainFormHarness h;
};

TEST(AlarmSoundTest, RingsOnlyWhenThePlayerDoesNotPlay) {
  struct Case {
    const char* what;
    Player player;
    bool sound;
    std::vector<std::string> notes;
  };
  const Case cases[] = {
      {"no player window at the minute", Player::None, true, {kNoPlayer}},
      {"a player that ignores Play", Player::EmptyPlaylist, true, {kSilentPlayer}},
      {"a hung player", Player::Hung, true, {kSilentPlayer}},
      {"a player that plays on Play", Player::Plays, false, {}},
      {"a player already playing", Player::AlreadyPlaying, false, {}},
  };
  for (const Case& c : cases) {
    Bed bed(c.player);
    bed.h.advanceTo({{2026, 12, 6}, 7, 5, 30});
    EXPECT_EQ(bed.h.d.alarmSound.starts, c.sound ? 1 : 0) << c.what << ": started once";
    EXPECT_EQ(bed.h.ui.SysTray.notes, c.notes) << c.what;
    if (c.player != Player::AlreadyPlaying) {
      EXPECT_EQ(bed.h.ui.StatusBar1.text(), texts::kBanner) << c.what << ": the banner stays";
    }
  }
}

// Every way of stopping the alarm, and the sound's own end once it has rung its time.
TEST(AlarmSoundTest, EveryWayOfStoppingTheAlarmStopsTheSound) {
  struct Case {
    const char* what;
    std::function<void(MainFormHarness&)> stop;
  };
  const Case cases[] = {
      {"Snoo&ze on the button", [](MainFormHarness& h) { h.form.cmdSet_Click(); }},
      {"Snoo&ze in the tray menu", [](MainFormHarness& h) { h.form.mnuCloseWinAmp_Click(); }},
      {"Clear", [](MainFormHarness& h) { h.form.cmdReset_Click(); }},
      {"the close", [](MainFormHarness& h) { h.d.ends([&] { h.form.RequestClose(); }); }},
      {"fifteen minutes",
       [](MainFormHarness& h) {
         h.advanceTo({{2026, 12, 6}, 7, 20, 1});
         EXPECT_TRUE(h.d.alarmSound.playing) << "not before";
         h.advance(2s);
       }},
  };
  for (const Case& c : cases) {
    Bed bed;
    bed.h.advanceTo({{2026, 12, 6}, 7, 5, 30});
    ASSERT_TRUE(bed.h.d.alarmSound.playing) << c.what;
    ASSERT_TRUE(bed.h.ui.mnuCloseWinAmp.enabled()) << "Snoo&ze in the tray menu, with no player";
    c.stop(bed.h);
    EXPECT_FALSE(bed.h.d.alarmSound.playing) << c.what;
  }
}

// The computer sleeps until some minutes after the alarm's, then Windows tells of the wake
// twice; the timer's first tick may come before the news. A recently missed minute rings, an
// old one is told of, and a wake with no missed minute behind it changes nothing.
TEST(AlarmSoundTest, AWakeRingsARecentlyMissedMinuteAndTellsOfAnOldOne) {
  enum class After { Rings, Missed, Nothing };
  struct Case {
    int asleepAt;  // seconds after seven
    int wokeAt;    // minutes after seven
    bool tickFirst;
    After after;
  };
  const Case cases[] = {
      {290, 5, false, After::Rings},   {290, 6, false, After::Rings},
      {290, 6, true, After::Rings},    {290, 15, false, After::Rings},
      {290, 16, false, After::Missed}, {290, 16, true, After::Missed},
      {60, 3, false, After::Nothing},   // no sleep across the minute
      {330, 8, false, After::Nothing},  // the alarm had rung
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "row " << &c - cases);
    Bed bed(Player::Plays, true);
    bed.h.advanceTo({{2026, 12, 6}, 7, c.asleepAt / 60, c.asleepAt % 60});
    const std::string status = bed.h.ui.StatusBar1.text(), caption = bed.h.ui.cmdSet.caption();
    const auto& heard = bed.h.d.players.all.back().heard;
    const auto playsBefore = std::ranges::count(heard, "play");
    bed.h.setTime({{2026, 12, 6}, 7, c.wokeAt, 0});
    if (c.tickFirst) bed.h.advance(1s);
    bed.h.form.SystemResumed();
    bed.h.form.SystemResumed();
    const bool rings = c.after == After::Rings, missed = c.after == After::Missed;
    EXPECT_EQ(std::ranges::count(heard, "play") - playsBefore, rings ? 1 : 0);
    EXPECT_EQ(bed.h.ui.StatusBar1.text(), rings ? texts::kBanner : missed ? kMissed : status);
    EXPECT_EQ(bed.h.ui.SysTray.notes.size(), missed ? 1u : 0u);
    EXPECT_EQ(bed.h.ui.cmdSet.caption(), missed ? "Turn &Off" : rings ? "Snoo&ze" : caption);
  }
}

}  // namespace
}  // namespace morv
