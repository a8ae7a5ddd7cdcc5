// Menus read inside the target by the agent: the menu bar, the window menu, an open pop-up.
#include <windows.h>

#include <algorithm>

#include "tools/uidriver/tests/target_fixture.h"

namespace morv::uidriver::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

class MenuTest : public TargetTest {
 protected:
  void SetUp() override { launch(); }
};

TEST_F(MenuTest, ReadsTheMenuBarByCaptionPaths) {
  const auto bar = menuBarItems(main_);
  ASSERT_EQ(bar.size(), 2u);
  EXPECT_EQ(bar[0].caption, "&File");
  EXPECT_TRUE(bar[0].hasSubmenu);
  EXPECT_EQ(bar[1].caption, "&Help");

  const MenuItem checked = menuItem(main_, {"&File", "&Checked Item"});
  EXPECT_TRUE(checked.checked);
  EXPECT_TRUE(checked.enabled);
  EXPECT_EQ(checked.id, 101u);
  const MenuItem grayed = menuItem(main_, {"File", "Grayed Item"});
  EXPECT_EQ(grayed.caption, "&Grayed Item\tCtrl+G");
  EXPECT_TRUE(grayed.grayed);
  EXPECT_FALSE(grayed.enabled);
  EXPECT_FALSE(grayed.checked);
  const MenuItem tray = menuItem(main_, {"&File", "&Options", "&Start In System Tray"});
  EXPECT_TRUE(tray.checked);
  EXPECT_EQ(tray.id, 111u);
  EXPECT_TRUE(bar[0].submenu[2].separator);

  try {
    menuItem(main_, {"&File", "&Missing"});
    FAIL() << "found a menu item that does not exist";
  } catch (const DriverError& error) {
    EXPECT_THAT(error.what(), HasSubstr("under '&File'"));
    EXPECT_THAT(error.what(), HasSubstr("'E&xit' id=103"));
  }
}

TEST_F(MenuTest, ReadsTheWindowMenu) {
  const auto items = systemMenuItems(main_);
  const auto close = std::find_if(items.begin(), items.end(),
                                  [](const MenuItem& item) { return item.id == SC_CLOSE; });
  ASSERT_NE(close, items.end()) << describeMenu(items);
  EXPECT_TRUE(close->grayed);
  const auto move = std::find_if(items.begin(), items.end(),
                                 [](const MenuItem& item) { return item.id == SC_MOVE; });
  ASSERT_NE(move, items.end());
  EXPECT_TRUE(move->enabled);
}

TEST_F(MenuTest, ReadsAndUsesAnOpenPopupMenu) {
  click(control(kPopup));
  HWND popup = waitForWindow(pid(), {.className = "#32768", .visibleOnly = true}, 5s);
  const auto items = popupMenuItems(popup);
  ASSERT_EQ(items.size(), 3u) << describeMenu(items);
  EXPECT_EQ(items[0].caption, "&Red");
  EXPECT_TRUE(items[1].checked);
  EXPECT_TRUE(items[2].grayed);
  pressKey(popup, VK_DOWN);
  pressKey(popup, VK_RETURN);
  waitForLog("popup 401");

  click(control(kPopup));
  popup = waitForWindow(pid(), {.className = "#32768", .visibleOnly = true}, 5s);
  pressKey(popup, VK_ESCAPE);
  waitForLog("popup 0");
}

}  // namespace
}  // namespace morv::uidriver::testing
