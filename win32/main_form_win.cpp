#include "win32/main_form_win.h"

#include <commctrl.h>

#include <iterator>
#include <utility>

#include "mainwindow/main_form_design.h"
#include "win32/dpi_win.h"
#include "win32/main_form_ids.h"
#include "resources/resource_ids.h"
#include "startup/app_title.h"

namespace morv::win32 {
namespace {

constexpr UINT kValidateTimeBox = WM_APP + 1;
constexpr UINT kTrayCallback = WM_APP + 2;
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kRingTimer = 2;

constexpr std::pair<unsigned, FormControl> kFocusable[] = {
    {ids::kCalendar, FormControl::Calendar}, {ids::kTimeBox, FormControl::TimeBox},
    {ids::kSet, FormControl::Set},           {ids::kReset, FormControl::Reset},
    {ids::kToTray, FormControl::ToTray},     {ids::kExit, FormControl::Exit}};

constexpr std::pair<unsigned, FormCommand> kCommands[] = {
    {ids::kSet, FormCommand::Set},
    {ids::kReset, FormCommand::Reset},
    {ids::kToTray, FormCommand::ToTray},
    {ids::kExit, FormCommand::Exit},
    {IDOK, FormCommand::Ok},
    {ids::kStartInSystemTray, FormCommand::StartInSystemTray},
    {ids::kLoadWinAmpOnStart, FormCommand::LoadWinAmpOnStart},
    {ids::kRepeat, FormCommand::Repeat},
    {ids::kAlarms, FormCommand::Alarms},
    {ids::kAlarmSound, FormCommand::AlarmSound},
    {ids::kSnoozeOff, FormCommand::SnoozeOff},
    {ids::kSnooze5, FormCommand::Snooze5},
    {ids::kSnooze9, FormCommand::Snooze9},
    {ids::kSnooze10, FormCommand::Snooze10},
    {ids::kSnooze15, FormCommand::Snooze15},
    {ids::kContents, FormCommand::Contents},
    {ids::kAbout, FormCommand::About},
    {ids::kShowApp, FormCommand::ShowApp},
    {ids::kStartWinAmp, FormCommand::StartWinAmp},
    {ids::kCloseWinAmp, FormCommand::CloseWinAmp},
    {ids::kSetAlarm, FormCommand::SetAlarm},
    {ids::kEndSnooze, FormCommand::EndSnooze},
    {ids::kPopUpHelp, FormCommand::PopUpHelp},
    {ids::kExitProgram, FormCommand::ExitProgram},
};

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
        mnuSnoozeOff(MenuItemWin::Command(bar, ids::kSnoozeOff)),
        mnuSnooze5(MenuItemWin::Command(bar, ids::kSnooze5)),
        mnuSnooze9(MenuItemWin::Command(bar, ids::kSnooze9)),
        mnuSnooze10(MenuItemWin::Command(bar, ids::kSnooze10)),
        mnuSnooze15(MenuItemWin::Command(bar, ids::kSnooze15)),
        mnuHelp(MenuItemWin::TopLevel(window, 1)),
        mnuContents(MenuItemWin::Command(bar, ids::kContents, "F1")),
        mnuAbout(MenuItemWin::Command(bar, ids::kAbout, "Ctrl+A")),
        mnuOptions(MenuItemWin::AtPosition(options, 0)),
        mnuShowApp(MenuItemWin::Command(options, ids::kShowApp)),
        mnuStartWinAmp(MenuItemWin::Command(options, ids::kStartWinAmp)),
        mnuCloseWinAmp(MenuItemWin::Command(options, ids::kCloseWinAmp)),
        mnuSetAlarm(MenuItemWin::Command(options, ids::kSetAlarm)),
        mnuEndSnooze(MenuItemWin::Command(options, ids::kEndSnooze)),
        mnuPopUpHelp(MenuItemWin::Command(options, ids::kPopUpHelp)),
        mnuExit(MenuItemWin::Command(options, ids::kExitProgram)),
        MyTimer(window, kClockTimer),
        RingTimer(window, kRingTimer) {}

  FormWindowWin form;
  ButtonWin cmdExit, cmdMin2Tray, cmdSet, cmdReset;
  TextBoxWin txtTime;
  MonthCalendarWin MonthView;
  StatusPanelWin StatusBar1;
  LabelWin Label1, Label2, lblDate;
  MenuItemWin mnuSettings, mnuStartInSystemTray, mnuLoadWinAmpOnStart, mnuSnoozeOff, mnuSnooze5,
      mnuSnooze9, mnuSnooze10, mnuSnooze15, mnuHelp, mnuContents, mnuAbout, mnuOptions, mnuShowApp,
      mnuStartWinAmp, mnuCloseWinAmp, mnuSetAlarm, mnuEndSnooze, mnuPopUpHelp, mnuExit;
  TimerWin MyTimer, RingTimer;
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
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassExA(&windowClass);

