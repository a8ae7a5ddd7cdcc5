#include "platform/win32/main_form_win.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "mainwindow/main_form_design.h"
#include "platform/win32/main_form_ids.h"
#include "platform/win32/ui_fonts.h"
#include "resources/resource_ids.h"

namespace morv::win32 {
namespace {

constexpr char kClassName[] = "MorvaneMainWindow";
constexpr UINT kValidateTimeBox = WM_APP + 1;
constexpr UINT kTrayCallback = WM_APP + 2;
constexpr UINT_PTR kClockTimer = 1;

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

struct MainFormWin::Controls {
  Controls(HWND window, HMENU bar, HMENU options, ToolTips& tips)
      : form(window),
        cmdExit(GetDlgItem(window, ids::kExit), tips),
        cmdMin2Tray(GetDlgItem(window, ids::kToTray), tips),
        cmdSet(GetDlgItem(window, ids::kSet), tips),
        cmdReset(GetDlgItem(window, ids::kReset), tips),
        txtTime(GetDlgItem(window, ids::kTimeBox)),
        MonthView(GetDlgItem(window, ids::kCalendar)),
        StatusBar1(GetDlgItem(window, ids::kStatusBar)),
        Label1(GetDlgItem(window, ids::kLabel1)),
        Label2(GetDlgItem(window, ids::kLabel2)),
        lblDate(GetDlgItem(window, ids::kDateLabel)),
        mnuSettings(MenuItemWin::TopLevel(window, 0)),
        mnuStartInSystemTray(MenuItemWin::Command(bar, ids::kStartInSystemTray, "F2")),
        mnuLoadWinAmpOnStart(MenuItemWin::Command(bar, ids::kLoadWinAmpOnStart, "F3")),
        mnuHelp(MenuItemWin::TopLevel(window, 1)),
        mnuContents(MenuItemWin::Command(bar, ids::kContents, "F1")),
        mnuAbout(MenuItemWin::Command(bar, ids::kAbout, "Ctrl+A")),
        mnuOptions(MenuItemWin::AtPosition(options, 0)),
        mnuShowApp(MenuItemWin::Command(options, ids::kShowApp)),
        mnuStartWinAmp(MenuItemWin::Command(options, ids::kStartWinAmp)),
        mnuCloseWinAmp(MenuItemWin::Command(options, ids::kCloseWinAmp)),
        mnuSetAlarm(MenuItemWin::Command(options, ids::kSetAlarm)),
        mnuPopUpHelp(MenuItemWin::Command(options, ids::kPopUpHelp)),
        mnuExit(MenuItemWin::Command(options, ids::kExitProgram)),
        MyTimer(window, kClockTimer) {}

  FormWindowWin form;
  ButtonWin cmdExit, cmdMin2Tray, cmdSet, cmdReset;
  TextBoxWin txtTime;
  MonthCalendarWin MonthView;
  StatusPanelWin StatusBar1;
  LabelWin Label1, Label2, lblDate;
  MenuItemWin mnuSettings, mnuStartInSystemTray, mnuLoadWinAmpOnStart, mnuHelp, mnuContents,
      mnuAbout, mnuOptions, mnuShowApp, mnuStartWinAmp, mnuCloseWinAmp, mnuSetAlarm, mnuPopUpHelp,
      mnuExit;
  TimerWin MyTimer;
};

MainFormWin::MainFormWin(DesktopWin& desktop, HINSTANCE instance, HWND owner) : desktop_(desktop) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MORVANE));
  windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MORVANE),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExA(&windowClass);

  // Owned by the hidden application window, yet with a taskbar button of its own.
  window_.reset(
      CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kClassName, kDesignCaption,
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                      CW_USEDEFAULT, CW_USEDEFAULT, 560, 300, owner, nullptr, instance, this));
  createMenus();
  createChildren(instance);
  layOut();

  controls_ = std::make_unique<Controls>(hwnd(), GetMenu(hwnd()), optionsHolder_.get(), *tips_);
  tray_ = std::make_unique<TrayIconWin>(hwnd(), kTrayCallback, 1, instance);
  tray_->setClickHandler([this](int button) { form_->SysTray_TrayClick(button); });
  Controls& c = *controls_;
  ui_.reset(new MainFormControls{c.form,
                                 c.cmdExit,
                                 c.cmdMin2Tray,
                                 c.cmdSet,
                                 c.cmdReset,
                                 c.txtTime,
                                 c.MonthView,
                                 c.StatusBar1,
                                 c.Label1,
                                 c.Label2,
                                 c.lblDate,
                                 c.mnuSettings,
                                 c.mnuStartInSystemTray,
                                 c.mnuLoadWinAmpOnStart,
                                 c.mnuHelp,
                                 c.mnuContents,
                                 c.mnuAbout,
                                 c.mnuOptions,
                                 c.mnuShowApp,
                                 c.mnuStartWinAmp,
                                 c.mnuCloseWinAmp,
                                 c.mnuSetAlarm,
                                 c.mnuPopUpHelp,
                                 c.mnuExit,
                                 c.MyTimer,
                                 *tray_});
  ApplyDesignTimeState(*ui_);
  tips_->set(c.txtTime.hwnd(), kTimeBoxTip);
  tips_->set(c.MonthView.hwnd(), kCalendarTip);
  tips_->set(c.StatusBar1.hwnd(), kStatusDesignText);
  form_ = std::make_unique<FrmMain>(desktop_.desktop, *ui_);
  // The icon must not outlive the program, however the program ends.
  desktop_.program.atEnd([this] { tray_->setIconVisible(false); });
}

