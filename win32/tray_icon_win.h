#pragma once
// The notification-area icon over Shell_NotifyIconA, speaking notify-icon version 4.
//
// The owner window's procedure hands its messages to handleMessage() first:
//
//   if (tray && tray->handleMessage(msg, wParam, lParam)) return 0;
//
// A click is reported when its button is released: left 1, middle 4, and right 2 once
// per right click (on the WM_CONTEXTMENU that version 4 sends after the button comes up,
// which also covers the context-menu key). It goes to the click handler and is also the
// return value of handleCallback().
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "platform/tray_icon.h"
#include "win32/unique_handle.h"

namespace morv::win32 {

class TrayIconWin : public TrayIcon {
 public:
  using ClickHandler = std::function<void(int button)>;

  // pictures: the module holding IDI_TRAY_NO_ALARM, IDI_TRAY_SET and IDI_TRAY_ACTIVATED.
  // Version 4 carries the icon id in 16 bits, so only the low word of iconId counts.
  TrayIconWin(HWND owner, UINT callbackMessage, UINT iconId, HINSTANCE pictures);
  ~TrayIconWin() override;
  TrayIconWin(const TrayIconWin&) = delete;
  TrayIconWin& operator=(const TrayIconWin&) = delete;

  bool iconVisible() const override { return visible_; }
  void setIconVisible(bool on) override;
  std::string toolTipText() const override { return toolTip_; }
  // The shell shows at most 127 bytes; the full text is kept and reported back.
  void setToolTipText(const std::string& text) override;
  int iconIndex() const override { return index_; }
  // Indexes outside 1..3 are ignored: the picture and iconIndex() stay as they were.
  void setIconIndex(int index) override;
  // A balloon (a toast on Windows 10) beside the shown icon.
  void notify(const std::string& title, const std::string& text) override;

  // The scale of a monitor, or the monitors, changed: the pictures are loaded again for
  // the scale of the taskbar's monitor, where the shell draws them.
  void followTaskbarScale();

  void setClickHandler(ClickHandler handler) { onClick_ = std::move(handler); }

  // True when the message was the tray callback or "TaskbarCreated" (both handled here).
  bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The callback message's parameters; the button number of a click, if it was one.
  std::optional<int> handleCallback(WPARAM wParam, LPARAM lParam);
  // Explorer (re)started, perhaps with its taskbar on another monitor: a shown icon is added
  // again with its picture, tip and version.
  void handleTaskbarCreated();

  UINT callbackMessage() const { return callbackMessage_; }
  UINT taskbarCreatedMessage() const { return taskbarCreated_; }

 private:
  NOTIFYICONDATAA describe(UINT flags) const;
  void loadPictures(int dpi);
  bool addToShell();
  void updateShell(UINT flags);

  HWND owner_;
  UINT callbackMessage_;
  UINT iconId_;
  HINSTANCE pictureModule_;
  UINT taskbarCreated_;
  std::array<UniqueHicon, 3> pictures_;
  int dpi_ = 0;  // the scale the pictures were loaded for
  bool visible_ = false;
  bool version4_ = false;
  std::string toolTip_;
  int index_ = 1;
  ClickHandler onClick_;
};

}  // namespace morv::win32
