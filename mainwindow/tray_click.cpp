#include "mainwindow/tray_click.h"

#include "platform/tray_icon.h"

namespace morv {

std::optional<int> TrayClickButton(TrayMouse event, bool version4) {
  switch (event) {
    case TrayMouse::LeftUp:
      return kLeftButton;
    case TrayMouse::MiddleUp:
      return kMiddleButton;
    case TrayMouse::ContextMenu:
      return version4 ? std::optional<int>(kRightButton) : std::nullopt;
    case TrayMouse::RightUp:
      return version4 ? std::nullopt : std::optional<int>(kRightButton);
    case TrayMouse::Other:
      break;
  }
  return std::nullopt;
}

}  // namespace morv
