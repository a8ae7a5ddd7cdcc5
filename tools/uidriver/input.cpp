#include "tools/uidriver/input.h"

#include <string>

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;

// The input of one action, awaited on the window's thread even when the input destroys the
// window (a key that closes a menu, a click that ends a dialog).
class Batch {
 public:
  Batch(HWND window, std::string_view action, milliseconds settle)
      : window_(window), settle_(settle) {
    requireUsable(window, action);
    thread_ = GetWindowThreadProcessId(window, &pid_);
    // Hooked before anything is posted: an action whose wait cannot work fails without effect.
    if (settle_.count() > 0) Agent::of(pid_).prepare(thread_);
  }
  // A release may find the window gone, closed by the press before it: handled then.
  void post(UINT message, WPARAM wParam, LPARAM lParam, bool mayBeGone = false) {
    if (!PostMessageW(window_, message, wParam, lParam) && !(mayBeGone && !IsWindow(window_))) {
      throw DriverError("cannot post to " + describeWindow(window_) + " (error " +
                        std::to_string(GetLastError()) + ")");
    }
  }
  void postModifiers(uint32_t bits) { Agent::of(pid_).postModifiers(thread_, bits); }
  // A key's character comes from TranslateMessage, which posts it when the key is taken: behind
  // the first barrier. A second barrier follows it.
  void finish() {
    for (int barrier = 0; barrier < 2 && settle_.count() > 0; ++barrier) {
      Agent::of(pid_).settle(thread_, settle_);
    }
  }

 private:
  HWND window_;
  milliseconds settle_;
  DWORD pid_ = 0;
  DWORD thread_ = 0;
};

}  // namespace

bool settle(HWND window, milliseconds timeout) {
  DWORD pid = 0;
  const DWORD thread = GetWindowThreadProcessId(window, &pid);
  return IsWindow(window) && Agent::of(pid).settle(thread, timeout);
}

void clickAt(HWND window, int x, int y, milliseconds settleTime) {
  Batch input(window, "click", settleTime);
  input.post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  input.post(WM_LBUTTONUP, 0, MAKELPARAM(x, y), /*mayBeGone=*/true);
  input.finish();
}

void click(HWND control, milliseconds settleTime) {
  RECT client{};
  GetClientRect(control, &client);
  clickAt(control, client.right / 2, client.bottom / 2, settleTime);
}

void pressKey(HWND window, UINT virtualKey, uint32_t modifiers, milliseconds settleTime) {
  Batch input(window, "press a key in", settleTime);
  const bool alt = modifiers & kAlt;
  if (modifiers) input.postModifiers(modifiers);
  LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) & 0xFF) << 16);
  if (alt) down |= KF_ALTDOWN << 16;
  input.post(alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, down);
  input.post(alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, down | ((KF_REPEAT | KF_UP) << 16),
             /*mayBeGone=*/true);
  if (modifiers) input.postModifiers(0);
  input.finish();
}

void typeText(HWND window, std::string_view text, milliseconds settleTime) {
  // ES_READONLY shares its bit with other classes' styles: only edits have it.
  if (hasClass(window, "Edit") && (GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY)) {
    throw DriverError("cannot type into the read-only " + describeWindow(window));
  }
  Batch input(window, "type into", settleTime);
  for (wchar_t unit : widen(text)) input.post(WM_CHAR, unit, 1);
  input.finish();
}

bool isChecked(HWND box) {
  DWORD_PTR state = 0;
  if (!SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state)) {
    throw DriverError("cannot read the check box " + describeWindow(box));
  }
  return state == BST_CHECKED;
}

void setChecked(HWND box, bool checked) {
  if (isChecked(box) != checked) click(box);
  if (isChecked(box) != checked) {
    throw DriverError("the click left " + describeWindow(box) + " as it was");
  }
}

}  // namespace morv::uidriver
