#pragma once
// What a program's windows hold that only its own memory or the agent inside it can tell.
#include <windows.h>

#include <string>

namespace morv::uidriver {

// The status bar's first panel (SB_GETTEXT into the program's memory). A UI thread that sleeps
// answers when it wakes; a status bar reports its text's length in 16 bits.
std::string statusBarText(HWND statusBar);

// An item of the window menu, GetSystemMenu(window, FALSE), by position.
struct SystemMenuItem {
  std::string caption;
  UINT id;
  bool grayed;
};
SystemMenuItem systemMenuItem(HWND window, int position);

// For the display scale: the control's text (access keys left out) in the font the control
// draws it with; the width of the window's own icon (WM_GETICON), small or big, 0 for none.
SIZE textExtent(HWND control);
int windowIconWidth(HWND window, bool small);
// The width of the picture the program last handed the notification area; 0 before any. The
// first call starts watching, so make it before the icon is shown or changed.
int trayPictureWidth(DWORD pid);
// WM_DPICHANGED as Windows sends it when the window lands on a monitor of another scale.
void sendDpiChanged(HWND window, int dpi, const RECT& suggested);

}  // namespace morv::uidriver
