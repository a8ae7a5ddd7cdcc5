#include "tools/uidriver/tray.h"

#include <commctrl.h>

#include <array>
#include <memory>

#include "platform/win32/unique_handle.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/input.h"
#include "tools/uidriver/menu.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"

namespace morv::uidriver {

namespace {

// Calls `use` with each tool of every tooltip window owned by Shell_TrayWnd: the icons'
// tips, and the balloon of a notification.
template <typename Use>
void ForEachTrayTool(Use&& use) {
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  DWORD explorerId = 0;
  GetWindowThreadProcessId(tray, &explorerId);
  win32::UniqueProcessHandle explorer(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, explorerId));
  if (!tray || !explorer) return;
  constexpr size_t kTextChars = 512;  // a tip is at most 128, a balloon 256; one page holds all
  auto release = [&](char* block) { VirtualFreeEx(explorer.get(), block, 0, MEM_RELEASE); };
  std::unique_ptr<char, decltype(release)> block(
      static_cast<char*>(VirtualAllocEx(explorer.get(), nullptr, 4096, MEM_COMMIT, PAGE_READWRITE)),
      release);
  if (!block) return;
  auto* remoteText = reinterpret_cast<wchar_t*>(block.get() + sizeof(TTTOOLINFOW));

  for (HWND tips = nullptr; (tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr));) {
    if (GetWindow(tips, GW_OWNER) != tray) continue;
    for (LRESULT i = 0; i < SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0); ++i) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof(info);
      info.lpszText = remoteText;
      std::array<wchar_t, kTextChars> text{};
      WriteProcessMemory(explorer.get(), block.get(), &info, sizeof(info), nullptr);
      if (!SendMessageW(tips, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(block.get()))) continue;
      ReadProcessMemory(explorer.get(), block.get(), &info, sizeof(info), nullptr);
      ReadProcessMemory(explorer.get(), remoteText, text.data(), sizeof(text), nullptr);
      text.back() = L'\0';
      use(tray, tips, info, narrow(text.data()));
    }
  }
}

}  // namespace

std::vector<TrayIcon> trayIcons() {
  std::vector<TrayIcon> icons;
  ForEachTrayTool([&](HWND tray, HWND, const TTTOOLINFOW& info, const std::string& text) {
    if (!IsRectEmpty(&info.rect)) icons.push_back({tray, info.rect, text});
  });
  return icons;
}

std::vector<std::string> trayBalloons() {
  std::vector<std::string> texts;
  ForEachTrayTool([&](HWND, HWND tips, const TTTOOLINFOW&, const std::string& text) {
    if ((GetWindowLongA(tips, GWL_STYLE) & TTS_BALLOON) && IsWindowVisible(tips)) {
      texts.push_back(text);
    }
  });
  return texts;
}

std::optional<TrayIcon> findTrayIcon(std::string_view tip) {
  for (const TrayIcon& icon : trayIcons()) {
    if (icon.tip == tip) return icon;
  }
  return std::nullopt;
}

TrayIcon waitForTrayIcon(std::string_view tip, std::chrono::milliseconds timeout) {
  return waitFor([&] { return findTrayIcon(tip); }, timeout,
                 "a tray icon with the tip '" + std::string(tip) + "'");
}

void clickTrayIcon(const TrayIcon& icon, bool right) {
  const LPARAM at = MAKELPARAM((icon.square.left + icon.square.right) / 2,
                               (icon.square.top + icon.square.bottom) / 2);
  const UINT down = right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;  // the button-up comes next
  if (!PostMessageA(icon.tray, down, right ? MK_RBUTTON : MK_LBUTTON, at) ||
      !PostMessageA(icon.tray, down + 1, 0, at)) {
    throw DriverError("cannot click the tray icon '" + icon.tip + "'");
  }
}

void choosePopupItem(HWND popupWindow, std::string_view caption) {
  const std::vector<MenuItem> items = popupMenuItems(popupWindow);
  int downs = 0;
  for (const MenuItem& item : items) {
    if (item.separator) continue;  // the arrow keys pass over separators, not greyed items
    ++downs;
    if (!sameCaption(item.caption, caption)) continue;
    if (!item.enabled) {
      throw DriverError("the pop-up menu's item '" + item.caption + "' is greyed");
    }
    for (int i = 0; i < downs; ++i) {
      pressKey(popupWindow, VK_DOWN, {}, std::chrono::milliseconds(0));
    }
    pressKey(popupWindow, VK_RETURN, {}, std::chrono::milliseconds(0));
    return;
  }
  throw DriverError("the pop-up menu has no item '" + std::string(caption) + "'; it has:\n" +
                    describeMenu(items, 1));
}

}  // namespace morv::uidriver
