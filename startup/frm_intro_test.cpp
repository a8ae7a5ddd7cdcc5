// The start-up: the guard, the player check, the first-start defaults and the splash.
#include "startup/frm_intro.h"

#include <gtest/gtest.h>

#include "startup/single_instance.h"
#include "tests/fakes/intro_harness.h"

namespace morv {
namespace {

using fakes::IntroHarness;
using fakes::RegOp;
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
