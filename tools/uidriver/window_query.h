#pragma once
// Finding another process's windows and reading what a user would see on them. Reads that need
// the target's UI thread have timeouts, so a busy program makes them fail with a message rather
// than hang the test.
#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace morv::uidriver {

std::vector<HWND> topLevelWindows(DWORD pid);
// A visible top-level window of that class (compared without case, as Windows does) and title;
// empty matches any. nullptr when there is none.
HWND findWindow(DWORD pid, std::string_view className = {}, std::string_view title = {});
HWND waitForWindow(DWORD pid, std::string_view className, std::chrono::milliseconds timeout,
                   std::string_view title = {});

// Every descendant of `parent`, depth first.
std::vector<HWND> childWindows(HWND parent);
// The first descendant of that class with exactly that text; throws, listing them, when none.
HWND findChild(HWND parent, std::string_view className, std::string_view text);

DWORD processOf(HWND hwnd);
std::string className(HWND hwnd);
// Whether the window is of that class, compared without case as Windows does.
bool hasClass(HWND hwnd, std::string_view name);
// The title as the window manager knows it; never waits for the target (edits answer '').
std::string windowTitle(HWND hwnd);
// The text through WM_GETTEXT, which Wine marshals across processes; edits answer it too.
std::string windowText(HWND hwnd,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

inline bool isEnabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }
// The window with the keyboard focus in the thread owning `anyWindowOfThread`.
HWND focusedWindow(HWND anyWindowOfThread);
// Throws DriverError("cannot <action>: ...") when a user could not use `hwnd` now: it is gone,
// hidden, disabled, or inside a disabled window (a modal box is open over it).
void requireUsable(HWND hwnd, std::string_view action);

// One line per window, for error messages.
std::string describeWindow(HWND hwnd);
std::string describeWindows(DWORD pid);

}  // namespace morv::uidriver
