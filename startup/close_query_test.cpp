// The questions every close of the main window asks, and what each answer does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "startup/early_close.h"
#include "tests/fakes/main_form_harness.h"

namespace morv {
namespace {

using fakes::LoadedHarness;
using fakes::RegOp;
using ::testing::ElementsAreArray;

TEST(CloseQueryTest, EachAnswerLeadsWhereItShould) {
  enum Entered { kNothing, kDateOnly, kAlarm };
  struct Case {
    const char* what;
    Entered entered;
    bool playerRuns, wordPadOpen, failSavedWrite;
    std::vector<MbAnswer> answers;
    std::vector<std::string> boxes, writes;
    bool playerLeft;
  };
  const std::string key = "write HKLM SOFTWARE\\QUORVIX\\MORV ", saved = key + "SettingsSaved = ";
  const std::string morv = "Close Morvane?", save = "Save Settings?", winamp = "Close WinAmp?";
  using enum MbAnswer;
  // One case to a line or two, read as a table.
  // clang-format off
  const Case cases[] = {
      {"refused", kAlarm, true, false, false, {No}, {morv}, {}, true},
      {"nothing entered", kNothing, false, false, false, {Yes}, {morv}, {}, false},
      {"a date without a time", kDateOnly, false, false, false, {Yes}, {morv}, {}, false},
      {"save declined", kAlarm, false, false, false, {Yes, No}, {morv, save}, {saved + "No"}, false},
      {"saved", kAlarm, false, true, false, {Yes, Yes}, {morv, save},
       {saved + "Yes", key + "Date: = 12/6/2026", key + "Time: = 7:05 AM"}, false},
      {"player closed", kNothing, true, false, false, {Yes, Yes}, {morv, winamp}, {}, false},
      {"player kept", kNothing, true, true, false, {Yes, No}, {morv, winamp}, {}, true},
      {"a refused write ends at once", kAlarm, true, true, true, {Yes, Yes},
       {morv, save, "ERROR!"}, {saved + "Yes"}, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadedHarness h;
    if (c.entered == kAlarm) h.enterAlarm({2026, 12, 6}, "07:05");
    if (c.entered == kDateOnly) h.form.MonthView_DateClick({2026, 12, 7});
    if (c.playerRuns) h.d.players.launch();
    const WindowHandle wordPad =
        c.wordPadOpen ? h.d.windows.add("WordPadClass", "MORVHELP.DOC - WordPad").handle : 0;
    if (c.failSavedWrite) {
      h.d.registry.fail(RegOp::Write, Hive::LocalMachine, "SettingsSaved", RegStatus::Failed);
    }
    h.d.boxes.shown.clear();
    h.d.boxes.answers.assign(c.answers.begin(), c.answers.end());

    const bool refused = c.answers[0] == No;
    EXPECT_EQ(h.d.ends([&] { h.form.cmdExit_Click(); }), !refused);
    EXPECT_THAT(h.d.boxes.titles(), ElementsAreArray(c.boxes));
    EXPECT_THAT(h.d.registry.writes(), ElementsAreArray(c.writes));
    EXPECT_EQ(h.d.windows.count("Winamp v1.x"), c.playerLeft ? 1 : 0);
    if (c.wordPadOpen) {
      ASSERT_NE(h.d.windows.window(wordPad), nullptr) << "minimised, never closed";
      EXPECT_EQ(h.d.windows.window(wordPad)->minimized, !c.failSavedWrite);
    }
    EXPECT_EQ(h.ui.MyTimer.enabled(), refused);
    EXPECT_EQ(h.ui.StatusBar1.text(), refused ? "Ready." : "Shutdown Query. . .");
  }
  // Before the main window there is no question to ask: a close waits, a session may end.
  EXPECT_FALSE(GrantedBeforeMainWindow(EarlyEndRequest::Close));
  EXPECT_TRUE(GrantedBeforeMainWindow(EarlyEndRequest::SessionQuery));
}

}  // namespace
}  // namespace morv
