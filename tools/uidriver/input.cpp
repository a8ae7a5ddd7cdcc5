#include "tools/uidriver/input.h"

#include <string>

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;

void post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!PostMessageW(hwnd, message, wParam, lParam)) {
    throw DriverError("cannot post message " + std::to_string(message) + " to " +
                      describeWindow(hwnd) + " (error " + std::to_string(GetLastError()) + ")");
  }
}

LPARAM pointParam(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x)),
                    static_cast<WORD>(static_cast<SHORT>(y)));
}

POINT centreOf(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  return {client.right / 2, client.bottom / 2};
}

bool isExtendedKey(UINT key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_NUMLOCK:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool settle(HWND window, milliseconds timeout) {
  if (timeout.count() <= 0 || !IsWindow(window)) return false;
  return Agent::of(processOf(window)).settle(threadOf(window), timeout);
}

void clickAt(HWND window, int x, int y, milliseconds settleTime) {
  requireUsable(window, "click");
  post(window, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(x, y));
  post(window, WM_LBUTTONUP, 0, pointParam(x, y));
  settle(window, settleTime);
}

void click(HWND control, milliseconds settleTime) {
  requireUsable(control, "click");
  const POINT centre = centreOf(control);
  clickAt(control, centre.x, centre.y, settleTime);
}

void pressKey(HWND window, UINT virtualKey, Modifiers modifiers, milliseconds settleTime) {
  requireUsable(window, "press a key in");
  uint32_t bits = 0;
  if (modifiers.ctrl) bits |= agent::kCtrl;
  if (modifiers.shift) bits |= agent::kShift;
  if (modifiers.alt) bits |= agent::kAlt;
  Agent& agent = Agent::of(processOf(window));
  if (bits != 0) agent.postModifiers(threadOf(window), bits);
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
  if (isExtendedKey(virtualKey)) down |= KF_EXTENDED << 16;
  if (modifiers.alt) down |= KF_ALTDOWN << 16;
  const LPARAM up = down | ((KF_REPEAT | KF_UP) << 16);
  post(window, modifiers.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, down);
  post(window, modifiers.alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, up);
  if (bits != 0) agent.postModifiers(threadOf(window), 0);
  settle(window, settleTime);
}

void typeText(HWND edit, std::string_view text, milliseconds settleTime) {
  requireUsable(edit, "type into");
  if (isReadOnly(edit)) {
    throw DriverError("cannot type into " + describeWindow(edit) + ": it is read-only");
  }
  for (wchar_t unit : widen(text)) post(edit, WM_CHAR, unit, 1);
  settle(edit, settleTime);
}

void focusByPress(HWND control, milliseconds settleTime) {
  requireUsable(control, "press the mouse on");
  const POINT centre = centreOf(control);
  post(control, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(centre.x, centre.y));
  // Released left of and above the client area, so no click reaches the control.
  post(control, WM_LBUTTONUP, 0, pointParam(-4, -4));
  settle(control, settleTime);
}

}  // namespace morv::uidriver
