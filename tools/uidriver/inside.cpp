#include "tools/uidriver/inside.h"

#include <commctrl.h>

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

// Sends a message whose answer goes into `buffer`; a late answer must not land in freed memory.
void Send(HWND window, UINT message, WPARAM wParam, RemoteBuffer& buffer, DWORD_PTR& result) {
  if (!SendMessageTimeoutW(window, message, wParam, buffer.param(), SMTO_NORMAL, 10000, &result)) {
    buffer.abandon();
    throw DriverError(describeWindow(window) + " did not answer message " +
                      std::to_string(message));
  }
}

}  // namespace

std::string statusBarText(HWND statusBar) {
  const win32::UniqueProcessHandle process = openProcess(processOf(statusBar));
  // SB_GETTEXT takes no size and copies the panel's text whole, which may be longer than the
  // 16 bits its length is reported in.
  RemoteBuffer buffer(process.get(), 1 << 20);
  DWORD_PTR length = 0;
  Send(statusBar, SB_GETTEXTW, 0, buffer, length);
  std::wstring text(LOWORD(length), L'\0');
  buffer.read(0, text.data(), text.size() * sizeof(WCHAR));
  return narrow(text);
}

SystemMenuItem systemMenuItem(HWND window, int position) {
  const std::string answer =
      Agent::of(processOf(window))
          .call(agent::Op::kSystemMenuItem, reinterpret_cast<uintptr_t>(window), position);
  uint32_t values[2] = {};
  answer.copy(reinterpret_cast<char*>(values), sizeof(values));
  return {answer.substr(sizeof(values)), values[1], (values[0] & MF_GRAYED) != 0};
}

SIZE textExtent(HWND control) {
  const std::string answer =
      Agent::of(processOf(control))
          .call(agent::Op::kTextExtent, reinterpret_cast<uintptr_t>(control));
  uint32_t size[2] = {};
  answer.copy(reinterpret_cast<char*>(size), sizeof(size));
  return {static_cast<LONG>(size[0]), static_cast<LONG>(size[1])};
}

int windowIconWidth(HWND window, bool small) {
  return static_cast<int>(Agent::of(processOf(window))
                              .value(agent::Op::kWindowIconWidth,
                                     reinterpret_cast<uintptr_t>(window),
                                     small ? ICON_SMALL : ICON_BIG));
}

int trayPictureWidth(DWORD pid) {
  return static_cast<int>(Agent::of(pid).value(agent::Op::kTrayPictureWidth));
}

void sendDpiChanged(HWND window, int dpi, const RECT& suggested) {
  const win32::UniqueProcessHandle process = openProcess(processOf(window));
  RemoteBuffer rect(process.get(), sizeof(RECT));
  rect.store(suggested);
  DWORD_PTR result = 0;
  Send(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), rect, result);
}

}  // namespace morv::uidriver
