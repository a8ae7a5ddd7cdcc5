#include "win32/controls_win.h"

#include <commctrl.h>

#include <vector>

#include "win32/wide_text.h"

namespace morv::win32 {
namespace {

// Disabling the control that holds the focus would leave the keyboard nowhere: its
// window says which control takes the focus instead.
void EnableKeepingFocus(HWND control, bool on) {
  if (!on && GetFocus() == control) {
    HWND next = reinterpret_cast<HWND>(SendMessageA(GetParent(control), kFocusedControlDisabling, 0,
                                                    reinterpret_cast<LPARAM>(control)));
    if (next && next != control) SetFocus(next);
  }
  EnableWindow(control, on ? TRUE : FALSE);
}

}  // namespace

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::vector<wchar_t> text(static_cast<size_t>(length) + 2, L'\0');
  const int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return Utf8(std::wstring_view(text.data(), got > 0 ? static_cast<size_t>(got) : 0));
}

// Setting a text a window already shows would still cost a repaint and, under Wine, a
// round trip to the server: once a second adds up for a clock that waits for days.
void SetText(HWND window, const std::string& text) {
  if (WindowText(window) == text) return;
  SetWindowTextW(window, Wide(text).c_str());
}

ToolTips::ToolTips(HWND owner)
    : owner_(owner),
      tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                            nullptr, GetModuleHandleA(nullptr), nullptr)) {
  SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void ToolTips::set(HWND control, const std::string& text) {
  std::wstring wide = Wide(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  // Not TTF_SUBCLASS: a comctl32 subclass looks its data up in a window property on
  // every message the control gets, and under Wine each lookup is a round trip to the
  // server; the clock's box gets several messages a second, for days.
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = owner_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  // Wine adds a second tool for a control that has one; the first would go on answering.
  if (tools_.insert(control).second) {
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  } else {
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void ToolTips::relay(const MSG& message) {
  if (message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST) return;
  if (!tools_.count(message.hwnd)) return;
  MSG copy = message;
  SendMessageW(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
}

bool ButtonWin::enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void ButtonWin::setEnabled(bool on) { EnableKeepingFocus(hwnd_, on); }
void ButtonWin::setFocus() { SetFocus(hwnd_); }
std::string ButtonWin::caption() const { return WindowText(hwnd_); }
void ButtonWin::setCaption(const std::string& text) { SetText(hwnd_, text); }
void ButtonWin::setToolTip(const std::string& text) {
  if (text == tip_) return;
  tip_ = text;
  tips_.set(hwnd_, text);
}

bool TextBoxWin::enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void TextBoxWin::setEnabled(bool on) { EnableKeepingFocus(hwnd_, on); }
void TextBoxWin::setFocus() { SetFocus(hwnd_); }
std::string TextBoxWin::text() const { return pending_ ? *pending_ : WindowText(hwnd_); }

// While the window is in the tray the clock's text waits here: an edit control
// invalidates itself at every change, shown or not, and under Wine each of those is a
// round trip to the server, every second for a clock nobody can see.
void TextBoxWin::setText(const std::string& text) {
  if (!IsWindowVisible(hwnd_)) {
    pending_ = text;
    return;
  }
  pending_.reset();
  SetText(hwnd_, text);
}

void TextBoxWin::showPending() {
  if (!pending_) return;
  SetText(hwnd_, *pending_);
  pending_.reset();
}
bool TextBoxWin::readOnly() const { return (GetWindowLongA(hwnd_, GWL_STYLE) & ES_READONLY) != 0; }
void TextBoxWin::setReadOnly(bool on) { SendMessageA(hwnd_, EM_SETREADONLY, on ? TRUE : FALSE, 0); }

std::string LabelWin::caption() const { return WindowText(hwnd_); }
void LabelWin::setCaption(const std::string& text) { SetText(hwnd_, text); }

bool MonthCalendarWin::enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void MonthCalendarWin::setEnabled(bool on) { EnableKeepingFocus(hwnd_, on); }
void MonthCalendarWin::setFocus() { SetFocus(hwnd_); }

CalendarDate MonthCalendarWin::date() const {
  SYSTEMTIME t{};
  SendMessageA(hwnd_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&t));
  return {t.wYear, t.wMonth, t.wDay};
}

void MonthCalendarWin::setDate(const CalendarDate& date) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(date.year);
  t.wMonth = static_cast<WORD>(date.month);
  t.wDay = static_cast<WORD>(date.day);
  SendMessageA(hwnd_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&t));
}

void StatusPanelWin::setText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  SendMessageW(hwnd_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Wide(text_).c_str()));
}

int ProgressBarWin::value() const {
  return static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0));
}
void ProgressBarWin::setValue(int value) { SendMessageA(hwnd_, PBM_SETPOS, value, 0); }
int ProgressBarWin::maximum() const {
  return static_cast<int>(SendMessageA(hwnd_, PBM_GETRANGE, FALSE, 0));
}
void ProgressBarWin::setMaximum(int maximum) { SendMessageA(hwnd_, PBM_SETRANGE32, 0, maximum); }

void TimerWin::setInterval(std::chrono::milliseconds interval) {
  if (interval == interval_) return;  // the countdown runs on
  interval_ = interval;
  if (enabled_) SetTimer(owner_, id_, static_cast<UINT>(interval_.count()), nullptr);
}

void TimerWin::setEnabled(bool on) {
  if (on == enabled_) return;  // a running timer keeps its countdown
  enabled_ = on;
  if (on) {
    SetTimer(owner_, id_, static_cast<UINT>(interval_.count()), nullptr);
  } else {
    KillTimer(owner_, id_);
    // A tick that fell due just before the stop may already wait in the queue.
    MSG stale;
    while (PeekMessageA(&stale, owner_, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
  }
}

std::string FormWindowWin::caption() const { return WindowText(hwnd_); }
void FormWindowWin::setCaption(const std::string& text) { SetText(hwnd_, text); }
bool FormWindowWin::visible() const { return IsWindowVisible(hwnd_) != FALSE; }

void FormWindowWin::show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void FormWindowWin::hide() { ShowWindow(hwnd_, SW_HIDE); }

void FormWindowWin::repaint() { UpdateWindow(hwnd_); }

// SW_MINIMIZE would show a hidden window, minimised, on the taskbar.
void FormWindowWin::minimize() {
  if (IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_MINIMIZE);
}

void FormWindowWin::popUpMenu(MenuItem& menu) {
  const auto* holder = dynamic_cast<MenuItemWin*>(&menu);
  if (!holder || !holder->items()) return;
  POINT at{};
  GetCursorPos(&at);
  TrackPopupMenuEx(holder->items(), 0, at.x, at.y, hwnd_, nullptr);
  // Without a message after it, a second click on the tray icon can open the menu and
  // close it at once (a long-standing quirk of pop-up menus owned by a hidden window).
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void FormWindowWin::setMousePointer(MousePointer pointer) {
  pointer_ = pointer;
  SetCursor(LoadCursor(nullptr, pointer == MousePointer::Hourglass ? IDC_WAIT : IDC_ARROW));
}

}  // namespace morv::win32
