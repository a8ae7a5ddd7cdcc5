#include "win32/tray_icon_win.h"

#include <cstring>

#include "mainwindow/tray_click.h"
#include "mainwindow/tray_scale.h"
#include "win32/dpi_win.h"
#include "resources/resource_ids.h"

namespace morv::win32 {
namespace {

constexpr int kPictureIds[] = {IDI_TRAY_NO_ALARM, IDI_TRAY_SET, IDI_TRAY_ACTIVATED};

// szTip holds 127 bytes and a terminator, the notification's fields 63 and 255. Cut at a
// character boundary so a double-byte character is never split, and at an embedded NUL as
// the shell would.
template <size_t N>
void CopyTip(const std::string& text, char (&field)[N]) {
  const size_t limit = sizeof(field) - 1;
  size_t end = 0;
  while (end < text.size() && text[end] != '\0') {
    const size_t width = IsDBCSLeadByte(static_cast<BYTE>(text[end])) ? 2 : 1;
    if (end + width > limit || end + width > text.size()) break;
    end += width;
  }
  std::memcpy(field, text.data(), end);
  field[end] = '\0';
}

}  // namespace

TrayIconWin::TrayIconWin(HWND owner, UINT callbackMessage, UINT iconId, HINSTANCE pictures)
    : owner_(owner),
      callbackMessage_(callbackMessage),
      iconId_(iconId),
      pictureModule_(pictures),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
  followTaskbarScale();
  // Explorer runs at medium integrity; an elevated program would not hear its broadcast.
  if (owner_ && taskbarCreated_) {
    ChangeWindowMessageFilterEx(owner_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
  }
}

TrayIconWin::~TrayIconWin() {
  if (!visible_) return;
  NOTIFYICONDATAA data = describe(0);
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void TrayIconWin::loadPictures(int dpi) {
  // The tray draws small icons: loading the size the scale asks for picks the matching
  // image from the .ico instead of letting the shell stretch another one.
  const int size = MetricForDpi(SM_CXSMICON, dpi);
  for (size_t i = 0; i < pictures_.size(); ++i) {
    pictures_[i] = LoadIconSized(pictureModule_, kPictureIds[i], size);
  }
}

void TrayIconWin::followTaskbarScale() {
  const int dpi = TrayIconDpi(TaskbarDpi(), SystemDpi());
  if (dpi == dpi_) return;
  dpi_ = dpi;
  // The shell keeps a copy of the picture, so the old one may go at once.
  loadPictures(dpi);
  updateShell(NIF_ICON);
}

void TrayIconWin::setIconVisible(bool on) {
  if (on == visible_) return;
  visible_ = on;
  if (on) {
    // When the shell is not there yet, TaskbarCreated will bring the icon in later.
    addToShell();
  } else {
    NOTIFYICONDATAA data = describe(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
  }
}

void TrayIconWin::setToolTipText(const std::string& text) {
  if (text == toolTip_) return;
  toolTip_ = text;
  updateShell(NIF_TIP | NIF_SHOWTIP);
}

void TrayIconWin::setIconIndex(int index) {
  if (index < 1 || index > static_cast<int>(pictures_.size()) || index == index_) return;
  index_ = index;
  updateShell(NIF_ICON);
}

void TrayIconWin::notify(const std::string& title, const std::string& text) {
  if (!visible_) return;
  NOTIFYICONDATAA data = describe(NIF_INFO);
  CopyTip(title, data.szInfoTitle);
  CopyTip(text, data.szInfo);
  data.dwInfoFlags = NIIF_INFO;
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

bool TrayIconWin::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (callbackMessage_ != 0 && message == callbackMessage_) {
    handleCallback(wParam, lParam);
    return true;
  }
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    handleTaskbarCreated();
    return true;
  }
  return false;
}

std::optional<int> TrayIconWin::handleCallback(WPARAM wParam, LPARAM lParam) {
  // Version 4 packs the event and the icon id into lParam (wParam holds the pointer
  // position); a shell that refused version 4 sends the id in wParam, the event in lParam.
  const UINT event = version4_ ? LOWORD(lParam) : static_cast<UINT>(lParam);
  const UINT id = version4_ ? HIWORD(lParam) : static_cast<UINT>(wParam);
  if (id != (version4_ ? LOWORD(iconId_) : iconId_)) return std::nullopt;

  const TrayMouse mouse = event == WM_LBUTTONUP     ? TrayMouse::LeftUp
                          : event == WM_MBUTTONUP   ? TrayMouse::MiddleUp
                          : event == WM_RBUTTONUP   ? TrayMouse::RightUp
                          : event == WM_CONTEXTMENU ? TrayMouse::ContextMenu
                                                    : TrayMouse::Other;
  const std::optional<int> button = TrayClickButton(mouse, version4_);
  if (button && onClick_) onClick_(*button);
  return button;
}

void TrayIconWin::handleTaskbarCreated() {
  followTaskbarScale();
  if (visible_) addToShell();
}

NOTIFYICONDATAA TrayIconWin::describe(UINT flags) const {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof(data);
  data.hWnd = owner_;
  data.uID = iconId_;
  data.uFlags = flags;
  if (flags & NIF_MESSAGE) data.uCallbackMessage = callbackMessage_;
  if (flags & NIF_ICON) data.hIcon = pictures_[index_ - 1].get();
  if (flags & NIF_TIP) CopyTip(toolTip_, data.szTip);
  return data;
}

bool TrayIconWin::addToShell() {
  NOTIFYICONDATAA data = describe(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
  // A busy Explorer can time out on an add it still carries out, and TaskbarCreated also
  // comes when the taskbar is merely rebuilt: then the icon is there and only needs updating.
  if (!Shell_NotifyIconA(NIM_ADD, &data) && !Shell_NotifyIconA(NIM_MODIFY, &data)) {
    version4_ = false;
    return false;
  }
  data.uVersion = NOTIFYICON_VERSION_4;
  version4_ = Shell_NotifyIconA(NIM_SETVERSION, &data) != FALSE;
  return true;
}

void TrayIconWin::updateShell(UINT flags) {
  if (!visible_) return;
  NOTIFYICONDATAA data = describe(flags);
  // The shell may have lost the icon without telling (Explorer restarting right now).
  if (!Shell_NotifyIconA(NIM_MODIFY, &data)) addToShell();
}

}  // namespace morv::win32
