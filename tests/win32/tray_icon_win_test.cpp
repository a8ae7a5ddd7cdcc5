// The tray icon as Wine's explorer shows it, looked at from outside the program with the
// UI driver (tools/uidriver/tray.h says how explorer draws and reports its icons).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win32/tray_icon_win.h"
#include "win32/unique_handle.h"
#include "tools/uidriver/tooltips.h"

namespace morv::win32 {
namespace {

constexpr UINT kCallback = WM_APP + 1;
using Pixels = std::vector<COLORREF>;

// Runs this thread's messages until `done` holds or patience runs out.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds patience = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

using uidriver::findTrayIcon;

bool WaitShown(const std::string& tip, bool shown = true) {
  return PumpUntil([&] { return findTrayIcon(tip).has_value() == shown; });
}

// The square's pixels once they satisfy `done` (explorer repaints in its own time), and
// always more than one colour: an icon is painted there, not just the bare taskbar.
Pixels WaitPicture(const std::string& tip,
                   const std::function<bool(const Pixels&)>& done = nullptr) {
  Pixels seen;
  PumpUntil([&] {
    const auto icon = findTrayIcon(tip);
    if (!icon) return false;
    POINT origin{icon->square.left, icon->square.top};
    ClientToScreen(icon->tray, &origin);
    UniqueHdc screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    seen.clear();
    for (int y = 0; y < icon->square.bottom - icon->square.top; ++y) {
      for (int x = 0; x < icon->square.right - icon->square.left; ++x) {
        seen.push_back(GetPixel(screen.get(), origin.x + x, origin.y + y));
      }
    }
    return std::adjacent_find(seen.begin(), seen.end(), std::not_equal_to<>()) != seen.end() &&
           (!done || done(seen));
  });
  return seen;
}

TEST(TrayIconWinTest, ShowsChangesAndRemovesTheIcon) {
  if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
    GTEST_SKIP() << "reads the tray the way Wine's explorer draws it";
  }
  // A hidden top-level window owns the icon, like the program's main form in the tray;
  // the first window of a process brings Wine's desktop, and explorer, up.
  UniqueHwnd owner(CreateWindowExA(0, "STATIC", "tray test owner", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                   100, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(PumpUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }))
      << "explorer's taskbar never appeared";
  auto icon = std::make_unique<TrayIconWin>(owner.get(), kCallback, 1, GetModuleHandleA(nullptr));
  TrayIconWin& tray = *icon;
  tray.setToolTipText("Morvane: no alarm");
  EXPECT_FALSE(findTrayIcon("Morvane: no alarm")) << "shown before being asked to";

  tray.setIconVisible(true);
  ASSERT_TRUE(WaitShown("Morvane: no alarm"));
  const Pixels noAlarm = WaitPicture("Morvane: no alarm");

  // Changes reach an icon that is on show; pictures out of range are ignored.
  tray.setToolTipText("Morvane: alarm set");
  tray.setIconIndex(2);
  tray.setIconIndex(0);
  tray.setIconIndex(4);
  ASSERT_TRUE(WaitShown("Morvane: alarm set"));
  const Pixels set =
      WaitPicture("Morvane: alarm set", [&](const Pixels& p) { return p != noAlarm; });
  EXPECT_NE(set, noAlarm);
  EXPECT_EQ(tray.iconIndex(), 2);

  tray.setIconVisible(false);
  EXPECT_TRUE(WaitShown("Morvane: alarm set", false));

  // A picture changed while hidden, one never shown before, shows up once the icon is back.
  tray.setIconIndex(3);
  tray.setToolTipText("Morvane: back again");
  tray.setIconVisible(true);
  ASSERT_TRUE(WaitShown("Morvane: back again"));
  const Pixels activated =
      WaitPicture("Morvane: back again", [&](const Pixels& p) { return p != noAlarm && p != set; });
  EXPECT_NE(activated, noAlarm);
  EXPECT_NE(activated, set);

  // Going away takes the icon along.
  icon.reset();
  EXPECT_TRUE(WaitShown("Morvane: back again", false));
}

}  // namespace
}  // namespace morv::win32
