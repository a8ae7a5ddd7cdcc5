#pragma once
// The main window's look at the scale of the monitor it is on: its fonts and icons made
// for that scale, and its controls placed by the layout. Applied when the window is
// created and again whenever Windows moves it to a monitor of another scale.
#include <windows.h>

#include "win32/unique_handle.h"

namespace morv::win32 {

class MainFormScaleWin {
 public:
  MainFormScaleWin(HWND window, HINSTANCE instance) : window_(window), instance_(instance) {}

  // Remakes the fonts and icons for `dpi`, frees the old ones, places the controls and
  // sizes the window around them: at the suggested place (WM_DPICHANGED's rectangle)
  // when there is one, otherwise centred on its monitor's work area.
  void apply(int dpi, const RECT* suggested);
  int dpi() const { return dpi_; }
  // The client area changed size (WM_SIZE).
  void resized();

 private:
  void setFonts(bool redraw);
  void setIcons();

  HWND window_;
  HINSTANCE instance_;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  UniqueHfont ui_, time_, status_;
  UniqueHicon big_, small_;
};

}  // namespace morv::win32
