#pragma once
// Mouse and keyboard input as a user gives it: posted to the target's queue, so its own message
// loop (IsDialogMessage, TranslateAccelerator, modal loops) sees it. Each action first checks
// that a user could do it (the window exists, is visible, is enabled, is not inside a disabled
// window) and throws DriverError otherwise. Then it waits up to `settle` until the target has
// taken the input from its queue: the handlers have run, or a modal loop they started (a
// message box, a menu) is running. A target still busy after `settle` does not make the action
// fail; pass 0 to return at once.
#include <windows.h>

#include <chrono>
#include <string_view>

namespace morv::uidriver {

inline constexpr std::chrono::milliseconds kSettle{5000};

struct Modifiers {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// A left click at the centre of a control.
void click(HWND control, std::chrono::milliseconds settle = kSettle);
// A left click at (x, y) in the window's client coordinates.
void clickAt(HWND window, int x, int y, std::chrono::milliseconds settle = kSettle);
// A key press and release sent to `window` (normally the focused control). With alt it comes
// as WM_SYSKEYDOWN/WM_SYSKEYUP. The modifier keys are held in the thread's keyboard state for
// the press, so accelerators such as Ctrl+K fire; their own key messages are not sent.
void pressKey(HWND window, UINT virtualKey, Modifiers modifiers = {},
              std::chrono::milliseconds settle = kSettle);
// One WM_CHAR per UTF-16 unit of `text`, into an edit that is not read-only.
void typeText(HWND edit, std::string_view text, std::chrono::milliseconds settle = kSettle);
// Presses the mouse on the control and releases it outside: the control takes the focus and
// no click happens. This moves the focus where SetFocus from outside cannot (under Wine it
// fails once the program has shown a modal box).
void focusByPress(HWND control, std::chrono::milliseconds settle = kSettle);

// Whether a check box is ticked, and ticking or unticking one with a click as a user would
// (nothing when it already is as wanted). Throws when the click did not change it.
bool isChecked(HWND box);
void setChecked(HWND box, bool checked);
// Waits until the thread owning `window` has taken everything posted to it so far; false when
// it is still busy after `timeout`.
bool settle(HWND window, std::chrono::milliseconds timeout = kSettle);

}  // namespace morv::uidriver