  // Owned by the hidden application window, yet with a taskbar button of its own.
  window_.reset(
      CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kMainWindowClass, kDesignCaption,
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                      CW_USEDEFAULT, CW_USEDEFAULT, 560, 300, owner, nullptr, instance, this));
  createMenus();
  createChildren(instance);
  scale_ = std::make_unique<MainFormScaleWin>(hwnd(), instance);
  scale_->apply(WindowDpi(hwnd()), nullptr);

  controls_ = std::make_unique<Controls>(hwnd(), GetMenu(hwnd()), optionsHolder_.get(), *tips_);
  tray_ = std::make_unique<TrayIconWin>(hwnd(), kTrayCallback, 1, instance);
  tray_->setClickHandler([this](int button) { events_->trayClicked(button); });
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
                                 c.mnuSnoozeOff,
                                 c.mnuSnooze5,
                                 c.mnuSnooze9,
                                 c.mnuSnooze10,
                                 c.mnuSnooze15,
                                 c.mnuHelp,
                                 c.mnuContents,
                                 c.mnuAbout,
                                 c.mnuOptions,
                                 c.mnuShowApp,
                                 c.mnuStartWinAmp,
                                 c.mnuCloseWinAmp,
                                 c.mnuSetAlarm,
                                 c.mnuEndSnooze,
                                 c.mnuPopUpHelp,
                                 c.mnuExit,
                                 c.MyTimer,
                                 c.RingTimer,
                                 *tray_});
  ApplyDesignTimeState(*ui_);
  tips_->set(c.txtTime.hwnd(), kTimeBoxTip);
  tips_->set(c.MonthView.hwnd(), kCalendarTip);
  tips_->set(c.StatusBar1.hwnd(), kStatusDesignText);
  form_ = std::make_unique<FrmMain>(desktop_.desktop, *ui_);
  events_ = std::make_unique<FormEvents>(desktop_.desktop, *form_, desktop_.modality,
                                         [this] { PostMessageA(hwnd(), WM_CLOSE, 0, 0); });
  // A second start may run at another integrity level; its call must still come through.
  anotherStart_ = desktop_.windows.registeredMessage(kAnotherStartMessage);
  ChangeWindowMessageFilterEx(hwnd(), anotherStart_, MSGFLT_ALLOW, nullptr);
  // The icon must not outlive the program, however the program ends.
  desktop_.program.atEnd([this] { tray_->setIconVisible(false); });
}

MainFormWin::~MainFormWin() = default;

bool MainFormWin::preTranslate(MSG& message) {
  if (tips_) tips_->relay(message);
  if (TranslateAcceleratorA(hwnd(), shortcuts_.get(), &message)) return true;
  // The time box is told whether the focus came to it by Tab.
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
  if (!self || !self->events_) return DefWindowProcA(window, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT MainFormWin::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tray_ && tray_->handleMessage(message, wParam, lParam)) return 0;
  if (message == anotherStart_) {
    events_->anotherStart();
    return 0;
  }
  switch (message) {
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam), lParam);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == ids::kCalendar && header->code == MCN_SELECT) {
        const SYSTEMTIME& day = reinterpret_cast<const NMSELCHANGE*>(lParam)->stSelStart;
        events_->dateClicked({day.wYear, day.wMonth, day.wDay});
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
      if (wParam == kClockTimer) events_->tick();
      if (wParam == kRingTimer) events_->ringTimer();
      return 0;
    case kValidateTimeBox:
      // A button pressed to leave the box still holds the mouse; its click would land
      // in the middle of the check's questions.
      if (events_->typedTimeAwaitsCheck()) {
        ReleaseCapture();
        events_->checkTypedTime();
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        events_->deactivated(controlOf(GetFocus()));
      } else if (!HIWORD(wParam)) {
        if (HWND control = hwndOf(events_->activated())) {
          SetFocus(control);
          return 0;
        }
      }
      return DefWindowProcA(hwnd(), message, wParam, lParam);
    case kFocusedControlDisabling:
      return reinterpret_cast<LRESULT>(
          hwndOf(events_->focusSuccessor(controlOf(reinterpret_cast<HWND>(lParam)))));
    case WM_POWERBROADCAST:
      // A wake reports itself once as automatic, and again when the user is back.
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
        events_->resumed();
      }
      return TRUE;
    case WM_SHOWWINDOW:
      if (wParam) controls_->txtTime.showPending();
      return DefWindowProcA(hwnd(), message, wParam, lParam);
    case WM_SETTINGCHANGE:  // a new time zone may come only as this; so may a new scale
      tray_->followTaskbarScale();
      events_->timeChanged();
      return DefWindowProcA(hwnd(), message, wParam, lParam);
    case WM_TIMECHANGE:
      events_->timeChanged();
      return DefWindowProcA(hwnd(), message, wParam, lParam);
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
      return *closeMessage(CloseFrom::MainWindow, message, wParam);
    case WM_DPICHANGED:
      // Dragged onto a monitor of another scale, or the scale changed under it.
      scale_->apply(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      tray_->followTaskbarScale();
      return 0;
    case WM_DISPLAYCHANGE:  // monitors added, removed or rearranged
      tray_->followTaskbarScale();
      return DefWindowProcA(hwnd(), message, wParam, lParam);
    case WM_SIZE:
      scale_->resized();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd(), message, wParam, lParam);
  }
}