MainFormWin::~MainFormWin() = default;

void MainFormWin::createMenus() {
  HMENU bar = CreateMenu();
  HMENU settings = CreatePopupMenu();
  AppendMenuA(settings, MF_STRING, ids::kStartInSystemTray, "&Start In System Tray\tF2");
  AppendMenuA(settings, MF_STRING, ids::kLoadWinAmpOnStart, "Load &Winamp On Start\tF3");
  AppendMenuA(settings, MF_STRING, ids::kRepeat, "&Repeat Alarm...\tCtrl+R");
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

  // One shortcut a line.
  // clang-format off
  ACCEL keys[] = {
      {FVIRTKEY, VK_F1, ids::kContents},
      {FVIRTKEY, VK_F2, ids::kStartInSystemTray},
      {FVIRTKEY, VK_F3, ids::kLoadWinAmpOnStart},
      {FVIRTKEY | FCONTROL, 'A', ids::kAbout},
      {FVIRTKEY | FCONTROL, 'R', ids::kRepeat},
  };
  // clang-format on
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

bool MainFormWin::preTranslate(MSG& message) {
  if (tips_) tips_->relay(message);
  if (TranslateAcceleratorA(hwnd(), shortcuts_.get(), &message)) return true;
  // Tab moving the focus into the time box counts as a click on it, or a keyboard
  // user could never type a time.
  focusByKeyboard_ = message.message == WM_KEYDOWN && message.wParam == VK_TAB;
  const bool used = IsDialogMessageA(hwnd(), &message) != FALSE;
  focusByKeyboard_ = false;
  return used;
}

LRESULT CALLBACK MainFormWin::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainFormWin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || !self->form_) return DefWindowProcA(window, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT MainFormWin::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tray_ && tray_->handleMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_COMMAND: {
      const UINT id = LOWORD(wParam);
      const UINT code = HIWORD(wParam);
      // Menus, shortcuts and button clicks are commands; the time box's own
      // notifications (EN_KILLFOCUS among them) come in the middle of a focus change.
      const bool isCommand = lParam == 0 || code == BN_CLICKED;
      if (isCommand && !settleTimeBoxBefore(id)) return 0;
      onCommand(id, code, code == 1 && lParam == 0);
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == ids::kCalendar && header->code == MCN_SELECT &&
          settleTimeBoxBefore(ids::kCalendar)) {
        const auto* change = reinterpret_cast<const NMSELCHANGE*>(lParam);
        const SYSTEMTIME& day = change->stSelStart;
        form_->MonthView_DateClick({day.wYear, day.wMonth, day.wDay});
      }
      return 0;
    }
    case WM_SETCURSOR:
      // The hourglass holds over the whole window while the help document starts.
      if (controls_->form.mousePointer() == MousePointer::Hourglass) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      return DefWindowProcA(hwnd(), message, wParam, lParam);
    case WM_TIMER:
      if (wParam == kClockTimer && controls_->MyTimer.enabled()) form_->MyTimer_Timer();
      return 0;
    case kValidateTimeBox:
      validateTimeBox();
      return 0;
    case WM_CLOSE:
      // Every way of closing the window goes through the close query.
      form_->RequestClose();
      return 0;
    case WM_QUERYENDSESSION: {
      // Windows shutting down or the user logging off asks the same questions as Exit.
      // While they are open, Windows lists Morvane with this reason among the programs
      // holding the shutdown up, rather than ending it with the alarm unsaved. A refused
      // close holds the shutdown; the user may still shut down anyway.
      ShutdownBlockReasonCreate(hwnd(), L"Morvane is asking whether to save your alarm.");
      bool cancel = false;
      form_->Form_QueryUnload(cancel);
      ShutdownBlockReasonDestroy(hwnd());
      return cancel ? FALSE : TRUE;
    }
    case WM_SHOWWINDOW:
      if (wParam) controls_->txtTime.showPending();
      return DefWindowProcA(hwnd(), message, wParam, lParam);
    case WM_ENDSESSION:
      // The session ends after all (the user chose to shut down anyway).
      if (wParam) desktop_.program.end();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd(), message, wParam, lParam);
  }
}

