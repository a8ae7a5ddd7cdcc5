#pragma once
// The display scale the tray icon's pictures are made for.
#include <optional>

namespace morv {

// The shell draws the icon on the taskbar, so the scale of the monitor the taskbar is on
// decides, wherever the main window is. taskbarDpi: that monitor's scale, nullopt when it
// cannot be read; systemDpi: the scale the system started with.
int TrayIconDpi(std::optional<int> taskbarDpi, int systemDpi);

}  // namespace morv