std::optional<LRESULT> MainFormWin::applicationWindowMessage(UINT message, WPARAM wParam) {
  if (!events_) return std::nullopt;
  return closeMessage(CloseFrom::ApplicationWindow, message, wParam);
}

// Close requests and the end of the session, whichever of our windows they reach.
std::optional<LRESULT> MainFormWin::closeMessage(CloseFrom from, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_CLOSE:
      events_->closeRequested(from);
      return 0;
    case WM_QUERYENDSESSION: {
      // While the questions are open Windows lists Morvane with this reason among the
      // programs holding the shutdown up, rather than ending it with the alarm unsaved.
      ShutdownBlockReasonCreate(hwnd(), L"Morvane is asking whether to save your alarm.");
      const bool mayEnd = events_->sessionMayEnd();
      ShutdownBlockReasonDestroy(hwnd());
      return mayEnd ? TRUE : FALSE;
    }
    case WM_ENDSESSION:
      if (wParam) events_->sessionEnds();
      return 0;
    default:
      return std::nullopt;
  }
}

void MainFormWin::onCommand(UINT id, UINT code, LPARAM lParam) {
  // The time box's own notifications (EN_KILLFOCUS among them) come in the middle of a
  // focus change; only menus, shortcuts, Enter and button clicks are commands.
  if (lParam != 0 && code != BN_CLICKED && id != IDOK) return;
  for (const auto& [commandId, command] : kCommands) {
    if (commandId != id) continue;
    const CommandSource source = lParam != 0 ? CommandSource::Button
                                 : code == 1 ? CommandSource::Shortcut
                                             : CommandSource::Menu;
    return events_->command(command, source);
  }
}

FormControl MainFormWin::controlOf(HWND window) const {
  if (!window || !IsChild(hwnd(), window)) return FormControl::None;
  while (GetParent(window) != hwnd()) window = GetParent(window);
  const auto id = static_cast<unsigned>(GetDlgCtrlID(window));
  for (const auto& [controlId, control] : kFocusable) {
    if (controlId == id) return control;
  }
  return FormControl::None;
}

HWND MainFormWin::hwndOf(FormControl control) const {
  for (const auto& [controlId, known] : kFocusable) {
    if (known == control) return GetDlgItem(hwnd(), static_cast<int>(controlId));
  }
  return nullptr;
}

LRESULT CALLBACK MainFormWin::TimeBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<MainFormWin*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  return self->timeBox(edit, message, wParam, lParam);
}

LRESULT MainFormWin::timeBox(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcW(timeBoxEdit_, edit, message, wParam, lParam);
  if (!events_) return result;
  bool selectAll = false;
  switch (message) {
    case WM_LBUTTONUP:
      selectAll = events_->timeBoxClicked();
      break;
    case WM_SETFOCUS:
      selectAll = events_->focusEntersTimeBox(focusByKeyboard_);
      break;
    case WM_KILLFOCUS:
      // The check runs once the focus has settled.
      if (events_->focusLeavesTimeBox(controlOf(reinterpret_cast<HWND>(wParam)))) {
        PostMessageA(hwnd(), kValidateTimeBox, 0, 0);
      }
      break;
    default:
      break;
  }
  if (selectAll) SendMessageA(edit, EM_SETSEL, 0, -1);
  return result;
}

}  // namespace morv::win32
