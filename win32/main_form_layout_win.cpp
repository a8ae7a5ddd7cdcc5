#include "win32/main_form_layout_win.h"

#include <commctrl.h>

#include <algorithm>

#include "mainwindow/main_form_layout.h"
#include "win32/dpi_win.h"
#include "win32/main_form_ids.h"
#include "win32/ui_fonts.h"
#include "resources/resource_ids.h"

namespace morv::win32 {
namespace {

// The control of each part of the layout, in MainPart's order.
constexpr unsigned kPartIds[kMainParts] = {
    ids::kCalendar, ids::kLabel2, ids::kTimeBox, ids::kLabel1, ids::kDateLabel,
    ids::kSet,      ids::kReset,  ids::kToTray,  ids::kExit,   ids::kStatusBar,
};

HWND Part(HWND window, MainPart part) {
  return GetDlgItem(window, kPartIds[static_cast<size_t>(part)]);
}

void SetFont(HWND control, HFONT font, bool redraw) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
}

}  // namespace

void MainFormScaleWin::setFonts(bool redraw) {
  // The new fonts are in place before the old ones go.
  UniqueHfont ui = MessageFont(dpi_);
  UniqueHfont time = FontOrFallback("MS Sans Serif", 10, dpi_);
  UniqueHfont status = FontOrFallback("Berlin Sans FB", 9, dpi_);
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    SetFont(child, ui.get(), redraw);
  }
  SetFont(Part(window_, MainPart::kTimeBox), time.get(), redraw);
  SetFont(Part(window_, MainPart::kStatusBar), status.get(), redraw);
  ui_ = std::move(ui);
  time_ = std::move(time);
  status_ = std::move(status);
}

void MainFormScaleWin::setIcons() {
  UniqueHicon big = LoadIconSized(instance_, IDI_MORVANE, MetricForDpi(SM_CXICON, dpi_));
  UniqueHicon small = LoadIconSized(instance_, IDI_MORVANE, MetricForDpi(SM_CXSMICON, dpi_));
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  big_ = std::move(big);
  small_ = std::move(small);
}

void MainFormScaleWin::apply(int dpi, const RECT* suggested) {
  const bool shown = suggested != nullptr;
  dpi_ = dpi;
  setFonts(shown);
  setIcons();

  MainFormMetrics m;
  m.dpi = dpi;
  RECT need{};
  SendMessageA(Part(window_, MainPart::kCalendar), MCM_GETMINREQRECT, 0,
               reinterpret_cast<LPARAM>(&need));
  // The least size is the month's; the border comes on top.
  HWND calendar = Part(window_, MainPart::kCalendar);
  AdjustWindowRectEx(&need, GetWindowLongA(calendar, GWL_STYLE), FALSE,
                     GetWindowLongA(calendar, GWL_EXSTYLE));
  m.calendar = {need.right - need.left, need.bottom - need.top};
  HWND status = Part(window_, MainPart::kStatusBar);
  SendMessageA(status, WM_SIZE, 0, 0);  // takes the height of its new font
  RECT statusRect{};
  GetWindowRect(status, &statusRect);
  m.statusHeight = statusRect.bottom - statusRect.top;
  m.uiLine = LineHeight(ui_.get());
  m.timeLine = LineHeight(time_.get());
  for (const PartText& t : MainFormTexts()) {
    HFONT font = t.part == MainPart::kTimeBox ? time_.get() : ui_.get();
    int& widest = m.textWidth[static_cast<size_t>(t.part)];
    widest = std::max<int>(widest, TextExtent(font, t.text).cx);
  }
  const MainFormLayout layout = LayOutMainForm(m);
  const DWORD style = GetWindowLongA(window_, GWL_STYLE);
  RECT frame{0, 0, layout.client.width, layout.client.height};
  AdjustForDpi(frame, style, true, GetWindowLongA(window_, GWL_EXSTYLE), dpi);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  int left = 0, top = 0;
  if (suggested) {
    left = suggested->left;
    top = suggested->top;
  } else {
    // Centred on the work area, like a dialog.
    const RECT work = WorkAreaNear(window_);
    left = work.left + (work.right - work.left - width) / 2;
    top = work.top + (work.bottom - work.top - height) / 2;
  }
  if (IsIconic(window_)) {
    // Minimised (in the tray, too): the place it comes back to is what must change.
    WINDOWPLACEMENT place{};
    place.length = sizeof(place);
    GetWindowPlacement(window_, &place);
    place.rcNormalPosition = {left, top, left + width, top + height};
    place.showCmd = IsWindowVisible(window_) ? SW_SHOWMINNOACTIVE : SW_HIDE;
    SetWindowPlacement(window_, &place);
  } else {
    MoveWindow(window_, left, top, width, height, shown);
    // A menu bar that wrapped, or a frame of another size than computed, changes the
    // client area: make it what the layout asked for.
    RECT client{};
    GetClientRect(window_, &client);
    if (client.right != layout.client.width || client.bottom != layout.client.height) {
      MoveWindow(window_, left, top, width + layout.client.width - client.right,
                 height + layout.client.height - client.bottom, shown);
    }
  }
  for (size_t i = 0; i + 1 < kMainParts; ++i) {
    const Rect& r = layout.part[i];
    MoveWindow(GetDlgItem(window_, kPartIds[i]), r.left, r.top, r.width(), r.height(), shown);
  }
  resized();
}

void MainFormScaleWin::resized() {
  // The status bar places itself at the bottom of the client area as it is now.
  SendMessageA(Part(window_, MainPart::kStatusBar), WM_SIZE, 0, 0);
}

}  // namespace morv::win32
