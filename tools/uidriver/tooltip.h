#pragma once
// Reading another process's tooltips.
#include <windows.h>

#include <string>

namespace morv::uidriver {

// The tooltip text registered for `control` (a tool with TTF_IDISHWND and uId == control, or
// with hwnd == control) in any tooltips_class32 window of the control's process. Throws when
// there is none, or when its text comes from a callback.
std::string toolTipText(HWND control);

}  // namespace morv::uidriver
