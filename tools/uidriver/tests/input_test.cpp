// Clicks, keys and typing: they reach the target's message loop, and the driver refuses what a
// user could not do.
#include <windows.h>

#include "tools/uidriver/tests/target_fixture.h"

namespace morv::uidriver::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

class InputTest : public TargetTest {
 protected:
  void SetUp() override { launch(); }

  void expectRefused(const std::function<void()>& action, const std::string& reason) {
    try {
      action();
      ADD_FAILURE() << "the driver did what a user could not (" << reason << ")";
    } catch (const DriverError& error) {
      EXPECT_THAT(error.what(), HasSubstr(reason));
    }
  }
};

TEST_F(InputTest, ClicksOnlyWhatAUserCouldClick) {
  click(control(kConfirm));
  // The click has been handled once click() returns: the box's modal loop is running.
  EXPECT_TRUE(logged("clicked confirm"));
  const MessageBoxInfo box = waitForMessageBox(pid(), "Target Confirm", 5s);

  expectRefused([&] { click(control(kAsk)); }, "is inside the disabled window");
  answer(box, "OK");
  EXPECT_TRUE(logged("confirm ok"));

  expectRefused([&] { click(control(kDisabled)); }, "is disabled");
  expectRefused([&] { click(nullptr); }, "does not exist");
  settle(main_);
  EXPECT_FALSE(logged("clicked disabled"));
  EXPECT_FALSE(logged("clicked ask"));
}

TEST_F(InputTest, TypesOnlyIntoWritableEdits) {
  typeText(control(kEdit), "Wake 07:30 \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(windowText(control(kEdit)), "Wake 07:30 \xC3\xA9t\xC3\xA9");
  expectRefused([&] { typeText(control(kTime), "99"); }, "read-only");
  EXPECT_EQ(windowText(control(kTime)), "12:34");
}

TEST_F(InputTest, KeysGoThroughAcceleratorsAndDialogNavigation) {
  pressKey(main_, 'K', {.ctrl = true});
  EXPECT_TRUE(logged("command 301"));
  pressKey(main_, 'J', {.alt = true});
  EXPECT_TRUE(logged("command 302"));
  // Without Ctrl held the same key is no accelerator: the modifier state was restored.
  pressKey(main_, 'K');
  const auto lines = log();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "command 301"), 1);

  focusByPress(control(kAsk));
  ASSERT_EQ(focusedWindow(main_), control(kAsk));
  pressKey(control(kAsk), VK_TAB);
  EXPECT_EQ(focusedWindow(main_), control(kConfirm));
  pressKey(control(kConfirm), VK_TAB, {.shift = true});
  EXPECT_EQ(focusedWindow(main_), control(kAsk));
}

TEST_F(InputTest, PressingAndReleasingOutsideMovesTheFocusWithoutAClick) {
  focusByPress(control(kChain));
  EXPECT_EQ(focusedWindow(main_), control(kChain));
  EXPECT_TRUE(logged("focus chain"));
  focusByPress(control(kEdit));
  EXPECT_EQ(focusedWindow(main_), control(kEdit));
  EXPECT_TRUE(logged("focus edit"));
  EXPECT_FALSE(logged("clicked chain"));
  EXPECT_TRUE(noMessageBoxOpen(pid()));
}

}  // namespace
}  // namespace morv::uidriver::testing
