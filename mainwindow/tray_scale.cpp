#include "mainwindow/tray_scale.h"

namespace morv {

// Unread, the taskbar is most likely on the primary monitor, whose scale is the one the
// system started with. A reading of no scale at all is no reading.
int TrayIconDpi(std::optional<int> taskbarDpi, int systemDpi) {
  return taskbarDpi && *taskbarDpi > 0 ? *taskbarDpi : systemDpi;
}

}  // namespace morv
