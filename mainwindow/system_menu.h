#pragma once
#include <string>

#include "platform/window_manager.h"

namespace morv {

// Replaces the window-menu item at `position` by a greyed text item that carries no
// command, so neither the menu nor the title bar's close button can close the window.
void GraySystemMenuItem(WindowManager& windows, WindowHandle window, const std::string& caption,
                        int position);

}  // namespace morv
