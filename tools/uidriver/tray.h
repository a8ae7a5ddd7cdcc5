#pragma once
// Icons in the notification area as Wine's explorer shows them.
//
// Wine 8's explorer (the virtual desktop) paints every notification icon into its
// "Shell_TrayWnd" window, 20 px squares from the right edge, and gives each shown icon a
// "tooltips_class32" window owned by Shell_TrayWnd whose single tool covers that square.
// A hidden or deleted icon leaves its tooltip behind with an empty square, so only tools
// with a non-empty square are icons on show. Their text is read with TTM_ENUMTOOLSW
// through memory allocated inside explorer; mouse messages posted to Shell_TrayWnd at the
// square reach the icon's program as real clicks.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morv::uidriver {

struct TrayIcon {
  HWND tray = nullptr;
  RECT square{};  // in Shell_TrayWnd's client coordinates
  std::string tip;
};

std::vector<TrayIcon> trayIcons();
// The texts of the notification balloons on show (Shell_NotifyIcon with NIF_INFO).
std::vector<std::string> trayBalloons();
// The icon on show whose tooltip is exactly `tip`.
std::optional<TrayIcon> findTrayIcon(std::string_view tip);
TrayIcon waitForTrayIcon(std::string_view tip, std::chrono::milliseconds timeout);
// Clicks the icon with the left or the right button: a press and a release.
void clickTrayIcon(const TrayIcon& icon, bool right);

// Chooses an item of an open pop-up menu (a "#32768" window) as a user at the keyboard
// would: down to it, then Enter. A greyed item cannot be chosen.
void choosePopupItem(HWND popupWindow, std::string_view caption);

}  // namespace morv::uidriver
