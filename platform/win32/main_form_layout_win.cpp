// The main window's menus, controls and their places.
#include "platform/win32/main_form_win.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "platform/win32/main_form_ids.h"
#include "platform/win32/ui_fonts.h"

namespace morv::win32 {
namespace {

// Layout in pixels at 96 dpi.
constexpr int kMargin = 12;
constexpr int kColumn = 250;
constexpr int kButtonWidth = 118;
constexpr int kButtonHeight = 30;
constexpr int kGap = 8;

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
      {FVIRTKEY, VK_F1, ids::kContents},
      {FVIRTKEY, VK_F2, ids::kStartInSystemTray},
      {FVIRTKEY, VK_F3, ids::kLoadWinAmpOnStart},
      {FVIRTKEY | FCONTROL, 'A', ids::kAbout},
  };
  shortcuts_.reset(CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
}

void MainFormWin::createChildren(HINSTANCE instance) {
  HWND w = hwnd();
  uiFont_ = MessageFont(w);
  timeFont_ = FontOrFallback(w, "MS Sans Serif", 10);
  statusFont_ = FontOrFallback(w, "Berlin Sans FB", 9);

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

  for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.get()), FALSE);
  }
  SendMessageA(GetDlgItem(w, ids::kTimeBox), WM_SETFONT, reinterpret_cast<WPARAM>(timeFont_.get()),
               FALSE);
  SendMessageA(GetDlgItem(w, ids::kStatusBar), WM_SETFONT,
               reinterpret_cast<WPARAM>(statusFont_.get()), FALSE);
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

void MainFormWin::layOut() {
  HWND w = hwnd();
  HDC dc = GetDC(w);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(w, dc);
  auto px = [dpi](int value) { return MulDiv(value, dpi, 96); };

  HWND calendar = GetDlgItem(w, ids::kCalendar);
  RECT need{};
  SendMessageA(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
  const int calendarWidth = std::max<int>(need.right - need.left, px(200));
  const int calendarHeight = std::max<int>(need.bottom - need.top, px(150));
  MoveWindow(calendar, px(kMargin), px(kMargin), calendarWidth, calendarHeight, FALSE);

  const int x = px(kMargin) + calendarWidth + px(2 * kMargin);
  const int column = px(kColumn);
  int y = px(kMargin);
  MoveWindow(GetDlgItem(w, ids::kLabel1), x, y + px(3), px(90), px(20), FALSE);
  MoveWindow(GetDlgItem(w, ids::kDateLabel), x + px(92), y, column - px(92), px(24), FALSE);
  y += px(40);
  MoveWindow(GetDlgItem(w, ids::kLabel2), x, y, column, px(20), FALSE);
  y += px(22);
  MoveWindow(GetDlgItem(w, ids::kTimeBox), x, y, column, px(26), FALSE);
  y += px(26) + px(18);
  const unsigned buttons[] = {ids::kSet, ids::kReset, ids::kToTray, ids::kExit};
  for (int i = 0; i < 4; ++i) {
    MoveWindow(GetDlgItem(w, buttons[i]), x + (i % 2) * (px(kButtonWidth) + px(kGap) + px(6)),
               y + (i / 2) * (px(kButtonHeight) + px(kGap)), px(kButtonWidth), px(kButtonHeight),
               FALSE);
  }
  const int contentBottom =
      std::max(px(kMargin) + calendarHeight, y + 2 * px(kButtonHeight) + px(kGap));

  HWND status = GetDlgItem(w, ids::kStatusBar);
  RECT statusRect{};
  GetWindowRect(status, &statusRect);
  RECT client{0, 0, x + column + px(kMargin),
              contentBottom + px(kMargin) + (statusRect.bottom - statusRect.top)};
  AdjustWindowRectEx(&client, GetWindowLongA(w, GWL_STYLE), TRUE, GetWindowLongA(w, GWL_EXSTYLE));
  // Centred on the work area, like a dialog.
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  MoveWindow(w, work.left + (work.right - work.left - width) / 2,
             work.top + (work.bottom - work.top - height) / 2, width, height, FALSE);
  SendMessageA(status, WM_SIZE, 0, 0);
}

}  // namespace morv::win32
