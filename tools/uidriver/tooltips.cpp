#include "tools/uidriver/tooltips.h"

#include <commctrl.h>

#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

struct Tool {
  HWND tooltip;
  TTTOOLINFOW info;
  std::string text;
};

// Every tool of the tooltip windows of process `pid` (owned by `owner`, unless null).
// TTM_ENUMTOOLSW takes no buffer size and copies the text whole: it gets room for any tip, and the
// first part of it, where every tip a test reads ends, is read back.
std::vector<Tool> Tools(DWORD pid, HWND owner) {
  constexpr size_t kTextUnits = 32 * 1024;
  constexpr size_t kReadUnits = 1024;
  std::vector<Tool> tools;
  RemoteBuffer buffer(pid, sizeof(TTTOOLINFOW) + kTextUnits * sizeof(WCHAR));
  const auto send = [](HWND tooltip, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(tooltip, message, wParam, lParam, SMTO_NORMAL, 2000, &result)
               ? result
               : 0;
  };
  for (HWND tooltip : topLevelWindows(pid)) {
    if (!hasClass(tooltip, TOOLTIPS_CLASSA) || (owner && GetWindow(tooltip, GW_OWNER) != owner)) {
      continue;
    }
    for (WPARAM i = 0, count = send(tooltip, TTM_GETTOOLCOUNT, 0, 0); i < count; ++i) {
      TTTOOLINFOW info{.cbSize = sizeof(info),
                       .lpszText = static_cast<LPWSTR>(buffer.address(sizeof(TTTOOLINFOW)))};
      buffer.store(info);
      buffer.store(L'\0', sizeof(info));
      if (!send(tooltip, TTM_ENUMTOOLSW, i, buffer.param())) continue;
      std::wstring text(kReadUnits, L'\0');
      buffer.read(sizeof(info), text.data(), text.size() * sizeof(WCHAR));
      text.back() = L'\0';
      tools.push_back({tooltip, buffer.load<TTTOOLINFOW>(), narrow(text.c_str())});
    }
  }
  return tools;
}

std::vector<Tool> TrayTools() {
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  return tray ? Tools(processOf(tray), tray) : std::vector<Tool>{};
}

}  // namespace

std::string toolTipText(HWND control) {
  for (const Tool& tool : Tools(processOf(control), nullptr)) {
    if (reinterpret_cast<HWND>(tool.info.uId) == control || tool.info.hwnd == control) {
      return tool.text;
    }
  }
  throw DriverError("no tooltip for " + describeWindow(control));
}

std::optional<RECT> findTrayIcon(std::string_view tip) {
  for (const Tool& tool : TrayTools()) {
    if (!IsRectEmpty(&tool.info.rect) && tool.text == tip) {
      return tool.info.rect;
    }
  }
  return std::nullopt;
}

RECT waitForTrayIcon(std::string_view tip, std::chrono::milliseconds timeout) {
  return *waitUntil([&] { return findTrayIcon(tip); }, timeout,
                    "a tray icon with the tip '" + std::string(tip) + "'");
}

void rightClickTrayIcon(const RECT& square) {
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  const LPARAM at = MAKELPARAM((square.left + square.right) / 2, (square.top + square.bottom) / 2);
  if (!PostMessageA(tray, WM_RBUTTONDOWN, MK_RBUTTON, at) ||
      !PostMessageA(tray, WM_RBUTTONUP, 0, at)) {
    throw DriverError("cannot click the tray icon");
  }
}

std::vector<std::string> trayBalloons() {
  std::vector<std::string> texts;
  for (const Tool& tool : TrayTools()) {
    if ((GetWindowLongA(tool.tooltip, GWL_STYLE) & TTS_BALLOON) && IsWindowVisible(tool.tooltip)) {
      texts.push_back(tool.text);
    }
  }
  return texts;
}

}  // namespace morv::uidriver
