#pragma once
// Mouse and keyboard input as a user gives it: posted to the target's queue, so its own message
// loop (IsDialogMessage, TranslateAccelerator, modal loops) sees it. Each action first checks
// that a user could do it and throws DriverError otherwise. Then it waits up to `settle` until
// the target has taken the input from its queue: the handlers have run, or a modal loop they
// started (a message box, a menu) is running. A target still busy after `settle` does not make
// the action fail; pass 0 to return at once.
#include <windows.h>

#include <chrono>
#include <string_view>

#include "tools/uidriver/agent/protocol.h"

namespace morv::uidriver {

inline constexpr std::chrono::milliseconds kSettle{5000};
using agent::kAlt, agent::kCtrl, agent::kShift;

// A left click at the centre of a control, or at (x, y) in its client area.
void click(HWND control, std::chrono::milliseconds settle = kSettle);
void clickAt(HWND window, int x, int y, std::chrono::milliseconds settle = kSettle);
// A key press and release (WM_SYSKEYDOWN/UP with kAlt). The modifiers (kCtrl | kShift | kAlt) are
// held in the thread's keyboard state for the press, so accelerators fire; their own key
// messages are not sent.
void pressKey(HWND window, UINT virtualKey, uint32_t modifiers = 0,
              std::chrono::milliseconds settle = kSettle);
// One WM_CHAR per UTF-16 unit of `text`; an edit must not be read-only. Typed into an open
// pop-up menu ("#32768"), a character chooses the item with that access key.
void typeText(HWND window, std::string_view text, std::chrono::milliseconds settle = kSettle);

// Whether a check box is ticked; ticking or unticking it with a click, as a user would.
bool isChecked(HWND box);
void setChecked(HWND box, bool checked);
// Waits until the thread owning `window` has taken everything posted to it so far; false when
// it is still busy after `timeout`.
bool settle(HWND window, std::chrono::milliseconds timeout = kSettle);

}  // namespace morv::uidriver
