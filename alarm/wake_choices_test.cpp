// How the user chose to be woken: their own music, a gentle rise, a snooze that comes back.
// Each is off until chosen; alarm_sound_test and clock_tick_test hold the alarm without them.
#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "alarm/alarm_texts.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::At;
using fakes::MainFormHarness;
using ::testing::ElementsAreArray;
using namespace std::chrono;
using namespace std::chrono_literals;

constexpr char kSong[] = "C:\\Music\\wake up.mp3";

// Loaded at 7:00, the sound chosen for the main window's alarm, armed for 7:05.
void ArmWith(MainFormHarness& h, const std::string& music, int riseSeconds) {
  h.loadAt(At(6, 7, 0));
  AlarmEdit sound;
  sound.music = music;
  sound.riseSeconds = riseSeconds;
  h.d.alarmsDialog.edits = {sound};
  h.form.mnuAlarmSound_Click();
  h.armAlarm({2026, 12, 6}, "07:05");
}

TEST(WakeChoicesTest, AChosenFileIsHandedToThePlayerBeforePlay) {
  struct Row {
    const char *what, *music;
    bool fileThere;
    size_t notes;
  } const rows[] = {{"chosen", kSong, true, 0},
                    {"gone at the minute", kSong, false, 1},
                    {"none chosen", "", false, 0}};
  for (const Row& r : rows) {
    MainFormHarness h;
    if (r.fileThere) h.d.files.files.push_back(r.music);
    ArmWith(h, r.music, 0);
    h.form.cmdMin2Tray_Click();
    h.advanceTo(At(6, 7, 5, 30));
    std::vector<std::string> heard = {"isplaying", "play", "volume 255", "isplaying"};
    if (r.fileThere) heard.insert(heard.begin() + 1, {"clear", std::string("add ") + kSong});
    EXPECT_THAT(h.d.players.all.back().heard, ElementsAreArray(heard)) << r.what;
    EXPECT_EQ(h.ui.SysTray.notes.size(), r.notes) << r.what << ": told when the file is gone";
    EXPECT_EQ(h.d.registry.value(Hive::LocalMachine, settings::kKey, settings::kAlarmMusic),
              r.music)
        << r.what << ": kept for the next start";
  }
}

// The volume rises from low to full over the chosen time, a step a second, never down;
// stopping the alarm stops the rise, and the own sound is never gentle.
TEST(WakeChoicesTest, AGentleWakeRisesToFullAndStopsWithTheAlarm) {
  MainFormHarness h;
  ArmWith(h, "", 30);
  h.advanceTo(At(6, 7, 5, 40));
  std::vector<int> volumes;
  for (const std::string& heard : h.d.players.all.back().heard) {
    if (heard.rfind("volume ", 0) == 0) volumes.push_back(std::stoi(heard.substr(7)));
  }
  ASSERT_GE(volumes.size(), 20u);
  EXPECT_EQ(volumes.front(), 24);
  EXPECT_EQ(volumes.back(), 255);
  EXPECT_EQ(std::ranges::count(volumes, 255), 1);
  EXPECT_TRUE(std::ranges::is_sorted(volumes));

  MainFormHarness stopped;
  ArmWith(stopped, "", 60);
  stopped.advanceTo(At(6, 7, 5, 20));
  stopped.form.cmdSet_Click();
  const auto heard = stopped.d.players.all.front().heard;
  stopped.advanceTo(At(6, 7, 7, 0));
  EXPECT_EQ(stopped.d.players.all.front().heard, heard) << "no step after the stop";
  EXPECT_THAT(heard, ::testing::Contains("volume 28"));
}

// Snoozed, the alarm rings again after the chosen minutes, as often as it is snoozed; the
// status and the tray's menu tell of it, the wake timer is set for it, and Turn Off on the
// button or in the tray ends it for good.
TEST(WakeChoicesTest, ASnoozeComesBackUntilTheAlarmIsTurnedOff) {
  for (const bool fromTheTray : {false, true}) {
    SCOPED_TRACE(fromTheTray ? "turned off in the tray" : "turned off on the button");
    MainFormHarness h;
    h.loadAt(At(6, 7, 0));
    h.form.mnuSnoozeComesBack_Click(9);
    EXPECT_EQ(h.d.registry.value(Hive::LocalMachine, settings::kKey, settings::kSnoozeMinutes),
              "9");
    EXPECT_TRUE(h.ui.mnuSnooze9.checked() && !h.ui.mnuSnoozeOff.checked());
    h.armAlarm({2026, 12, 6}, "07:05");
    h.advanceTo(At(6, 7, 5, 30));
    h.form.cmdSet_Click();  // Snooze
    EXPECT_EQ(h.ui.StatusBar1.text(),
              texts::Armed("12/6/2026", "7:05 AM") + "  Snoozed until 7:14 AM.");
    EXPECT_EQ(h.ui.cmdSet.caption(), texts::kTurnOff);
    EXPECT_TRUE(h.ui.mnuEndSnooze.visible());
    EXPECT_EQ(h.d.wakeTimer.due, sys_days{2026y / 12 / 6} + 7h + 14min + 30s);
    EXPECT_THAT(h.d.players.all.front().heard, ::testing::Contains("quit")) << "stopped as ever";

    h.advanceTo(At(6, 7, 14, 29));
    EXPECT_NE(h.ui.StatusBar1.text(), texts::kBanner);
    h.advanceTo(At(6, 7, 14, 31));
    EXPECT_EQ(h.ui.StatusBar1.text(), texts::kBanner) << "again after nine minutes";
    h.d.boxes.answers = {MbAnswer::Yes};
    h.form.mnuCloseWinAmp_Click();  // snoozed from the tray this time
    h.setTime(At(6, 7, 25));        // the computer slept through the snooze's minute
    h.advance(1s);
    EXPECT_EQ(h.ui.StatusBar1.text(), texts::kBanner) << "and again, late";

    fromTheTray ? h.form.mnuEndSnooze_Click() : (h.form.cmdSet_Click(), h.form.cmdSet_Click());
    h.advanceTo(At(6, 7, 50, 0));
    EXPECT_NE(h.ui.StatusBar1.text(), texts::kBanner) << "off for good";
    EXPECT_FALSE(h.ui.mnuEndSnooze.visible());
  }
}

}  // namespace
}  // namespace morv
