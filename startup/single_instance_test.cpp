// The guard that keeps the program to one instance per desktop.
#include "startup/single_instance.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_desktop.h"

namespace morv {
namespace {

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
