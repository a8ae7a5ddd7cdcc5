#include <windows.h>

#include "platform/win32/desktop_win.h"

namespace morv::win32 {
namespace {

HWND Hwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
WindowHandle Handle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }
HMENU Hmenu(MenuHandle menu) { return reinterpret_cast<HMENU>(menu); }

}  // namespace

WindowHandle WindowManagerWin::findWindow(const std::string& className,
                                          const std::optional<std::string>& text) {
  return Handle(FindWindowA(className.c_str(), text ? text->c_str() : nullptr));
}

std::optional<std::intptr_t> WindowManagerWin::sendMessageTimeout(
    WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
    std::chrono::milliseconds timeout) {
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutA(Hwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG,
                           static_cast<UINT>(timeout.count()), &reply)) {
    return std::nullopt;
  }
  return static_cast<std::intptr_t>(reply);
}

bool WindowManagerWin::postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
  return PostMessageA(Hwnd(window), message, wParam, lParam) != FALSE;
}

bool WindowManagerWin::showWindow(WindowHandle window, ShowCommand command) {
  if (window == 0) return false;
  return ShowWindow(Hwnd(window), static_cast<int>(command)) != FALSE;
}

bool WindowManagerWin::setForegroundWindow(WindowHandle window) {
  return SetForegroundWindow(Hwnd(window)) != FALSE;
}

WindowHandle WindowManagerWin::windowAbove(WindowHandle window) {
  return Handle(GetWindow(Hwnd(window), GW_HWNDPREV));
}

bool WindowManagerWin::openIcon(WindowHandle window) { return OpenIcon(Hwnd(window)) != FALSE; }

bool WindowManagerWin::closeWindow(WindowHandle window) {
  return CloseWindow(Hwnd(window)) != FALSE;
}

MenuHandle WindowManagerWin::systemMenu(WindowHandle window) {
  return reinterpret_cast<MenuHandle>(GetSystemMenu(Hwnd(window), FALSE));
}

std::uint32_t WindowManagerWin::menuItemId(MenuHandle menu, int position) {
  return GetMenuItemID(Hmenu(menu), position);
}

bool WindowManagerWin::modifyMenu(MenuHandle menu, std::uint32_t item, std::uint32_t flags,
                                  std::uintptr_t newId, const std::string& caption) {
  return ModifyMenuA(Hmenu(menu), item, flags, newId, caption.c_str()) != FALSE;
}

}  // namespace morv::win32
