// The guard that keeps the program to one instance per desktop.
#include "startup/single_instance.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_desktop.h"

namespace morv {
namespace {

// This instance's own hidden application window, whose text is the program's title.
fakes::FakeWindow& OwnApplicationWindow(fakes::FakeDesktop& d) {
  auto& own = d.windows.add("ThunderRT6Main", d.program.title());
  d.program.onTitle = [&own](const std::string& title) { own.text = title; };
  return own;
}

TEST(SingleInstanceTest, AnyOfTheThreeClassesWithTheTitleInAnyCaseIsARunningInstance) {
  for (const char* windowClass : {"ThunderRTMain", "ThunderRT5Main", "ThunderRT6Main"}) {
    fakes::FakeDesktop d;
    OwnApplicationWindow(d);
    auto& other = d.windows.add(windowClass, "morv");
    auto& otherMain = d.windows.add("MorvaneMainWindow");
    other.above = otherMain.handle;
    otherMain.minimized = true;

    EXPECT_TRUE(ActivatePreviousInstance(d.desktop)) << windowClass;
    EXPECT_FALSE(otherMain.minimized) << windowClass;
    EXPECT_EQ(d.windows.foreground, otherMain.handle) << windowClass;
    EXPECT_EQ(d.program.title(), "unwanted instance") << "left for the instance that ends";
  }
}

TEST(SingleInstanceTest, AloneOrBesideOtherProgramsTheStartGoesOn) {
  fakes::FakeDesktop d;
  auto& own = OwnApplicationWindow(d);
  d.windows.add("ThunderRT6Main", "Another Program");
  d.windows.add("SomeOtherMain", "MORV");
  EXPECT_FALSE(ActivatePreviousInstance(d.desktop)) << "it must not find itself";
  EXPECT_EQ(d.program.title(), "MORV");
  EXPECT_EQ(own.text, "MORV");
  EXPECT_EQ(d.windows.foreground, 0u);

  // Found, but nothing above it to bring forward: still found.
  d.windows.add("ThunderRTMain", "MORV");
  EXPECT_TRUE(ActivatePreviousInstance(d.desktop));
}

}  // namespace
}  // namespace morv
