#include "tools/uidriver/inside.h"

#include <commctrl.h>

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {

std::string statusBarText(HWND statusBar) {
  // SB_GETTEXT takes no size and copies the panel's text whole, which may be longer than the
  // 16 bits its length is reported in.
  RemoteBuffer buffer(processOf(statusBar), 1 << 20);
  const DWORD_PTR length = buffer.send(statusBar, SB_GETTEXTW);
  std::wstring text(LOWORD(length), L'\0');
  buffer.read(0, text.data(), text.size() * sizeof(WCHAR));
  return narrow(text);
}

SystemMenuItem systemMenuItem(HWND window, int position) {
  const auto [values, caption] =
      Agent::of(processOf(window))
          .call(agent::Op::kSystemMenuItem, reinterpret_cast<uintptr_t>(window), position);
  return {caption, values[1], (values[0] & MF_GRAYED) != 0};
}

SIZE textExtent(HWND control) {
  const auto [size, text] = Agent::of(processOf(control))
                                .call(agent::Op::kTextExtent, reinterpret_cast<uintptr_t>(control));
  return {static_cast<LONG>(size[0]), static_cast<LONG>(size[1])};
}

int windowIconWidth(HWND window, bool small) {
  return static_cast<int>(Agent::of(processOf(window))
                              .call(agent::Op::kWindowIconWidth,
                                    reinterpret_cast<uintptr_t>(window),
                                    small ? ICON_SMALL : ICON_BIG)
                              .values[0]);
}

int trayPictureWidth(DWORD pid) {
  return static_cast<int>(Agent::of(pid).call(agent::Op::kTrayPictureWidth).values[0]);
}

void sendDpiChanged(HWND window, int dpi, const RECT& suggested) {
  RemoteBuffer rect(processOf(window), sizeof(RECT));
  rect.store(suggested);
  rect.send(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi));
}

}  // namespace morv::uidriver
