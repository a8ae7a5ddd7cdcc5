#pragma once
// Reading a msctls_statusbar32 of another process.
#include <windows.h>

#include <string>

namespace morv::uidriver {

// The text of one part. SB_GETTEXT carries a pointer, so the buffer is allocated in the target.
// When the program's UI thread does not answer (it is blocked, say in Sleep), the agent reads
// the text inside the program instead, so this works during such a pause too.
std::string statusBarText(HWND statusBar, int part = 0);
int statusBarParts(HWND statusBar);

}  // namespace morv::uidriver
