// The start-up: the guard, the player check, the first-start defaults and the splash; and
// the questions every close of the main window asks.
#include "startup/frm_intro.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "startup/early_close.h"
#include "startup/single_instance.h"
#include "tests/fakes/intro_harness.h"

namespace morv {
namespace {

using fakes::IntroHarness;
using fakes::LoadedHarness;
using fakes::RegOp;
using ::testing::ElementsAreArray;
using namespace std::chrono_literals;

// A second start, or a player judged missing (three boxes explain, then the error), ends
// the start before the splash and before any write. Which window is told to come forward
// is the guard's business.
TEST(FrmIntroTest, AStartThatCannotGoOnEndsBeforeTheSplashAndAnyWrite) {
  for (bool secondStart : {true, false}) {
    IntroHarness h;
    h.d.registry = {};  // a first start, that would write its defaults
    if (secondStart) h.d.windows.add("ThunderRT6Main", "MORV").process = 7;
    if (!secondStart) h.d.files.folders = {"c:\\Program Files\\Winamp"};
    h.d.registry.setString(Hive::ClassesRoot, ".MP3", "Winamp_Back", "mp3file");
    EXPECT_TRUE(h.Start()) << secondStart;
    EXPECT_EQ(h.d.boxes.shown.size(), secondStart ? 0u : 4u);
    EXPECT_TRUE(h.d.registry.writes().empty()) << secondStart;
    EXPECT_FALSE(h.splash.visible()) << secondStart;
  }
}

// A start that finds an option missing writes it as No; an option there is the user's.
// A failed step ends the program before the next one is tried.
TEST(FrmIntroTest, TheFirstStartWritesTheMissingOptionsAsNo) {
  const std::string tray = "write HKLM SOFTWARE\\QUORVIX\\MORV StartInTray = No";
  const std::string player = "write HKLM SOFTWARE\\QUORVIX\\MORV WinAmpOnStart = No";
  struct Case {
    const char* what;
    bool trayStored, playerStored;
    std::optional<RegOp> failing;
    std::vector<std::string> writes;
  } const cases[] = {
      {"nothing stored", false, false, {}, {tray, player}},
      {"tray stored", true, false, {}, {player}},
      {"both stored", true, true, {}, {}},
      {"the key refused", false, false, RegOp::Create, {}},
      {"the first write refused", false, false, RegOp::Write, {tray}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IntroHarness h;
    h.d.registry = {};
    if (c.trayStored) h.storeOption(settings::kStartInTray, "Yes");
    if (c.playerStored) h.storeOption(settings::kWinAmpOnStart, "Yes");
    if (c.failing) h.d.registry.fail(*c.failing, Hive::LocalMachine, "", RegStatus::Failed);
    EXPECT_EQ(h.Start(), c.failing.has_value());
    EXPECT_EQ(h.d.registry.writes(), c.writes);
    EXPECT_EQ(h.d.boxes.titles(), std::vector<std::string>(c.failing ? 1 : 0, "ERROR!"));
    EXPECT_FALSE(c.failing && h.ui.form.visible());
  }
}

// Sixteen quick steps, four slow ones: about 6.8 seconds, the splash shown from the first.
TEST(FrmIntroTest, TheSplashBarPassesEveryValueAndSlowsDownAfterSixteen) {
  IntroHarness h;
  std::vector<std::pair<int, std::chrono::milliseconds>> steps;
  h.d.program.onWaitForEvents = [&h, &steps, tick = h.d.program.onWaitForEvents] {
    const auto before = h.d.clock.steady;
    tick();
    steps.emplace_back(h.bar.value(), h.d.clock.steady - before);
    EXPECT_TRUE(h.splash.visible() && !h.ui.form.visible());
  };
  ASSERT_FALSE(h.Start());
  ASSERT_EQ(steps.size(), 20u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(steps[i], std::pair(i + 1, i < 16 ? 100ms : 1300ms)) << "step " << i + 1;
  }
  EXPECT_FALSE(h.timer.enabled()) << "stopped once the bar is full";
}

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

constexpr std::uint32_t kOwn = 1, kRunning = 7, kOther = 9;

// Which window of which process a second start tells to come forward. The window
// nearest the running instance's application window may be anyone's.
TEST(SingleInstanceTest, TheRunningInstancesOwnMainWindowIsToldToComeForward) {
  struct Case {
    const char *what, *appClass, *appTitle;
    bool runningHasMain, found;
  } const cases[] = {
      {"VB6 class", "ThunderRT6Main", "MORV", true, true},
      {"VB5 class, title in small letters", "ThunderRT5Main", "morv", true, true},
      {"VB4 class", "ThunderRTMain", "Morv", true, true},
      {"still starting: no main window yet", "ThunderRT6Main", "MORV", false, true},
      {"another program's title", "ThunderRT6Main", "Another Program", true, false},
      {"another class", "SomeOtherMain", "MORV", true, false},
  };
  for (const Case& c : cases) {
    fakes::FakeDesktop d;
    auto& own = d.windows.add("ThunderRT6Main", d.program.title());
    own.process = kOwn;
    d.program.onTitle = [&own](const std::string& title) { own.text = title; };
    // A window of another program raised since, and one of the same class elsewhere.
    d.windows.add("Notepad", "Untitled - Notepad").process = kOther;
    d.windows.add("MorvaneMainWindow").process = kOther;
    d.windows.add(c.appClass, c.appTitle).process = kRunning;
    WindowHandle main = 0;  // the window to be told, if any
    if (c.runningHasMain) {
      auto& window = d.windows.add("MorvaneMainWindow", "Morvane(tm)  1.44");
      window.process = kRunning;
      if (c.found) main = window.handle;
    }

    EXPECT_EQ(ActivatePreviousInstance(d.desktop), c.found) << c.what;
    EXPECT_EQ(d.program.title(), c.found ? "unwanted instance" : "MORV") << c.what;
    const fakes::SentMessage told{main, d.windows.registeredMessage("Morvane.AnotherStart"), true};
    EXPECT_EQ(d.windows.messages, main ? std::vector{told} : std::vector<fakes::SentMessage>{})
        << c.what;
    EXPECT_EQ(d.windows.allowedForeground, main ? kRunning : 0u) << c.what;
  }
}

}  // namespace
}  // namespace morv
