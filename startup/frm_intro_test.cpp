// The start-up: the guard, the player check, the first-start defaults, the splash and
// the hand-over to the main window.
#include "startup/frm_intro.h"
#include "startup/early_close.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/intro_harness.h"

namespace morv {
namespace {

using fakes::IntroHarness;
using fakes::RegOp;
using ::testing::ElementsAre;
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

// The main window shows only after the load's pause and a whole settling second, with
// the hand-over's items off meanwhile; then the load's status text is dropped.
TEST(FrmIntroTest, TheHandOverShowsNothingWhileSettlingThenTheWindowWithTheLoadsText) {
  IntroHarness h;
  h.storeOption(settings::kWinAmpOnStart, "Yes");
  auto& ui = h.ui;  // the main window shown, six items enabled
  auto state = [&ui] {
    return std::vector{ui.form.visible(),     ui.cmdExit.enabled(), ui.cmdMin2Tray.enabled(),
                       ui.cmdSet.enabled(),   ui.mnuHelp.enabled(), ui.mnuSettings.enabled(),
                       ui.MonthView.enabled()};
  };
  std::vector<bool> whileSettling;
  h.d.clock.duringPause = [&](auto) {
    whileSettling = state();
    whileSettling.push_back(h.splash.visible());
  };
  ASSERT_FALSE(h.Start());
  EXPECT_THAT(h.d.clock.pauses, ElementsAre(1000ms, 1000ms)) << "the load's, the settling one";
  EXPECT_THAT(whileSettling, ::testing::Each(false));
  EXPECT_THAT(state(), ::testing::Each(true));
  EXPECT_FALSE(h.splash.visible());
  EXPECT_EQ(ui.StatusBar1.text(), "") << "not \"WinAmp Activated!  Ready.\"";
  EXPECT_EQ(ui.focus.owner, "cmdSet");
}

// Before the main window there is no close query: a close is refused rather than ending
// the start unasked, while a session may end, with nothing entered that it could lose.
TEST(EarlyCloseTest, ACloseIsRefusedAndTheSessionMayEndBeforeTheMainWindow) {
  const std::pair<EarlyEndRequest, bool> cases[] = {
      {EarlyEndRequest::Close, false},
      {EarlyEndRequest::SessionQuery, true},
  };
  for (const auto& [request, granted] : cases) {
    EXPECT_EQ(GrantedBeforeMainWindow(request), granted) << static_cast<int>(request);
  }
}

}  // namespace
}  // namespace morv
