#pragma once
// The start-up form as a real window: the splash, with its texts and progress bar.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "win32/controls_win.h"
#include "win32/unique_handle.h"
#include "startup/intro_form.h"

namespace morv::win32 {

class IntroFormWin {
 public:
  // Created hidden. The owner is the program's application window, which owns every
  // window of the program.
  IntroFormWin(HINSTANCE instance, HWND owner);
  IntroFormWin(const IntroFormWin&) = delete;
  IntroFormWin& operator=(const IntroFormWin&) = delete;

  IntroFormControls& controls() { return *controls_; }
  void setTickHandler(std::function<void()> tick) { onTick_ = std::move(tick); }
  HWND hwnd() const { return window_.get(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void createChildren(HINSTANCE instance);
  // Fonts and places for the scale of the monitor the splash is on.
  void applyScale(int dpi, const RECT* suggested);

  // Fonts and brush outlive the window that uses them.
  UniqueHgdiobj background_;
  std::array<UniqueHfont, std::size(kSplashTexts)> fonts_;
  UniqueHwnd window_;
  std::array<HWND, std::size(kSplashTexts)> labels_{};
  HWND bar_ = nullptr;
  std::unique_ptr<FormWindowWin> form_;
  std::unique_ptr<TimerWin> timer_;
  std::unique_ptr<ProgressBarWin> progress_;
  std::unique_ptr<IntroFormControls> controls_;
  std::function<void()> onTick_;
};

}  // namespace morv::win32
