// Never a silent alarm: Morvane's own sound when the player does not play, a ring that
// ends on time whatever stops the clock, and the minute a sleeping computer skipped.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "alarm/repeat_days.h"
#include "mainwindow/form_events.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::At;
using fakes::MainFormHarness;
using namespace std::chrono_literals;

constexpr char kNoPlayer[] =
    "Morvane: WinAmp is not running, so Morvane is ringing its own alarm sound.";
constexpr char kSilentPlayer[] =
    "Morvane: WinAmp is not playing, so Morvane is ringing its own alarm sound.";
constexpr char kMissed[] = "Alarm missed: 12/6/2026 7:05 AM passed while the computer was asleep.";

enum class Player { None, Plays, EmptyPlaylist, StaysPaused, Hung, AlreadyPlaying, StartsLate };

// A set alarm for 7:05 today, the window in the tray where notifications show.
struct Bed {
  explicit Bed(Player kind = Player::None, bool armed = false) {
    h.events = &events;
    h.loadAt(At(6, 7, 0));
    h.enterAlarm({2026, 12, 6}, "07:05");
    if (armed) h.form.cmdSet_Click();  // starts a player that plays on Play
    if (kind != Player::None && !armed) {
      auto& player = h.d.players.launch(kind == Player::AlreadyPlaying ? 1
                                        : kind == Player::StaysPaused  ? 3
                                                                       : 0);
      player.emptyPlaylist = kind == Player::EmptyPlaylist || kind == Player::StaysPaused ||
                             kind == Player::StartsLate;
      h.d.windows.window(player.handle)->hung = kind == Player::Hung;
    }
    h.form.cmdMin2Tray_Click();
  }
  MainFormHarness h;
  FormEvents events{h.desktop, h.form, h.modality, {}};
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
      {"a player still paused after Play", Player::StaysPaused, true, {kSilentPlayer}},
      {"a hung player", Player::Hung, true, {kSilentPlayer}},
      {"a player that plays on Play", Player::Plays, false, {}},
      {"a player already playing", Player::AlreadyPlaying, false, {}},
      {"a player that starts late takes over", Player::StartsLate, true, {kSilentPlayer}},
  };
  for (const Case& c : cases) {
    Bed bed(c.player);
    bed.h.advanceTo(At(6, 7, 4, 59));
    bed.h.d.clock.pauses.clear();
    bed.h.advanceTo(At(6, 7, 5, 25));
    if (c.player == Player::StartsLate) bed.h.d.players.all.back().state = 1;
    bed.h.advanceTo(At(6, 7, 5, 30));
    EXPECT_EQ(bed.h.d.alarmSound.starts, c.sound ? 1 : 0) << c.what << ": started once";
    EXPECT_EQ(bed.h.d.alarmSound.playing, c.sound && c.player != Player::StartsLate) << c.what;
    EXPECT_EQ(bed.h.ui.SysTray.notes, c.notes) << c.what;
    if (c.player != Player::AlreadyPlaying) {
      EXPECT_EQ(bed.h.ui.StatusBar1.text(), texts::kBanner) << c.what << ": the banner stays";
    }
    if (c.player == Player::None) {
      EXPECT_TRUE(bed.h.d.clock.pauses.empty()) << "nothing to wait for without a player";
    }
  }
}

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
  };
  for (const Case& c : cases) {
    Bed bed;
    bed.h.advanceTo(At(6, 7, 5, 30));
    ASSERT_TRUE(bed.h.d.alarmSound.playing) << c.what;
    ASSERT_TRUE(bed.h.ui.mnuCloseWinAmp.enabled()) << "Snoo&ze in the tray menu, with no player";
    c.stop(bed.h);
    EXPECT_FALSE(bed.h.d.alarmSound.playing) << c.what;
    EXPECT_FALSE(bed.h.ui.RingTimer.enabled()) << c.what;
  }
}

