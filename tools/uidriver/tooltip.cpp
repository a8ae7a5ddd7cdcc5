#include "tools/uidriver/tooltip.h"

#include <commctrl.h>

#include <cstddef>
#include <optional>

#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

// The target is a 64-bit program like the driver, so the SDK's layout is the target's layout.
static_assert(sizeof(TTTOOLINFOW) == 72 && offsetof(TTTOOLINFOW, lpszText) == 48,
              "TOOLINFO must have the 64-bit layout");

// Wine copies a tool's text with lstrcpyW, unbounded: leave it plenty of room.
constexpr size_t kTextUnits = 32 * 1024;
constexpr UINT kTimeoutMs = 2000;

struct Tool {
  TTTOOLINFOW info;
  std::wstring text;
};

std::optional<Tool> enumTool(HWND tooltip, WPARAM index, RemoteBuffer& buffer) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszText = static_cast<LPWSTR>(buffer.address(sizeof(info)));
  buffer.store(info);
  buffer.store(L'\0', sizeof(info));
  DWORD_PTR found = 0;
  if (!SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, index, buffer.param(), SMTO_NORMAL, kTimeoutMs,
                           &found) ||
      !found) {
    return std::nullopt;
  }
  Tool tool{buffer.load<TTTOOLINFOW>(), {}};
  if (tool.info.lpszText == buffer.address(sizeof(info))) {
    std::wstring text(kTextUnits, L'\0');
    buffer.read(sizeof(info), text.data(), text.size() * sizeof(WCHAR));
    tool.text = text.c_str();
  }
  return tool;
}

bool isToolOf(const TTTOOLINFOW& info, HWND control) {
  return (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) == control
                                      : info.hwnd == control;
}

}  // namespace

std::string toolTipText(HWND control) {
  if (!IsWindow(control))
    throw DriverError("cannot read the tooltip of a window that does not exist");
  const DWORD pid = processOf(control);
  const win32::UniqueProcessHandle process = openProcess(pid);
  RemoteBuffer buffer(process.get(), sizeof(TTTOOLINFOW) + kTextUnits * sizeof(WCHAR));
  int tools = 0;
  for (HWND tooltip : topLevelWindows(pid)) {
    if (lstrcmpiA(className(tooltip).c_str(), TOOLTIPS_CLASSA) != 0) continue;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(tooltip, TTM_GETTOOLCOUNT, 0, 0, SMTO_NORMAL, kTimeoutMs, &count)) {
      throw DriverError("the tooltip window of process " + std::to_string(pid) +
                        " did not answer (its program is busy)");
    }
    tools += static_cast<int>(count);
    for (WPARAM index = 0; index < count; ++index) {
      const auto tool = enumTool(tooltip, index, buffer);
      if (!tool || !isToolOf(tool->info, control)) continue;
      if (tool->info.lpszText == LPSTR_TEXTCALLBACKW) {
        throw DriverError("the tooltip of " + describeWindow(control) +
                          " gets its text from a callback, which cannot be read from outside");
      }
      if (IS_INTRESOURCE(tool->info.lpszText) && tool->info.lpszText != nullptr) {
        throw DriverError("the tooltip of " + describeWindow(control) +
                          " names a string resource, which cannot be read from outside");
      }
      return narrow(tool->text);
    }
  }
  throw DriverError("no tooltip is registered for " + describeWindow(control) + " (process " +
                    std::to_string(pid) + " has " + std::to_string(tools) + " tools)");
}

}  // namespace morv::uidriver
