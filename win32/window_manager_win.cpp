#include <windows.h>

#include "win32/desktop_win.h"

namespace morv::win32 {
namespace {

HWND Hwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
WindowHandle Handle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }
HMENU Hmenu(MenuHandle menu) { return reinterpret_cast<HMENU>(menu); }

// A call that needs another thread's answer waits for that thread, and another
// program's thread may be busy or hung.
bool OfAnotherThread(HWND window) {
  return GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId();
}

constexpr UINT kAnswersWithin = 500;  // ms

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

std::optional<std::intptr_t> WindowManagerWin::sendCopyData(WindowHandle window,
                                                           std::uintptr_t kind,
                                                           const std::string& data,
                                                           std::chrono::milliseconds timeout) {
  // The receiver reads the bytes while our send waits, so they need live only this long.
  COPYDATASTRUCT copy{static_cast<ULONG_PTR>(kind), static_cast<DWORD>(data.size() + 1),
                      const_cast<char*>(data.c_str())};
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutA(Hwnd(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                           SMTO_ABORTIFHUNG, static_cast<UINT>(timeout.count()), &reply)) {
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
  const HWND hwnd = Hwnd(window);
  if (OfAnotherThread(hwnd)) return ShowWindowAsync(hwnd, static_cast<int>(command)) != FALSE;
  return ShowWindow(hwnd, static_cast<int>(command)) != FALSE;
}

// Only a window that has just answered is brought forward, so the wait stays short.
bool WindowManagerWin::setForegroundWindow(WindowHandle window) {
  const HWND hwnd = Hwnd(window);
  if (OfAnotherThread(hwnd) &&
      !SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswersWithin,
                           nullptr)) {
    return false;
  }
  return SetForegroundWindow(hwnd) != FALSE;
}

bool WindowManagerWin::closeWindow(WindowHandle window) {
  const HWND hwnd = Hwnd(window);
  if (OfAnotherThread(hwnd)) return ShowWindowAsync(hwnd, SW_MINIMIZE) != FALSE;
  return CloseWindow(hwnd) != FALSE;
}

std::uint32_t WindowManagerWin::processOf(WindowHandle window) {
  DWORD process = 0;
  if (!window || !GetWindowThreadProcessId(Hwnd(window), &process)) return 0;
  return process;
}

WindowHandle WindowManagerWin::findProcessWindow(std::uint32_t process,
                                                 const std::string& className) {
  struct Search {
    DWORD process;
    const std::string& className;
    HWND found = nullptr;
  } search{process, className};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        char name[256] = {};
        GetWindowThreadProcessId(window, &owner);
        if (owner != s.process || !GetClassNameA(window, name, sizeof(name))) return TRUE;
        if (s.className != name) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return Handle(search.found);
}

unsigned WindowManagerWin::registeredMessage(const std::string& name) {
  return RegisterWindowMessageA(name.c_str());
}

void WindowManagerWin::allowForeground(std::uint32_t process) { AllowSetForegroundWindow(process); }

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
