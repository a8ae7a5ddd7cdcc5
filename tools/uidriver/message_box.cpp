#include "tools/uidriver/message_box.h"

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/input.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;

constexpr char kDialogClass[] = "#32770";
// The id Windows and Wine give the text of a message box.
constexpr int kTextId = 0xFFFF;

bool isClass(HWND hwnd, const char* name) { return lstrcmpiA(className(hwnd).c_str(), name) == 0; }

BoxIcon iconOf(HWND box) {
  for (HWND child : childWindows(box)) {
    if (!isClass(child, "Static") ||
        (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
      continue;
    }
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_NORMAL, 2000, &icon);
    if (icon == 0) return BoxIcon::kNone;
    // Icon handles mean nothing in another process: the agent compares them inside.
    const auto kind = static_cast<agent::IconKind>(
        Agent::of(processOf(box)).callForValue(agent::Op::kIconKind, icon));
    switch (kind) {
      case agent::IconKind::kNone:
        return BoxIcon::kNone;
      case agent::IconKind::kError:
        return BoxIcon::kError;
      case agent::IconKind::kQuestion:
        return BoxIcon::kQuestion;
      case agent::IconKind::kWarning:
        return BoxIcon::kWarning;
      case agent::IconKind::kInformation:
        return BoxIcon::kInformation;
      case agent::IconKind::kOther:
        return BoxIcon::kOther;
    }
  }
  return BoxIcon::kNone;
}

std::vector<HWND> visibleButtons(HWND box) {
  std::vector<HWND> buttons;
  for (HWND child : childWindows(box)) {
    if (isClass(child, "Button") && IsWindowVisible(child)) buttons.push_back(child);
  }
  return buttons;
}

MessageBoxInfo read(HWND box) {
  MessageBoxInfo info;
  info.window = box;
  info.title = windowTitle(box);
  if (HWND text = GetDlgItem(box, kTextId)) info.text = windowText(text);
  info.icon = iconOf(box);
  for (HWND button : visibleButtons(box)) info.buttons.push_back(windowText(button));
  return info;
}

HWND findBoxWindow(DWORD pid, std::string_view title) {
  for (HWND hwnd : topLevelWindows(pid)) {
    if (isClass(hwnd, kDialogClass) && IsWindowVisible(hwnd) &&
        (title.empty() || windowTitle(hwnd) == title)) {
      return hwnd;
    }
  }
  return nullptr;
}

}  // namespace

std::optional<MessageBoxInfo> findMessageBox(DWORD pid, std::string_view title) {
  HWND box = findBoxWindow(pid, title);
  if (box == nullptr) return std::nullopt;
  return read(box);
}

MessageBoxInfo waitForMessageBox(DWORD pid, std::string_view title, milliseconds timeout) {
  HWND box = waitFor(
      [&]() -> std::optional<HWND> {
        HWND found = findBoxWindow(pid, title);
        return found != nullptr ? std::optional(found) : std::nullopt;
      },
      timeout,
      title.empty() ? std::string("a message box")
                    : "a message box titled '" + std::string(title) + "'",
      pid);
  return read(box);
}

bool noMessageBoxOpen(DWORD pid) { return findBoxWindow(pid, {}) == nullptr; }

void answer(const MessageBoxInfo& box, std::string_view caption, milliseconds timeout) {
  if (!IsWindow(box.window) || !IsWindowVisible(box.window)) {
    throw DriverError("cannot press '" + std::string(caption) + "' in the message box '" +
                      box.title + "': it is no longer open");
  }
  const DWORD pid = processOf(box.window);
  const DWORD thread = threadOf(box.window);
  std::string seen;
  for (HWND button : visibleButtons(box.window)) {
    const std::string text = windowText(button);
    if (!sameCaption(text, caption)) {
      seen += " '" + text + "'";
      continue;
    }
    click(button, timeout);
    waitUntil([&] { return !IsWindow(box.window); }, timeout,
              "the message box '" + box.title + "' to close after pressing '" + text + "'", pid);
    Agent::of(pid).settle(thread, timeout);
    return;
  }
  throw DriverError("the message box '" + box.title + "' has no visible button '" +
                    std::string(caption) + "'; its visible buttons:" + seen);
}

std::string toString(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kNone:
      return "none";
    case BoxIcon::kError:
      return "error";
    case BoxIcon::kQuestion:
      return "question";
    case BoxIcon::kWarning:
      return "warning";
    case BoxIcon::kInformation:
      return "information";
    case BoxIcon::kOther:
      return "other";
  }
  return "?";
}

}  // namespace morv::uidriver
