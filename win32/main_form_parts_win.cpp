// The main window's menus and controls, made once; their fonts and places follow the
// display scale (main_form_layout_win.cpp).
#include "win32/main_form_win.h"

#include <commctrl.h>

#include <iterator>
#include <utility>

#include "win32/main_form_ids.h"

namespace morv::win32 {
namespace {

HWND Child(HWND parent, const char* windowClass, const char* text, DWORD style, unsigned id,
           HINSTANCE instance, DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                         parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance,
                         nullptr);
}

}  // namespace

void MainFormWin::createMenus() {
  HMENU bar = CreateMenu();
  HMENU settings = CreatePopupMenu();
  AppendMenuA(settings, MF_STRING, ids::kStartInSystemTray, "&Start In System Tray\tF2");
  AppendMenuA(settings, MF_STRING, ids::kLoadWinAmpOnStart, "Load &Winamp On Start\tF3");
  AppendMenuA(settings, MF_STRING, ids::kRepeat, "&Repeat Alarm...\tCtrl+R");
  AppendMenuA(settings, MF_STRING, ids::kAlarms, "&Alarms...\tCtrl+L");
  AppendMenuA(settings, MF_STRING, ids::kAlarmSound, "Alarm S&ound...");
  // One choice of several: the check mark is a dot.
  HMENU snooze = CreatePopupMenu();
  const std::pair<unsigned, const char*> snoozes[] = {{ids::kSnoozeOff, "&Off"},
                                                      {ids::kSnooze5, "&5 Minutes"},
                                                      {ids::kSnooze9, "&9 Minutes"},
                                                      {ids::kSnooze10, "1&0 Minutes"},
                                                      {ids::kSnooze15, "&15 Minutes"}};
  for (const auto& [id, caption] : snoozes) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    item.fType = MFT_STRING | MFT_RADIOCHECK;
    item.wID = id;
    item.dwTypeData = const_cast<char*>(caption);
    InsertMenuItemA(snooze, GetMenuItemCount(snooze), TRUE, &item);
  }
  AppendMenuA(settings, MF_POPUP, reinterpret_cast<UINT_PTR>(snooze), "Snooze &Comes Back");
  HMENU help = CreatePopupMenu();
  AppendMenuA(help, MF_STRING, ids::kContents, "&Contents\tF1");
  AppendMenuA(help, MF_STRING, ids::kAbout, "&About\tCtrl+A");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), "S&ettings");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
  SetMenu(hwnd(), bar);  // destroyed with the window

  optionsHolder_.reset(CreatePopupMenu());
  HMENU options = CreatePopupMenu();
  AppendMenuA(options, MF_STRING, ids::kShowApp, "&Show Morvane");
  AppendMenuA(options, MF_STRING, ids::kStartWinAmp, "Start &WinAmp");
  AppendMenuA(options, MF_STRING, ids::kCloseWinAmp, "Clos&e WinAmp");
  AppendMenuA(options, MF_STRING, ids::kSetAlarm, "Se&t Alarm");
  AppendMenuA(options, MF_STRING, ids::kEndSnooze, "Turn Alarm &Off");
  AppendMenuA(options, MF_STRING, ids::kPopUpHelp, "&Help");
  AppendMenuA(options, MF_STRING, ids::kExitProgram, "E&xit");
  // The holder gives the Options menu an item of its own, so it can carry a caption
  // and an enabled state like any top-level menu.
  MENUITEMINFOA item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  item.wID = 0;
  item.hSubMenu = options;
  item.dwTypeData = const_cast<char*>("Options");
  InsertMenuItemA(optionsHolder_.get(), 0, TRUE, &item);

  ACCEL keys[] = {
      {FVIRTKEY, VK_F1, ids::kContents},          {FVIRTKEY, VK_F2, ids::kStartInSystemTray},
      {FVIRTKEY, VK_F3, ids::kLoadWinAmpOnStart}, {FVIRTKEY | FCONTROL, 'A', ids::kAbout},
      {FVIRTKEY | FCONTROL, 'R', ids::kRepeat},   {FVIRTKEY | FCONTROL, 'L', ids::kAlarms},
  };
  shortcuts_.reset(CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
}

void MainFormWin::createChildren(HINSTANCE instance) {
  HWND w = hwnd();
  // Creation order is the Tab order.
  Child(w, MONTHCAL_CLASSA, "", WS_TABSTOP | WS_BORDER, ids::kCalendar, instance);
  Child(w, "STATIC", "", SS_LEFT, ids::kLabel2, instance);
  Child(w, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, ids::kTimeBox, instance,
        WS_EX_CLIENTEDGE);
  Child(w, "STATIC", "", SS_LEFT, ids::kLabel1, instance);
  Child(w, "STATIC", "", SS_LEFT | SS_SUNKEN, ids::kDateLabel, instance);
  Child(w, "BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON, ids::kSet, instance);
  Child(w, "BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON, ids::kReset, instance);
  Child(w, "BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON, ids::kToTray, instance);
  Child(w, "BUTTON", "", WS_TABSTOP | BS_PUSHBUTTON, ids::kExit, instance);
  Child(w, STATUSCLASSNAMEA, "", SBARS_TOOLTIPS, ids::kStatusBar, instance);

  int oneWholePanel = -1;
  SendMessageA(GetDlgItem(w, ids::kStatusBar), SB_SETPARTS, 1,
               reinterpret_cast<LPARAM>(&oneWholePanel));
  // Subclassed by hand, not with SetWindowSubclass, for the reason ToolTips::set gives.
  HWND timeBox = GetDlgItem(w, ids::kTimeBox);
  SetWindowLongPtrW(timeBox, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  timeBoxEdit_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(timeBox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimeBoxProc)));
  tips_ = std::make_unique<ToolTips>(w);
}

}  // namespace morv::win32
