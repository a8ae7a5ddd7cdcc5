#pragma once
// Message boxes of another process: dialogs of class "#32770" on its UI thread.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morv::uidriver {

enum class BoxIcon { kNone, kError, kQuestion, kWarning, kInformation, kOther };

struct MessageBoxInfo {
  HWND window = nullptr;
  std::string title;
  std::string text;
  BoxIcon icon = BoxIcon::kNone;
  // Captions of the visible buttons, in order. Wine keeps the unused buttons of a box, hidden.
  std::vector<std::string> buttons;
};

// A visible box of that process with exactly that title (empty: any title).
std::optional<MessageBoxInfo> findMessageBox(DWORD pid, std::string_view title = {});
MessageBoxInfo waitForMessageBox(DWORD pid, std::string_view title,
                                 std::chrono::milliseconds timeout);
bool noMessageBoxOpen(DWORD pid);

// Clicks the visible, enabled button with that caption ("&Yes" or "Yes"), then waits until the
// box is destroyed and the program has returned from MessageBox: a box is hidden at once but
// destroyed later, and the next box must not be mistaken for this one.
void answer(const MessageBoxInfo& box, std::string_view button,
            std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

std::string toString(BoxIcon icon);

}  // namespace morv::uidriver
