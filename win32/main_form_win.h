#pragma once
// The main window as a real Win32 window: its controls, menus, shortcuts and the
// dispatch of their events to the form's handlers.
#include <windows.h>

#include <memory>
#include <optional>

#include "mainwindow/form_events.h"
#include "mainwindow/frm_main.h"
#include "win32/controls_win.h"
#include "win32/desktop_win.h"
#include "win32/main_form_layout_win.h"
#include "win32/tray_icon_win.h"
#include "win32/unique_handle.h"

namespace morv::win32 {

class MainFormWin {
 public:
  // Creates the window hidden, in its design-time state; the load has not run yet.
  MainFormWin(DesktopWin& desktop, HINSTANCE instance, HWND owner);
  ~MainFormWin();
  MainFormWin(const MainFormWin&) = delete;
  MainFormWin& operator=(const MainFormWin&) = delete;

  FrmMain& form() { return *form_; }
  HWND hwnd() const { return window_.get(); }
  // Shortcut keys and keyboard navigation; true when the message was used up.
  bool preTranslate(MSG& message);
  // What the hidden application window passes on: close requests and the session's end.
  std::optional<LRESULT> applicationWindowMessage(UINT message, WPARAM wParam);

 private:
  struct Controls;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TimeBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT timeBox(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> closeMessage(CloseFrom from, UINT message, WPARAM wParam);
  void onCommand(UINT id, UINT code, LPARAM lParam);
  FormControl controlOf(HWND window) const;
  HWND hwndOf(FormControl control) const;
  // main_form_parts_win.cpp
  void createChildren(HINSTANCE instance);
  void createMenus();

  DesktopWin& desktop_;
  UniqueHwnd window_;
  UniqueHmenu optionsHolder_;  // holds the Options menu, which is never on the menu bar
  UniqueHaccel shortcuts_;
  std::unique_ptr<MainFormScaleWin> scale_;
  std::unique_ptr<ToolTips> tips_;
  std::unique_ptr<TrayIconWin> tray_;
  std::unique_ptr<Controls> controls_;
  std::unique_ptr<MainFormControls> ui_;
  std::unique_ptr<FrmMain> form_;
  std::unique_ptr<FormEvents> events_;
  UINT anotherStart_ = 0;          // the message a second start posts
  WNDPROC timeBoxEdit_ = nullptr;  // the edit control's own procedure, under ours
  bool focusByKeyboard_ = false;
};

}  // namespace morv::win32