bool MainFormWin::commandAvailable(UINT id) const {
  const Controls& c = *controls_;
  switch (id) {
    case ids::kStartInSystemTray:
      return c.mnuSettings.enabled() && c.mnuStartInSystemTray.enabled();
    case ids::kLoadWinAmpOnStart:
      return c.mnuSettings.enabled() && c.mnuLoadWinAmpOnStart.enabled();
    case ids::kRepeat:
      return c.mnuSettings.enabled();
    case ids::kContents:
      return c.mnuHelp.enabled() && c.mnuContents.enabled();
    case ids::kAbout:
      return c.mnuHelp.enabled() && c.mnuAbout.enabled();
    default:
      return true;
  }
}

void MainFormWin::onCommand(UINT id, UINT code, bool fromShortcut) {
  // A shortcut must do nothing while its menu item is greyed, like a click on it.
  if (fromShortcut && !commandAvailable(id)) return;
  const bool clicked = code == BN_CLICKED;
  switch (id) {
    case ids::kSet:
      if (clicked) form_->cmdSet_Click();
      break;
    case ids::kReset:
      if (clicked) form_->cmdReset_Click();
      break;
    case ids::kExit:
      if (clicked) form_->cmdExit_Click();
      break;
    case ids::kToTray:
      if (clicked) form_->cmdMin2Tray_Click();
      break;
    case IDOK:
      // Enter in the time box means the typing is done: leave it, which validates.
      if (GetFocus() == controls_->txtTime.hwnd()) SetFocus(controls_->cmdSet.hwnd());
      break;
    case ids::kStartInSystemTray:
      form_->mnuStartInSystemTray_Click();
      break;
    case ids::kLoadWinAmpOnStart:
      form_->mnuLoadWinAmpOnStart_Click();
      break;
    case ids::kRepeat:
      form_->mnuRepeat_Click();
      break;
    case ids::kContents:
      form_->mnuContents_Click();
      break;
    case ids::kAbout:
      form_->mnuAbout_Click();
      break;
    case ids::kShowApp:
      form_->mnuShowApp_Click();
      break;
    case ids::kStartWinAmp:
      form_->mnuStartWinAmp_Click();
      break;
    case ids::kCloseWinAmp:
      form_->mnuCloseWinAmp_Click();
      break;
    case ids::kSetAlarm:
      form_->mnuSetAlarm_Click();
      break;
    case ids::kPopUpHelp:
      form_->mnuPopUpHelp_Click();
      break;
    case ids::kExitProgram:
      form_->mnuExit_Click();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainFormWin::TimeBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainFormWin*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  return self->timeBox(edit, message, wParam, lParam);
}

LRESULT MainFormWin::timeBox(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONUP: {
      const LRESULT result = CallWindowProcW(timeBoxEdit_, edit, message, wParam, lParam);
      const bool wasLocked = controls_->txtTime.readOnly();
      form_->txtTime_Click();
      // The first click selects the clock's text, so typing replaces it.
      if (wasLocked) SendMessageA(edit, EM_SETSEL, 0, -1);
      return result;
    }
    case WM_SETFOCUS: {
      const LRESULT result = CallWindowProcW(timeBoxEdit_, edit, message, wParam, lParam);
      if (focusByKeyboard_) {
        form_->txtTime_Click();
        SendMessageA(edit, EM_SETSEL, 0, -1);
      }
      return result;
    }
    case WM_KILLFOCUS: {
      // Like a form's validation: only a move to another control of this window
      // counts. Switching to another program, or to one of our own message boxes,
      // does not. The check runs once the focus has settled.
      HWND next = reinterpret_cast<HWND>(wParam);
      if (next && IsChild(hwnd(), next)) {
        timeBoxCheckOwed_ = true;
        PostMessageA(hwnd(), kValidateTimeBox, 0, 0);
      }
      return CallWindowProcW(timeBoxEdit_, edit, message, wParam, lParam);
    }
    default:
      return CallWindowProcW(timeBoxEdit_, edit, message, wParam, lParam);
  }
}

// A command must never act on a time the user is still typing. An access key presses
// its button inside the key's own handling, before the check that the focus leaving the
// box posted could run: without this, Alt+O armed the time the box was replacing. So
// the owed check runs first, and the command that came with the leave is dropped, as a
// mouse click on a button is. Commands that would take the focus from the box
// themselves (arming from the tray menu, Clear) count as leaving it.
bool MainFormWin::settleTimeBoxBefore(UINT command) {
  const bool leaves = command == ids::kSet || command == ids::kReset || command == ids::kSetAlarm;
  HWND box = controls_->txtTime.hwnd();
  if (leaves && GetFocus() == box && !controls_->txtTime.readOnly()) timeBoxCheckOwed_ = true;
  return !validateTimeBox();
}

bool MainFormWin::validateTimeBox() {
  if (!timeBoxCheckOwed_) return false;
  timeBoxCheckOwed_ = false;
  // A button pressed to leave the box still holds the mouse; its click would land in
  // the middle of the questions below.
  ReleaseCapture();
  bool cancel = false;
  form_->txtTime_Validate(cancel);
  if (cancel) SetFocus(controls_->txtTime.hwnd());
  return true;
}

}  // namespace morv::win32
