#pragma once
// An icon in the notification area. Its clicks reach the owning form's handler.
#include <string>

namespace morv {

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual bool iconVisible() const = 0;
  virtual void setIconVisible(bool on) = 0;
  virtual std::string toolTipText() const = 0;
  virtual void setToolTipText(const std::string& text) = 0;
  // 1-based picture: 1 no alarm, 2 set but not activated, 3 set and activated.
  virtual int iconIndex() const = 0;
  virtual void setIconIndex(int index) = 0;
  // A notification beside the icon; none while the icon is not shown.
  virtual void notify(const std::string& title, const std::string& text) = 0;
};

// Button numbers a tray click reports.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

}  // namespace morv
