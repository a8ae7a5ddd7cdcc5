#include "tools/uidriver/window_query.h"

#include "platform/win32/unique_handle.h"
#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;

bool titleMatches(HWND hwnd, const WindowSpec& wanted) {
  if (wanted.title.empty()) return true;
  const std::string title = windowTitle(hwnd);
  return wanted.titleIsSubstring ? title.find(wanted.title) != std::string::npos
                                 : title == wanted.title;
}

bool classMatches(HWND hwnd, std::string_view wanted) {
  return wanted.empty() || lstrcmpiW(widen(className(hwnd)).c_str(), widen(wanted).c_str()) == 0;
}

bool matches(HWND hwnd, const WindowSpec& wanted) {
  return (!wanted.visibleOnly || IsWindowVisible(hwnd)) && classMatches(hwnd, wanted.className) &&
         titleMatches(hwnd, wanted);
}

std::string describeSpec(DWORD pid, const WindowSpec& wanted) {
  std::string text = std::string(wanted.visibleOnly ? "a visible" : "a") + " top-level window";
  if (!wanted.className.empty()) text += " of class '" + wanted.className + "'";
  if (!wanted.title.empty()) {
    text += wanted.titleIsSubstring ? " with a title containing '" : " titled '";
    text += wanted.title + "'";
  }
  return text + " in process " + std::to_string(pid);
}

// Text for listings: WM_GETTEXT when the target answers quickly, else the title.
std::string quickText(HWND hwnd) {
  try {
    return windowText(hwnd, milliseconds(200));
  } catch (const DriverError&) {
    return windowTitle(hwnd);
  }
}

std::string describeChildren(HWND parent) {
  std::string text;
  for (HWND child : childWindows(parent)) text += "\n  " + describeWindow(child);
  return text.empty() ? " (none)" : text;
}

}  // namespace

std::vector<HWND> topLevelWindows(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(param);
        if (processOf(hwnd) == search.pid) search.found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND findWindow(DWORD pid, const WindowSpec& wanted) {
  for (HWND hwnd : topLevelWindows(pid)) {
    if (matches(hwnd, wanted)) return hwnd;
  }
  return nullptr;
}

HWND waitForWindow(DWORD pid, const WindowSpec& wanted, milliseconds timeout) {
  return waitFor(
      [&]() -> std::optional<HWND> {
        HWND found = findWindow(pid, wanted);
        return found != nullptr ? std::optional(found) : std::nullopt;
      },
      timeout, describeSpec(pid, wanted), pid);
}

std::vector<HWND> childWindows(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND findChild(HWND parent, std::string_view wantedClass, std::string_view text) {
  for (HWND child : childWindows(parent)) {
    if (classMatches(child, wantedClass) && quickText(child) == text) return child;
  }
  throw DriverError("no child of class '" + std::string(wantedClass) + "' with text '" +
                    std::string(text) + "' in " + describeWindow(parent) +
                    "; its children:" + describeChildren(parent));
}

HWND findChild(HWND parent, int controlId) {
  for (HWND child : childWindows(parent)) {
    if (GetDlgCtrlID(child) == controlId) return child;
  }
  throw DriverError("no child with id " + std::to_string(controlId) + " in " +
                    describeWindow(parent) + "; its children:" + describeChildren(parent));
}

DWORD processOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

DWORD threadOf(HWND hwnd) { return GetWindowThreadProcessId(hwnd, nullptr); }

std::string className(HWND hwnd) {
  WCHAR name[256] = {};
  const int length = GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return narrow(std::wstring_view(name, length > 0 ? length : 0));
}

std::string windowTitle(HWND hwnd) {
  WCHAR title[1024] = {};
  const int length = InternalGetWindowText(hwnd, title, static_cast<int>(std::size(title)));
  return narrow(std::wstring_view(title, length > 0 ? length : 0));
}

std::string windowText(HWND hwnd, milliseconds timeout) {
  const auto ms = static_cast<UINT>(timeout.count());
  DWORD_PTR length = 0;
  if (!IsWindow(hwnd)) throw DriverError("cannot read the text of a window that does not exist");
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, ms, &length)) {
    throw DriverError("the window " + className(hwnd) + " '" + windowTitle(hwnd) +
                      "' did not answer WM_GETTEXTLENGTH within " +
                      std::to_string(timeout.count()) + " ms (its program is busy or hung)");
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_NORMAL, ms, &copied)) {
    throw DriverError("the window " + className(hwnd) + " did not answer WM_GETTEXT within " +
                      std::to_string(timeout.count()) + " ms");
  }
  text.resize(std::min<size_t>(copied, length));
  return narrow(text);
}

bool isEnabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }
bool isVisible(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }

bool isReadOnly(HWND hwnd) {
  // ES_READONLY shares its bit with other classes' styles (BS_BOTTOM): only edits have it.
  const std::string kind = className(hwnd);
  const bool edit = lstrcmpiA(kind.c_str(), "Edit") == 0 || kind.rfind("RichEdit", 0) == 0 ||
                    kind.rfind("RICHEDIT", 0) == 0;
  return edit && (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY) != 0;
}

HWND focusedWindow(HWND anyWindowOfThread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(threadOf(anyWindowOfThread), &info)) return nullptr;
  return info.hwndFocus;
}

std::string whyUnusable(HWND hwnd) {
  if (!IsWindow(hwnd)) return "the window does not exist";
  if (!IsWindowVisible(hwnd)) return describeWindow(hwnd) + " is not visible";
  if (!IsWindowEnabled(hwnd)) return describeWindow(hwnd) + " is disabled";
  for (HWND up = GetAncestor(hwnd, GA_PARENT); up != nullptr && up != GetDesktopWindow();
       up = GetAncestor(up, GA_PARENT)) {
    if (!IsWindowEnabled(up)) {
      return describeWindow(hwnd) + " is inside the disabled window " + describeWindow(up) +
             " (is a modal box open over it?)";
    }
  }
  return {};
}

void requireUsable(HWND hwnd, std::string_view action) {
  const std::string why = whyUnusable(hwnd);
  if (!why.empty()) throw DriverError("cannot " + std::string(action) + ": " + why);
}

std::string describeWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return "(no window)";
  std::string text = className(hwnd) + " '" + quickText(hwnd) + "'";
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) {
    text += " id=" + std::to_string(GetDlgCtrlID(hwnd));
  }
  text += IsWindowVisible(hwnd) ? " visible" : " hidden";
  if (!IsWindowEnabled(hwnd)) text += " disabled";
  return text;
}

std::string describeWindows(DWORD pid) {
  const win32::UniqueProcessHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  DWORD code = STILL_ACTIVE;
  if (process) GetExitCodeProcess(process.get(), &code);
  if (code != STILL_ACTIVE) {
    return "process " + std::to_string(pid) + " has exited with code " + std::to_string(code);
  }
  const std::vector<HWND> windows = topLevelWindows(pid);
  if (windows.empty()) return "process " + std::to_string(pid) + " has no top-level windows";
  std::string text = "top-level windows of process " + std::to_string(pid) + ":";
  for (HWND hwnd : windows) {
    text += " [" + className(hwnd) + " '" + windowTitle(hwnd) + "'" +
            (IsWindowVisible(hwnd) ? " visible]" : " hidden]");
  }
  return text;
}

}  // namespace morv::uidriver
