#include "tools/uidriver/window_query.h"

#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"
#include "win32/unique_handle.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;

// Text for listings: WM_GETTEXT when the target answers quickly, else the title.
std::string QuickText(HWND hwnd) {
  try {
    return windowText(hwnd, milliseconds(200));
  } catch (const DriverError&) {
    return windowTitle(hwnd);
  }
}

}  // namespace

std::vector<HWND> topLevelWindows(DWORD pid) {
  std::pair<DWORD, std::vector<HWND>> search{pid, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto& [wanted, found] = *reinterpret_cast<decltype(search)*>(param);
        if (processOf(hwnd) == wanted) found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

HWND findWindow(DWORD pid, std::string_view wantedClass, std::string_view title) {
  for (HWND hwnd : topLevelWindows(pid)) {
    if (IsWindowVisible(hwnd) && (wantedClass.empty() || hasClass(hwnd, wantedClass)) &&
        (title.empty() || windowTitle(hwnd) == title)) {
      return hwnd;
    }
  }
  return nullptr;
}

HWND waitForWindow(DWORD pid, std::string_view wantedClass, milliseconds timeout,
                   std::string_view title) {
  return waitUntil(
      [&] { return findWindow(pid, wantedClass, title); }, timeout,
      "a window of class '" + std::string(wantedClass) + "' titled '" + std::string(title) + "'",
      pid);
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
  std::string seen;
  for (HWND child : childWindows(parent)) {
    if (hasClass(child, wantedClass) && QuickText(child) == text) return child;
    seen += "\n  " + describeWindow(child);
  }
  throw DriverError("no " + std::string(wantedClass) + " '" + std::string(text) + "' in " +
                    describeWindow(parent) + "; its children:" + seen);
}

DWORD processOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

bool hasClass(HWND hwnd, std::string_view name) {
  return !lstrcmpiW(widen(className(hwnd)).c_str(), widen(name).c_str());
}

std::string className(HWND hwnd) {
  WCHAR name[256] = {};
  return narrow(std::wstring_view(name, std::max(0, GetClassNameW(hwnd, name, 256))));
}

std::string windowTitle(HWND hwnd) {
  WCHAR title[1024] = {};
  return narrow(std::wstring_view(title, std::max(0, InternalGetWindowText(hwnd, title, 1024))));
}

std::string windowText(HWND hwnd, milliseconds timeout) {
  const auto ms = static_cast<UINT>(timeout.count());
  const auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, ms, &result)) {
      throw DriverError("the window " + className(hwnd) + " '" + windowTitle(hwnd) +
                        "' did not give its text within " + std::to_string(ms) +
                        " ms (gone, busy or hung)");
    }
    return result;
  };
  const DWORD_PTR length = send(WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(length + 1, L'\0');
  text.resize(std::min<size_t>(send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())),
                               length));
  return narrow(text);
}

HWND focusedWindow(HWND anyWindowOfThread) {
  GUITHREADINFO info{.cbSize = sizeof(info)};
  GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info);
  return info.hwndFocus;
}

void requireUsable(HWND hwnd, std::string_view action) {
  std::string why;
  if (!IsWindow(hwnd)) {
    why = "the window does not exist";
  } else if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) {
    why = describeWindow(hwnd) + " is hidden or disabled";
  }
  for (HWND up = GetAncestor(hwnd, GA_PARENT); why.empty() && up && up != GetDesktopWindow();
       up = GetAncestor(up, GA_PARENT)) {
    if (!IsWindowEnabled(up))
      why = describeWindow(hwnd) + " is inside the disabled " + describeWindow(up) +
            " (a modal box open over it?)";
  }
  if (!why.empty()) throw DriverError("cannot " + std::string(action) + ": " + why);
}

std::string describeWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return "(no window)";
  return className(hwnd) + " '" + QuickText(hwnd) + "'" +
         (IsWindowVisible(hwnd) ? " visible" : " hidden") +
         (IsWindowEnabled(hwnd) ? "" : " disabled");
}

std::string describeWindows(DWORD pid) {
  const win32::UniqueProcessHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  DWORD code = STILL_ACTIVE;
  if (process) GetExitCodeProcess(process.get(), &code);
  if (code != STILL_ACTIVE) {
    return "process " + std::to_string(pid) + " has exited with code " + std::to_string(code);
  }
  std::string text = "the windows of process " + std::to_string(pid) + ":";
  for (HWND hwnd : topLevelWindows(pid)) text += " [" + describeWindow(hwnd) + "]";
  return text;
}

}  // namespace morv::uidriver
