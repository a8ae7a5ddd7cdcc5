#pragma once
// The forms' controls over real Win32 windows and menus.
#include <windows.h>

#include <optional>
#include <set>
#include <string>

#include "platform/controls.h"
#include "win32/unique_handle.h"

namespace morv::win32 {

// Sent to a control's parent just before the control holding the focus is disabled,
// with the control as lParam; the answer is the control to take the focus, or 0.
constexpr UINT kFocusedControlDisabling = WM_APP + 3;

// One tooltip window per form; each control registers itself as a tool.
class ToolTips {
 public:
  explicit ToolTips(HWND owner);
  void set(HWND control, const std::string& text);
  // Hands a mouse message of the thread's queue to the tips, so they show and hide.
  void relay(const MSG& message);
  HWND handle() const { return tips_; }

 private:
  HWND owner_;
  HWND tips_;
  std::set<HWND> tools_;
};

std::string WindowText(HWND window);
void SetText(HWND window, const std::string& text);

class ButtonWin : public Button {
 public:
  ButtonWin(HWND button, ToolTips& tips) : hwnd_(button), tips_(tips) {}
  HWND hwnd() const { return hwnd_; }
  bool enabled() const override;
  void setEnabled(bool on) override;
  void setFocus() override;
  std::string caption() const override;
  void setCaption(const std::string& text) override;
  std::string toolTip() const override { return tip_; }
  void setToolTip(const std::string& text) override;

 private:
  HWND hwnd_;
  ToolTips& tips_;
  std::string tip_;
};

class TextBoxWin : public TextBox {
 public:
  explicit TextBoxWin(HWND edit) : hwnd_(edit) {}
  HWND hwnd() const { return hwnd_; }
  bool enabled() const override;
  void setEnabled(bool on) override;
  void setFocus() override;
  std::string text() const override;
  void setText(const std::string& text) override;
  bool readOnly() const override;
  void setReadOnly(bool on) override;
  // Puts up the text set while the window was hidden.
  void showPending();

 private:
  HWND hwnd_;
  std::optional<std::string> pending_;
};

class LabelWin : public Label {
 public:
  explicit LabelWin(HWND label) : hwnd_(label) {}
  HWND hwnd() const { return hwnd_; }
  std::string caption() const override;
  void setCaption(const std::string& text) override;

 private:
  HWND hwnd_;
};

class MonthCalendarWin : public MonthCalendar {
 public:
  explicit MonthCalendarWin(HWND calendar) : hwnd_(calendar) {}
  HWND hwnd() const { return hwnd_; }
  bool enabled() const override;
  void setEnabled(bool on) override;
  void setFocus() override;
  CalendarDate date() const override;
  void setDate(const CalendarDate& date) override;

 private:
  HWND hwnd_;
};

class StatusPanelWin : public StatusPanel {
 public:
  explicit StatusPanelWin(HWND statusBar) : hwnd_(statusBar) {}
  HWND hwnd() const { return hwnd_; }
  std::string text() const override { return text_; }
  void setText(const std::string& text) override;

 private:
  HWND hwnd_;
  std::string text_;
};

class ProgressBarWin : public ProgressBar {
 public:
  explicit ProgressBarWin(HWND bar) : hwnd_(bar) {}
  int value() const override;
  void setValue(int value) override;
  int maximum() const override;
  void setMaximum(int maximum) override;

 private:
  HWND hwnd_;
};

// An item of a menu, found by its command identifier; or a top-level menu of the
// window's menu bar, found by its position there. The shortcut is shown behind a tab.
// An item found by its identifier that is made invisible waits in a menu of its own,
// where it keeps its caption and states, until it goes back behind the item it followed.
class MenuItemWin : public MenuItem {
 public:
  static MenuItemWin Command(HMENU menu, UINT id, std::string shortcut = {});
  static MenuItemWin TopLevel(HWND owner, UINT position);
  static MenuItemWin AtPosition(HMENU menu, UINT position);

  std::string caption() const override;
  void setCaption(const std::string& text) override;
  bool checked() const override;
  void setChecked(bool on) override;
  bool enabled() const override;
  void setEnabled(bool on) override;
  bool visible() const override { return !parked_; }
  void setVisible(bool on) override;
  UINT id() const { return item_; }
  // The items of a menu addressed by its position in its holder.
  HMENU items() const { return GetSubMenu(menu_, static_cast<int>(item_)); }

 private:
  MenuItemWin(HMENU menu, UINT item, UINT byWhat, HWND bar, std::string shortcut)
      : menu_(menu), item_(item), by_(byWhat), bar_(bar), shortcut_(std::move(shortcut)) {}
  UINT state() const;

  HMENU menu_;  // the menu the item is looked up in: its own, or the waiting one
  UINT item_;
  UINT by_;   // MF_BYCOMMAND or MF_BYPOSITION
  HWND bar_;  // the window whose menu bar must be redrawn, for top-level menus
  std::string shortcut_;
  HMENU root_ = nullptr;  // the menu it is looked up in while it is visible
  HMENU home_ = nullptr;  // the (sub)menu it belongs in
  UniqueHmenu parked_;    // the waiting menu, while the item is invisible
  UINT after_ = 0;        // the identifier of the item it followed; 0 for none
  int place_ = 0;         // its position, should that item be gone
};

class TimerWin : public Timer {
 public:
  TimerWin(HWND owner, UINT_PTR id) : owner_(owner), id_(id) {}
  std::chrono::milliseconds interval() const override { return interval_; }
  void setInterval(std::chrono::milliseconds interval) override;
  bool enabled() const override { return enabled_; }
  void setEnabled(bool on) override;
  UINT_PTR id() const { return id_; }

 private:
  HWND owner_;
  UINT_PTR id_;
  std::chrono::milliseconds interval_{1000};
  bool enabled_ = false;
};

class FormWindowWin : public FormWindow {
 public:
  explicit FormWindowWin(HWND window) : hwnd_(window) {}
  WindowHandle handle() const override { return reinterpret_cast<WindowHandle>(hwnd_); }
  std::string caption() const override;
  void setCaption(const std::string& text) override;
  bool visible() const override;
  void show() override;
  void hide() override;
  void repaint() override;
  void minimize() override;
  void popUpMenu(MenuItem& menu) override;
  void setMousePointer(MousePointer pointer) override;
  MousePointer mousePointer() const { return pointer_; }

 private:
  HWND hwnd_;
  MousePointer pointer_ = MousePointer::Default;
};

}  // namespace morv::win32
