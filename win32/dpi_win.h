#pragma once
// The display scale of the monitor a window is on, and the sizes Windows asks for at it.
// The per-monitor functions came with Windows 10; on older Windows every monitor has the
// system's scale.
#include <windows.h>

#include <optional>

#include "win32/unique_handle.h"

namespace morv::win32 {

int SystemDpi();
// The scale of the monitor the window is on.
int WindowDpi(HWND window);
// The scale of the monitor the taskbar, and with it the notification area, is on; nullopt
// with no taskbar, or before Windows 8.1.
std::optional<int> TaskbarDpi();
// GetSystemMetrics at a scale.
int MetricForDpi(int index, int dpi);
// The window rectangle around a client rectangle, with the frame's sizes at a scale.
void AdjustForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
// The work area of the monitor a window is on.
RECT WorkAreaNear(HWND window);
// The icon of that resource id at size x size pixels, picked from the images it holds;
// a stock icon when the resource is missing, so there is always something to show.
UniqueHicon LoadIconSized(HINSTANCE module, int id, int size);

}  // namespace morv::win32
