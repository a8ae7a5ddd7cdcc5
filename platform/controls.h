#pragma once
// The controls of the program's forms, by what the program asks of them.
#include <chrono>
#include <string>

#include "platform/clock.h"
#include "platform/window_manager.h"

namespace morv {

class Control {
 public:
  virtual ~Control() = default;
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool on) = 0;
  virtual void setFocus() = 0;
};

// A push button with a caption (access key marked by '&') and a tooltip.
class Button : public Control {
 public:
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& text) = 0;
  virtual std::string toolTip() const = 0;
  virtual void setToolTip(const std::string& text) = 0;
};

class TextBox : public Control {
 public:
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
  virtual bool readOnly() const = 0;
  virtual void setReadOnly(bool on) = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& text) = 0;
};

class MonthCalendar : public Control {
 public:
  virtual CalendarDate date() const = 0;
  virtual void setDate(const CalendarDate& date) = 0;
};

class StatusPanel {
 public:
  virtual ~StatusPanel() = default;
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
};

// A menu item, or a whole top-level menu (whose check mark means nothing).
class MenuItem {
 public:
  virtual ~MenuItem() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& text) = 0;
  virtual bool checked() const = 0;
  virtual void setChecked(bool on) = 0;
  virtual bool enabled() const = 0;
  virtual void setEnabled(bool on) = 0;
  // An item of a pop-up menu that is only there while it means something; it keeps its
  // place among the others.
  virtual bool visible() const = 0;
  virtual void setVisible(bool on) = 0;
};

// A form's timer; its ticks reach the form's handler while it is enabled.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual std::chrono::milliseconds interval() const = 0;
  // Changing the interval of a running timer restarts its countdown; setting the one
  // it already has does not.
  virtual void setInterval(std::chrono::milliseconds interval) = 0;
  virtual bool enabled() const = 0;
  // Enabling a running timer leaves its countdown alone.
  virtual void setEnabled(bool on) = 0;
};

class ProgressBar {
 public:
  virtual ~ProgressBar() = default;
  virtual int value() const = 0;
  virtual void setValue(int value) = 0;
  virtual int maximum() const = 0;
  virtual void setMaximum(int maximum) = 0;
};

enum class MousePointer { Default, Hourglass };

// A form itself: its top-level window.
class FormWindow {
 public:
  virtual ~FormWindow() = default;
  virtual WindowHandle handle() const = 0;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& text) = 0;
  virtual bool visible() const = 0;
  // Shows the form modeless, activated.
  virtual void show() = 0;
  virtual void hide() = 0;
  // Paints what has changed now, without waiting for the next pass of the message loop.
  virtual void repaint() = 0;
  // Minimises a shown form; a hidden one stays off the desktop.
  virtual void minimize() = 0;
  // Pops `menu`'s items up at the mouse pointer, left-aligned, with no default item; a
  // choice reaches the item's handler like a click on it.
  virtual void popUpMenu(MenuItem& menu) = 0;
  virtual void setMousePointer(MousePointer pointer) = 0;
};

}  // namespace morv
