// Morvane at the display scales most machines run at, and moved to a monitor of another
// scale: every control whole and apart, every text inside its control, sharp icons.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "tests/e2e/e2e_test.h"
#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/remote_memory.h"

namespace morv::e2e {
namespace {

using namespace driver;
using namespace std::chrono_literals;
using uidriver::agent::Op;
using DisplayScaleTest = E2eTest;

// What only the program can tell about its window, asked of the driver's agent inside it: a
// text's width and height in its control's own font, a window icon's width, the width of the
// picture last handed to the tray (the first asking starts the watch).
std::array<int, 2> Ask(HWND window, Op op, uint64_t arg = 0) {
  const auto [values, text] = uidriver::Agent::of(uidriver::processOf(window))
                                  .call(op, reinterpret_cast<uintptr_t>(window), arg);
  return {static_cast<int>(values[0]), static_cast<int>(values[1])};
}

// Sets the display's scale where Windows keeps it, for the programs started from now on;
// at its end the bed is back at Wine's own 100 %, as every other test expects. Wine's
// desktop keeps the scale it started with; only the program's own windows and its icon's
// size are under test.
struct DisplayScale {
  static inline const std::pair<HKEY, const char*> kKeys[] = {
      {HKEY_CURRENT_USER, "Control Panel\\Desktop"},
      {HKEY_LOCAL_MACHINE,
       "System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"},
  };
  void set(DWORD dpi) const {
    for (const auto& [root, path] : kKeys) {
      ASSERT_EQ(RegSetKeyValueA(root, path, "LogPixels", REG_DWORD, &dpi, sizeof(dpi)),
                ERROR_SUCCESS);
    }
  }
  ~DisplayScale() {
    for (const auto& [root, path] : kKeys) RegDeleteKeyValueA(root, path, "LogPixels");
  }
};

// The main window as laid out for `dpi`: its controls inside the client area and apart,
// each text inside its control in the control's own font, the whole month on the calendar,
// and the window's icons at the sizes that scale asks for. The time box's text height is
// returned, so scales can be compared.
int ExpectWhole(const MorvaneApp& app, int dpi) {
  SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
  RECT client{};
  GetClientRect(app.main, &client);
  std::vector<std::pair<HWND, RECT>> parts;
  for (HWND child : uidriver::childWindows(app.main)) {
    if (GetParent(child) != app.main || !(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, app.main, reinterpret_cast<POINT*>(&r), 2);
    const std::string name = uidriver::describeWindow(child);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
        << name << " at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
        << " outside the client area " << client.right << "x" << client.bottom;
    for (const auto& [other, o] : parts) {
      EXPECT_FALSE(r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom)
          << name << " overlaps " << uidriver::describeWindow(other);
    }
    parts.emplace_back(child, r);
    if (uidriver::hasClass(child, "Button") || uidriver::hasClass(child, "Static") ||
        uidriver::hasClass(child, "Edit")) {
      RECT inside{};
      GetClientRect(child, &inside);
      const auto [width, height] = Ask(child, Op::kTextExtent);
      EXPECT_LE(width, inside.right) << name;
      EXPECT_LE(height, inside.bottom) << name;
    }
  }
  RECT calendar{};
  GetClientRect(app.calendar, &calendar);
  uidriver::RemoteBuffer month(app.pid(), sizeof(RECT));
  month.send(app.calendar, MCM_GETMINREQRECT);
  const RECT need = month.load<RECT>();
  EXPECT_GE(calendar.right, need.right - need.left) << "the calendar cuts its month";
  EXPECT_GE(calendar.bottom, need.bottom - need.top) << "the calendar cuts its month";
  EXPECT_EQ(Ask(app.main, Op::kWindowIconWidth, ICON_SMALL)[0], MulDiv(16, dpi, 96));
  EXPECT_EQ(Ask(app.main, Op::kWindowIconWidth, ICON_BIG)[0], MulDiv(32, dpi, 96));
  return Ask(app.timeBox, Op::kTextExtent)[1];
}

TEST_F(DisplayScaleTest, WholeAndSharpAt100150And200PercentAndOnAMonitorOfAnotherScale) {
  const DisplayScale scale;
  // The pointer off the window that opens in the middle, or its tooltips get in the pictures.
  SetCursorPos(0, 0);
  std::optional<int> timeTextAt96;
  for (const int dpi : {96, 144, 192}) {
    scale.set(dpi);
    MorvaneApp app;
    if (dpi != 96) app.picture("main-window-" + std::to_string(dpi * 100 / 96));
    const int timeText = ExpectWhole(app, dpi);
    // The clock's text grows with the scale, whichever face had to stand in.
    if (!timeTextAt96) timeTextAt96 = timeText;
    EXPECT_GE(timeText * 96 * 10, *timeTextAt96 * dpi * 9) << "the clock's text at " << dpi;
    // The size of the picture the window gives the shell when it goes to the tray.
    Ask(app.main, Op::kTrayPictureWidth);  // watching from here on
    uidriver::click(app.button("Send To &Tray"));
    uidriver::waitForTrayIcon(kTrayTip, 10s);
    EXPECT_EQ(Ask(app.main, Op::kTrayPictureWidth)[0], MulDiv(16, dpi, 96))
        << "the tray at " << dpi;
    if (dpi == 96) {
      // Dragged onto a 200 % monitor while in the tray: the picture stays at the scale of
      // the taskbar's monitor, where the shell draws it, and the window comes back laid out
      // for its new monitor where Windows suggests.
      RECT now{};
      GetWindowRect(app.main, &now);
      const RECT suggested{now.left, now.top, now.left + 2 * (now.right - now.left),
                           now.top + 2 * (now.bottom - now.top)};
      uidriver::RemoteBuffer rect(app.pid(), sizeof(RECT));
      rect.store(suggested);
      rect.send(app.main, WM_DPICHANGED, MAKEWPARAM(192, 192));
      EXPECT_EQ(Ask(app.main, Op::kTrayPictureWidth)[0], 16) << "the taskbar did not move";
      app.chooseFromTrayMenu("&Show Morvane");
      RECT moved{};
      GetWindowRect(app.main, &moved);
      EXPECT_EQ(moved.left, suggested.left);
      EXPECT_EQ(moved.top, suggested.top);
      EXPECT_GE(ExpectWhole(app, 192) * 10, timeText * 2 * 9) << "the clock's text grew";
    } else {
      app.chooseFromTrayMenu("&Show Morvane");
    }
    app.exit();
  }
}

}  // namespace
}  // namespace morv::e2e
