// The questions every close of the main window asks, and what each answer does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::MainFormHarness;
using fakes::RegOp;
using ::testing::ElementsAreArray;

TEST(CloseQueryTest, EachAnswerLeadsWhereItShould) {
  struct Case {
    const char* what;
    bool alarmEntered, playerRuns, wordPadOpen, failSavedWrite;
    std::vector<MbAnswer> answers;
    std::vector<std::string> boxes, writes;
    bool playerLeft;
  };
  const std::string saved = "write HKLM SOFTWARE\\QUORVIX\\MORV SettingsSaved = ";
  // One case to a line or two, read as a table.
  // clang-format off
  const Case cases[] = {
      {"nothing entered", false, false, false, false, {MbAnswer::Yes}, {"Close Morvane?"}, {},
       false},
      {"save declined", true, false, false, false, {MbAnswer::Yes, MbAnswer::No},
       {"Close Morvane?", "Save Settings?"}, {saved + "No"}, false},
      {"saved",
       true,
       false,
       true,
       false,
       {MbAnswer::Yes, MbAnswer::Yes},
       {"Close Morvane?", "Save Settings?"},
       {saved + "Yes", "write HKLM SOFTWARE\\QUORVIX\\MORV Date: = 12/6/2026",
        "write HKLM SOFTWARE\\QUORVIX\\MORV Time: = 7:05 AM"},
       false},
      {"player closed", false, true, false, false, {MbAnswer::Yes, MbAnswer::Yes},
       {"Close Morvane?", "Close WinAmp?"}, {}, false},
      {"player kept", false, true, true, false, {MbAnswer::Yes, MbAnswer::No},
       {"Close Morvane?", "Close WinAmp?"}, {}, true},
      {"a refused write ends at once", true, true, true, true, {MbAnswer::Yes, MbAnswer::Yes},
       {"Close Morvane?", "Save Settings?", "ERROR!"}, {saved + "Yes"}, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    MainFormHarness h;
    h.loadAt({{2026, 12, 6}, 6, 0, 0});
    if (c.alarmEntered) h.enterAlarm({2026, 12, 6}, "07:05");
    auto* player = c.playerRuns ? &h.d.players.launch() : nullptr;
    auto& wordPad = h.d.windows.add("WordPadClass", "MORVHELP.DOC - WordPad");
    if (!c.wordPadOpen) h.d.windows.remove(wordPad.handle);
    if (c.failSavedWrite) {
      h.d.registry.fail(RegOp::Write, Hive::LocalMachine, "SettingsSaved", RegStatus::Failed);
    }
    h.d.boxes.shown.clear();
    h.d.registry.calls.clear();
    h.d.boxes.answers.assign(c.answers.begin(), c.answers.end());

    EXPECT_TRUE(h.d.ends([&] { h.form.cmdExit_Click(); })) << c.what;
    EXPECT_THAT(h.d.boxes.titles(), ElementsAreArray(c.boxes)) << c.what;
    EXPECT_THAT(h.d.registry.writes(), ElementsAreArray(c.writes)) << c.what;
    if (player) {
      EXPECT_EQ(h.d.windows.count("Winamp v1.x"), c.playerLeft ? 1 : 0) << c.what;
    }
    if (c.wordPadOpen) {
      ASSERT_NE(h.d.windows.window(wordPad.handle), nullptr) << "minimised, never closed";
      EXPECT_EQ(h.d.windows.window(wordPad.handle)->minimized, !c.failSavedWrite) << c.what;
    }
    EXPECT_FALSE(h.ui.MyTimer.enabled()) << c.what;
    EXPECT_EQ(h.ui.StatusBar1.text(), "Shutdown Query. . .") << c.what;
  }
}

TEST(CloseQueryTest, ARefusedCloseLeavesEverythingRunning) {
  MainFormHarness h;
  h.loadAt({{2026, 12, 6}, 6, 0, 0});
  h.enterAlarm({2026, 12, 6}, "07:05");
  h.d.players.launch();
  h.d.boxes.shown.clear();
  h.d.registry.calls.clear();
  h.d.boxes.answers = {MbAnswer::No};
  EXPECT_FALSE(h.d.ends([&] { h.form.RequestClose(); }));
  EXPECT_EQ(h.d.boxes.titles(), std::vector<std::string>{"Close Morvane?"});
  EXPECT_TRUE(h.d.registry.writes().empty());
  EXPECT_TRUE(h.ui.MyTimer.enabled());
  EXPECT_EQ(h.ui.StatusBar1.text(), "Ready.");
  EXPECT_EQ(h.d.windows.count("Winamp v1.x"), 1);
}

// Half an alarm is no alarm to save: a date chosen and no time accepted.
TEST(CloseQueryTest, ADateWithoutATimeIsNotOfferedForSaving) {
  MainFormHarness h;
  h.loadAt({{2026, 12, 6}, 6, 0, 0});
  h.form.MonthView_DateClick({2026, 12, 7});
  h.d.registry.calls.clear();
  EXPECT_TRUE(h.d.ends([&] { h.form.cmdExit_Click(); }));
  EXPECT_EQ(h.d.boxes.titles(), std::vector<std::string>{"Close Morvane?"});
  EXPECT_TRUE(h.d.registry.writes().empty());
}

}  // namespace
}  // namespace morv
