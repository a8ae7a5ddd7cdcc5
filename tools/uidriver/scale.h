#pragma once
// How a program looks at its display scale, measured inside it by the agent: whether its
// texts fit their controls, its calendar's least size, the size of its icons.
#include <windows.h>

namespace morv::uidriver {

// The control's text (access keys left out) in the font the control draws it with.
SIZE textExtent(HWND control);
// The least size that shows the calendar's whole month (MCM_GETMINREQRECT).
SIZE calendarMinSize(HWND calendar);
// The width of the window's own icon (WM_GETICON), small or big; 0 when it has none.
int windowIconWidth(HWND window, bool small);
// The width of the picture the program last handed the notification area; 0 before any.
// The first call starts watching, so make it before the icon is shown or changed.
int trayPictureWidth(DWORD pid);
// WM_DPICHANGED as Windows sends it when the window lands on a monitor of another scale,
// the suggested rectangle in the program's memory.
void sendDpiChanged(HWND window, int dpi, const RECT& suggested);

}  // namespace morv::uidriver