// Nobody answers, and the About box stands the clock still meanwhile: the ring ends fifteen
// minutes after it began all the same. A one-off alarm goes on showing as rung; a
// repeating one goes on to its next morning, the player left as it was.
TEST(AlarmSoundTest, ARingNobodyAnswersEndsOnTimeEvenUnderABox) {
  for (const bool repeats : {false, true}) {
    MainFormHarness h;
    h.armRepeating({2026, 12, 6}, repeats ? kEveryDay : Weekdays{}, "07:05");
    h.d.players.all.back().emptyPlaylist = true;
    h.advanceTo(At(6, 7, 5, 30));
    ASSERT_TRUE(h.d.alarmSound.playing);
    bool endedUnderTheBox = false;
    h.d.boxes.whileOpen = [&](const MessageBoxRequest&) {
      h.advanceTo(At(6, 7, 19, 59));
      const bool before = h.d.alarmSound.playing;
      h.advanceTo(At(6, 7, 20, 1));
      endedUnderTheBox = before && !h.d.alarmSound.playing;
      h.d.boxes.whileOpen = nullptr;
    };
    h.form.mnuAbout_Click();
    EXPECT_TRUE(endedUnderTheBox) << repeats;
    EXPECT_EQ(h.d.windows.count("Winamp v1.x"), 1) << "the player is left as it is";
    EXPECT_EQ(h.ui.StatusBar1.text(),
              repeats ? texts::Armed("12/7/2026", "7:05 AM") : texts::kBanner);
    EXPECT_EQ(h.ui.cmdSet.caption(), repeats ? texts::kTurnOff : texts::kSnooze);
  }
}

// The computer sleeps from some seconds before the alarm's minute until some minutes after
// it. Whether Windows tells of the wake, tells twice, tells while a box stands the clock
// still, or not at all, the first tick after the gap sees it: a recently missed minute
// rings, an old one is told of. A gap once handled is forgotten.
TEST(AlarmSoundTest, AWakeRingsARecentlyMissedMinuteAndTellsOfAnOldOne) {
  enum class After { Rings, Missed, Nothing };
  enum class News { None, Twice, UnderABox };
  struct Case {
    int asleepAt, wokeAt;  // seconds, minutes after seven
    News news;
    After after;
    bool playing = false;  // the player already plays music when the computer wakes
  };
  const Case cases[] = {
      {290, 5, News::Twice, After::Rings},        {290, 6, News::None, After::Rings},
      {290, 15, News::Twice, After::Rings},       {290, 16, News::Twice, After::Missed},
      {290, 16, News::None, After::Missed},       {290, 8, News::UnderABox, After::Rings},
      {290, 30, News::UnderABox, After::Missed},  {60, 3, News::Twice, After::Nothing},
      {330, 8, News::Twice, After::Nothing},  // the alarm had rung
      {290, 8, News::None, After::Nothing, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "row " << &c - cases);
    Bed bed(Player::Plays, true);
    bed.h.advanceTo(At(6, 7, c.asleepAt / 60, c.asleepAt % 60));
    const std::string status = bed.h.ui.StatusBar1.text(), caption = bed.h.ui.cmdSet.caption();
    const auto& heard = bed.h.d.players.all.back().heard;
    const auto playsBefore = std::ranges::count(heard, "play");
    if (c.playing) bed.h.d.players.all.back().state = 1;
    const auto wake = [&] {
      bed.h.setTime(At(6, 7, c.wokeAt));
      if (c.news == News::None) return;
      bed.events.resumed();
      bed.events.resumed();
    };
    if (c.news == News::UnderABox) {
      // An alarm of the list keeps a timer counting while the box stands the clock still.
      bed.h.d.alarmsDialog.edits = {AlarmEdit{.date = {2026, 12, 6}, .hour = 9}};
      bed.h.d.alarmsDialog.whileOpen = [](AlarmsDialogEvents& list) { list.add(); };
      bed.h.form.mnuAlarms_Click();
      bed.h.d.boxes.whileOpen = [&](const MessageBoxRequest&) {
        bed.h.d.boxes.whileOpen = nullptr;
        wake();
        bed.h.advance(2s);
      };
      bed.h.form.mnuAbout_Click();
    } else {
      wake();
    }
    bed.h.advance(1s);
    bed.events.resumed();  // a later wake, with no sleep across the minute behind it
    const bool rings = c.after == After::Rings, missed = c.after == After::Missed;
    EXPECT_EQ(std::ranges::count(heard, "play") - playsBefore, rings ? 1 : 0);
    EXPECT_EQ(bed.h.ui.StatusBar1.text(), rings ? texts::kBanner : missed ? kMissed : status);
    EXPECT_EQ(bed.h.ui.SysTray.notes.size(), missed ? 1u : 0u);
    EXPECT_EQ(bed.h.ui.cmdSet.caption(), missed ? "Turn &Off" : rings ? "Snoo&ze" : caption);
  }
}

}  // namespace
}  // namespace morv
