#pragma once
// Tooltips of another process, and through them the notification area as Wine's explorer
// shows it. Wine 8's explorer paints every notification icon into its "Shell_TrayWnd", 20 px
// squares from the right edge, and gives each shown icon a "tooltips_class32" window owned by
// Shell_TrayWnd whose one tool covers that square; a removed icon leaves its tool behind with an
// empty square. Mouse messages posted to Shell_TrayWnd at a square reach the icon's program as
// real clicks.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morv::uidriver {

// The tooltip text registered for `control` (a tool with uId == control, or hwnd == control);
// throws when there is none.
std::string toolTipText(HWND control);

// The square in Shell_TrayWnd's client area of the icon on show whose tooltip is exactly `tip`.
std::optional<RECT> findTrayIcon(std::string_view tip);
RECT waitForTrayIcon(std::string_view tip, std::chrono::milliseconds timeout);
// A press and a release of the right button on the icon, which opens its program's menu.
void rightClickTrayIcon(const RECT& square);
// The texts of the notification balloons on show (Shell_NotifyIcon with NIF_INFO).
std::vector<std::string> trayBalloons();

}  // namespace morv::uidriver
