#pragma once
// Finding another process's windows and reading what a user would see on them. Everything here
// works across processes; reads that need the target's UI thread use timeouts, so a busy
// program makes them fail with a message rather than hang the test.
#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace morv::uidriver {

// Which top-level window to look for. Empty class or title match any; the class compares
// without case, as Windows does.
struct WindowSpec {
  std::string className;
  std::string title;
  bool titleIsSubstring = false;
  bool visibleOnly = false;
};

std::vector<HWND> topLevelWindows(DWORD pid);
HWND findWindow(DWORD pid, const WindowSpec& wanted);  // nullptr when there is none
HWND waitForWindow(DWORD pid, const WindowSpec& wanted, std::chrono::milliseconds timeout);

// Every descendant of `parent`, depth first.
std::vector<HWND> childWindows(HWND parent);
// The first descendant with that class (empty: any) and exactly that text; throws when none.
HWND findChild(HWND parent, std::string_view className, std::string_view text);
HWND findChild(HWND parent, int controlId);

DWORD processOf(HWND hwnd);
DWORD threadOf(HWND hwnd);
std::string className(HWND hwnd);
// The title as the window manager knows it; never waits for the target (edits answer '').
std::string windowTitle(HWND hwnd);
// The text through WM_GETTEXT, which Wine marshals across processes; edits answer it too.
std::string windowText(HWND hwnd,
                       std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

bool isEnabled(HWND hwnd);   // the window's own WS_DISABLED, as IsWindowEnabled
bool isVisible(HWND hwnd);   // the window and all its parents shown
bool isReadOnly(HWND hwnd);  // an Edit with ES_READONLY
// The window that has the keyboard focus in the thread owning `anyWindowOfThread`.
HWND focusedWindow(HWND anyWindowOfThread);

// Why a user could not click or type into `hwnd` right now ("" when they could): it is gone,
// hidden, disabled, or inside a disabled window (a modal box is open over it).
std::string whyUnusable(HWND hwnd);
// Throws DriverError("cannot <action>: <why>") when a user could not.
void requireUsable(HWND hwnd, std::string_view action);

// One line per window, for error messages and the morvdrive front end.
std::string describeWindow(HWND hwnd);
std::string describeWindows(DWORD pid);

}  // namespace morv::uidriver
