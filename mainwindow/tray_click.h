#pragma once
// Which mouse event on the tray icon is a click.
#include <optional>

namespace morv {

// The mouse events the notification area reports for the icon.
enum class TrayMouse { LeftUp, MiddleUp, RightUp, ContextMenu, Other };

// The button number of a click on the tray icon, if the event is one. Notify-icon
// version 4 follows the right button's release with a context-menu event (also sent for
// the menu key): only one of the two may count, or one right click would count twice.
std::optional<int> TrayClickButton(TrayMouse event, bool version4);

}  // namespace morv
