#include "tools/uidriver/scale.h"

#include <cstring>
#include <string>
#include <vector>

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

SIZE pairAnswer(HWND window, agent::Op op) {
  const std::vector<char> bytes =
      Agent::of(processOf(window)).call(op, reinterpret_cast<uintptr_t>(window));
  uint32_t pair[2] = {};
  if (bytes.size() != sizeof(pair))
    throw DriverError("malformed answer about " + describeWindow(window));
  std::memcpy(pair, bytes.data(), sizeof(pair));
  return SIZE{static_cast<LONG>(pair[0]), static_cast<LONG>(pair[1])};
}

}  // namespace

SIZE textExtent(HWND control) { return pairAnswer(control, agent::Op::kTextExtent); }

SIZE calendarMinSize(HWND calendar) { return pairAnswer(calendar, agent::Op::kCalendarMinSize); }

int windowIconWidth(HWND window, bool small) {
  return static_cast<int>(Agent::of(processOf(window))
                              .callForValue(agent::Op::kWindowIconWidth,
                                            reinterpret_cast<uintptr_t>(window),
                                            small ? ICON_SMALL : ICON_BIG));
}

int trayPictureWidth(DWORD pid) {
  return static_cast<int>(Agent::of(pid).callForValue(agent::Op::kTrayPictureWidth));
}

void sendDpiChanged(HWND window, int dpi, const RECT& suggested) {
  const win32::UniqueProcessHandle process = openProcess(processOf(window));
  RemoteBuffer rect(process.get(), sizeof(RECT));
  rect.store(suggested);
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), rect.param(), SMTO_NORMAL,
                           5000, &result)) {
    rect.abandon();
    throw DriverError("no answer to WM_DPICHANGED from " + describeWindow(window));
  }
}

}  // namespace morv::uidriver
