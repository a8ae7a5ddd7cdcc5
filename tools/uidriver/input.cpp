#include "tools/uidriver/input.h"

#include <string>

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;

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

// The input of one action, awaited on the window's thread even when the input destroys the
// window (a key that closes a menu, a click that ends a dialog).
class Batch {
 public:
  Batch(HWND window, std::string_view action, milliseconds settle)
      : window_(window), settle_(settle) {
    requireUsable(window, action);
    pid_ = processOf(window);
    thread_ = threadOf(window);
    // Loaded before anything is posted: an action whose wait cannot work fails without effect.
    if (settle_.count() > 0) Agent::of(pid_).prepare(thread_);
  }

  void post(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window_, message, wParam, lParam)) {
      throw DriverError("cannot post message " + std::to_string(message) + " to " +
                        describeWindow(window_) + " (error " + std::to_string(GetLastError()) +
                        ")");
    }
  }

  // A release may find the window gone, closed by the press it follows: it was handled then.
  void postRelease(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window_, message, wParam, lParam) && IsWindow(window_)) {
      post(message, wParam, lParam);
    }
  }

  void postModifiers(uint32_t bits) { Agent::of(pid_).postModifiers(thread_, bits); }

  void finish() {
    if (settle_.count() > 0) Agent::of(pid_).settle(thread_, settle_);
  }

 private:
  HWND window_;
  milliseconds settle_;
  DWORD pid_ = 0;
  DWORD thread_ = 0;
};

}  // namespace

bool settle(HWND window, milliseconds timeout) {
  if (timeout.count() <= 0 || !IsWindow(window)) return false;
  return Agent::of(processOf(window)).settle(threadOf(window), timeout);
}

void clickAt(HWND window, int x, int y, milliseconds settleTime) {
  Batch input(window, "click", settleTime);
  input.post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(x, y));
  input.postRelease(WM_LBUTTONUP, 0, pointParam(x, y));
  input.finish();
}

void click(HWND control, milliseconds settleTime) {
  requireUsable(control, "click");
  const POINT centre = centreOf(control);
  clickAt(control, centre.x, centre.y, settleTime);
}

void pressKey(HWND window, UINT virtualKey, Modifiers modifiers, milliseconds settleTime) {
  Batch input(window, "press a key in", settleTime);
  uint32_t bits = 0;
  if (modifiers.ctrl) bits |= agent::kCtrl;
  if (modifiers.shift) bits |= agent::kShift;
  if (modifiers.alt) bits |= agent::kAlt;
  if (bits != 0) input.postModifiers(bits);
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
  if (isExtendedKey(virtualKey)) down |= KF_EXTENDED << 16;
  if (modifiers.alt) down |= KF_ALTDOWN << 16;
  const LPARAM up = down | ((KF_REPEAT | KF_UP) << 16);
  input.post(modifiers.alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, down);
  input.postRelease(modifiers.alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, up);
  if (bits != 0) input.postModifiers(0);
  input.finish();
}

void typeText(HWND edit, std::string_view text, milliseconds settleTime) {
  if (isReadOnly(edit)) {
    throw DriverError("cannot type into " + describeWindow(edit) + ": it is read-only");
  }
  Batch input(edit, "type into", settleTime);
  for (wchar_t unit : widen(text)) input.post(WM_CHAR, unit, 1);
  input.finish();
}

void focusByPress(HWND control, milliseconds settleTime) {
  Batch input(control, "press the mouse on", settleTime);
  const POINT centre = centreOf(control);
  input.post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(centre.x, centre.y));
  // Released left of and above the client area, so no click reaches the control.
  input.postRelease(WM_LBUTTONUP, 0, pointParam(-4, -4));
  input.finish();
}

bool isChecked(HWND box) {
  DWORD_PTR state = 0;
  if (!SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state)) {
    throw DriverError("cannot read the check box: " + describeWindow(box));
  }
  return state == BST_CHECKED;
}

void setChecked(HWND box, bool checked) {
  if (isChecked(box) == checked) return;
  click(box);
  if (isChecked(box) != checked) {
    throw DriverError("the click did not change the check box: " + describeWindow(box));
  }
}

}  // namespace morv::uidriver
