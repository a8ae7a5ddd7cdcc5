#include "tools/uidriver/status_bar.h"

#include <commctrl.h>

#include <optional>

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

// Long enough for a program that is merely slow, short enough to matter little in a pause.
constexpr UINT kAnswerTimeoutMs = 500;

bool send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, kAnswerTimeoutMs,
                             &result) != 0;
}

// SB_GETTEXT with the buffer in the target; nothing when the program does not answer.
std::optional<std::string> readBySending(HWND statusBar, int part) {
  DWORD_PTR length = 0;
  if (!send(statusBar, SB_GETTEXTLENGTHW, part, 0, length)) return std::nullopt;
  const size_t units = LOWORD(length) + 1;
  const win32::UniqueProcessHandle process = openProcess(processOf(statusBar));
  RemoteBuffer buffer(process.get(), units * sizeof(WCHAR));
  DWORD_PTR ignored = 0;
  if (!send(statusBar, SB_GETTEXTW, part, buffer.param(), ignored)) {
    // Whatever the late answer writes lands in memory nobody frees.
    buffer.abandon();
    return std::nullopt;
  }
  std::wstring text(units, L'\0');
  buffer.read(0, text.data(), units * sizeof(WCHAR));
  text.resize(LOWORD(length));
  return narrow(text);
}

}  // namespace

std::string statusBarText(HWND statusBar, int part) {
  if (!IsWindow(statusBar)) throw DriverError("cannot read a status bar that does not exist");
  if (lstrcmpiA(className(statusBar).c_str(), STATUSCLASSNAMEA) != 0) {
    throw DriverError(describeWindow(statusBar) + " is not a status bar");
  }
  if (auto text = readBySending(statusBar, part)) return *text;
  const std::vector<char> text =
      Agent::of(processOf(statusBar))
          .call(agent::Op::kStatusText, reinterpret_cast<uint64_t>(statusBar), part);
  return std::string(text.begin(), text.end());
}

int statusBarParts(HWND statusBar) {
  DWORD_PTR count = 0;
  // With no array to fill, SB_GETPARTS carries no pointer and just counts.
  if (!send(statusBar, SB_GETPARTS, 0, 0, count)) {
    throw DriverError("the status bar " + describeWindow(statusBar) + " did not answer");
  }
  return static_cast<int>(count);
}

}  // namespace morv::uidriver
