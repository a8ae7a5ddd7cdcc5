#pragma once
// Controls that only remember what they were told, and which of them has the focus.
#include <chrono>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/tray_icon.h"
#include "tests/fakes/fake_clock.h"

namespace morv::fakes {

struct Focus {
  std::string owner;  // the name of the control holding the focus
};

// The caption or the text a control only remembers.
template <typename Interface>
struct WithCaption : Interface {
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& text) override { caption_ = text; }
  std::string caption_;
};

template <typename Interface>
struct WithText : Interface {
  std::string text() const override { return text_; }
  void setText(const std::string& text) override { text_ = text; }
  std::string text_;
};

// A control that can be switched off and take the focus, under a name.
template <typename Interface>
struct FakeControl : Interface {
  FakeControl(std::string name, Focus& focus) : name_(std::move(name)), focus_(&focus) {}
  bool enabled() const override { return enabled_; }
  void setEnabled(bool on) override { enabled_ = on; }
  void setFocus() override { focus_->owner = name_; }
  std::string name_;
  Focus* focus_;
  bool enabled_ = true;
};

struct FakeButton : FakeControl<WithCaption<Button>> {
  using FakeControl::FakeControl;
  std::string toolTip() const override { return tip_; }
  void setToolTip(const std::string& text) override { tip_ = text; }
  std::string tip_;
};

struct FakeTextBox : FakeControl<WithText<TextBox>> {
  explicit FakeTextBox(Focus& focus) : FakeControl("txtTime", focus) {}
  bool readOnly() const override { return readOnly_; }
  void setReadOnly(bool on) override { readOnly_ = on; }
  bool readOnly_ = false;
};

struct FakeCalendar : FakeControl<MonthCalendar> {
  explicit FakeCalendar(Focus& focus) : FakeControl("MonthView", focus) {}
  CalendarDate date() const override { return date_; }
  void setDate(const CalendarDate& date) override { date_ = date; }
  CalendarDate date_;
};

using FakeLabel = WithCaption<Label>;
using FakeStatusPanel = WithText<StatusPanel>;

struct FakeMenuItem : WithCaption<MenuItem> {
  bool checked() const override { return checked_; }
  void setChecked(bool on) override { checked_ = on; }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool on) override { enabled_ = on; }
  bool visible() const override { return visible_; }
  void setVisible(bool on) override { visible_ = on; }
  bool checked_ = false, enabled_ = true, visible_ = true;
};

// Counts its next tick from when it was last started, on the virtual monotonic time, as
// a Windows timer does: setting the wall clock neither hurries nor delays it.
class FakeTimer : public Timer {
 public:
  explicit FakeTimer(FakeClock& clock) : clock_(clock) {}
  std::chrono::milliseconds interval() const override { return interval_; }
  void setInterval(std::chrono::milliseconds interval) override {
    if (interval == interval_) return;
    interval_ = interval;
    if (enabled_) nextDue = clock_.steady + interval_;
  }
  bool enabled() const override { return enabled_; }
  void setEnabled(bool on) override {
    if (on && !enabled_) nextDue = clock_.steady + interval_;
    enabled_ = on;
  }

  std::chrono::milliseconds nextDue{};

 private:
  FakeClock& clock_;
  std::chrono::milliseconds interval_{0};
  bool enabled_ = false;
};

struct FakeTrayIcon : TrayIcon {
  bool iconVisible() const override { return visible_; }
  void setIconVisible(bool on) override { visible_ = on; }
  std::string toolTipText() const override { return tip_; }
  void setToolTipText(const std::string& text) override { tip_ = text; }
  int iconIndex() const override { return index_; }
  void setIconIndex(int index) override { index_ = index; }
  void notify(const std::string& title, const std::string& text) override {
    if (visible_) notes.push_back(title + ": " + text);
  }

  std::vector<std::string> notes;  // "title: text" of every notification shown
  bool visible_ = false;
  std::string tip_;
  int index_ = 1;
};

struct FakeProgressBar : ProgressBar {
  int value() const override { return value_; }
  void setValue(int value) override { value_ = value; }
  int maximum() const override { return maximum_; }
  void setMaximum(int maximum) override { maximum_ = maximum; }
  int value_ = 0, maximum_ = 100;
};

class FakeFormWindow : public WithCaption<FormWindow> {
 public:
  explicit FakeFormWindow(WindowHandle handle) : handle_(handle) {}
  WindowHandle handle() const override { return handle_; }
  bool visible() const override { return visible_; }
  void show() override { visible_ = true; }
  void hide() override { visible_ = false; }
  void repaint() override {}
  void minimize() override {}
  void popUpMenu(MenuItem& menu) override { poppedUp.push_back(&menu); }
  void setMousePointer(MousePointer pointer) override { pointer_ = pointer; }
  MousePointer mousePointer() const { return pointer_; }
  std::vector<MenuItem*> poppedUp;

 private:
  WindowHandle handle_;
  bool visible_ = false;
  MousePointer pointer_ = MousePointer::Default;
};

}  // namespace morv::fakes
