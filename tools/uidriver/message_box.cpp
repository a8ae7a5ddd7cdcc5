#include "tools/uidriver/message_box.h"

#include "tools/uidriver/agent_client.h"
#include "tools/uidriver/input.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;

constexpr int kTextId = 0xFFFF;  // the id Windows and Wine give a box's text

// The icon control is there even without an icon, and icon handles mean nothing in another
// process: the agent compares the handle with the standard icons inside.
BoxIcon IconOf(HWND box) {
  for (HWND child : childWindows(box)) {
    if (!hasClass(child, "Static") ||
        (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
      continue;
    }
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_NORMAL, 2000, &icon);
    return static_cast<BoxIcon>(
        Agent::of(processOf(box)).call(agent::Op::kIconKind, icon).values[0]);
  }
  return BoxIcon::kNone;
}

MessageBoxInfo Read(HWND box) {
  MessageBoxInfo info{box, windowTitle(box), "", IconOf(box)};
  if (HWND text = GetDlgItem(box, kTextId)) info.text = windowText(text);
  return info;
}

}  // namespace

std::optional<MessageBoxInfo> findMessageBox(DWORD pid, std::string_view title) {
  HWND box = findWindow(pid, "#32770", title);
  return box ? std::optional(Read(box)) : std::nullopt;
}

MessageBoxInfo waitForMessageBox(DWORD pid, std::string_view title, milliseconds timeout) {
  return Read(waitForWindow(pid, "#32770", timeout, title));
}

void answer(const MessageBoxInfo& box, std::string_view caption) {
  // Wine keeps a box's unused buttons, hidden.
  for (HWND button : childWindows(box.window)) {
    if (!hasClass(button, "Button") || !IsWindowVisible(button) ||
        !sameCaption(windowText(button), caption)) {
      continue;
    }
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(box.window, &pid);
    click(button, kSettle);
    waitUntil([&] { return !IsWindow(box.window); }, kSettle,
              "the box '" + box.title + "' to close after '" + std::string(caption) + "'", pid);
    Agent::of(pid).settle(thread, kSettle);
    return;
  }
  throw DriverError("no visible button '" + std::string(caption) + "' in the box '" + box.title +
                    "' (" + describeWindow(box.window) + ")");
}

}  // namespace morv::uidriver
