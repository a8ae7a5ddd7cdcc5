#pragma once
// Message boxes of another process: visible dialogs of class "#32770".
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "tools/uidriver/agent/protocol.h"

namespace morv::uidriver {

struct MessageBoxInfo {
  HWND window = nullptr;
  std::string title;
  std::string text;
  BoxIcon icon = BoxIcon::kNone;
};

// A visible box of that process with exactly that title (empty: any title).
std::optional<MessageBoxInfo> findMessageBox(DWORD pid, std::string_view title = {});
MessageBoxInfo waitForMessageBox(DWORD pid, std::string_view title,
                                 std::chrono::milliseconds timeout);

// Presses the visible button with that caption ("&Yes" or "Yes"), then waits until the box is
// destroyed and the program has come back from MessageBox: a box is hidden at once but destroyed
// later, and the next box must not be mistaken for this one.
void answer(const MessageBoxInfo& box, std::string_view button);

}  // namespace morv::uidriver
