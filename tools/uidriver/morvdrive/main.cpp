// morvdrive.exe: a few of the UI driver's functions for shell scripts and people debugging an
// end-to-end test. Run without arguments for the list of commands.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/uidriver/uidriver.h"

namespace {

using namespace morv::uidriver;

constexpr char kUsage[] =
    "usage: morvdrive <command> [arguments]\n"
    "  ps                          running processes: pid and executable\n"
    "  windows <pid>               top-level windows of a process and their children\n"
    "  status <pid> [part]         text of the first status bar of a process\n"
    "  menu <pid>                  menu bars of a process's visible windows\n"
    "  boxes <pid>                 open message boxes: title, text, icon, buttons\n"
    "  answer <pid> <title> <button>  press a button of a message box\n"
    "  click <hwnd>                click a control (hwnd in hex, as 'windows' shows it)\n"
    "  screenshot <file.bmp>       picture of the whole screen\n";

unsigned long number(const std::string& text, int base, const char* what) {
  size_t used = 0;
  unsigned long value = 0;
  try {
    value = std::stoul(text, &used, base);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size()) throw DriverError("'" + text + "' is not a valid " + what);
  return value;
}

DWORD pidArgument(const std::vector<std::string>& args) {
  if (args.size() < 2) throw DriverError("this command needs a process id");
  return number(args[1], 10, "process id");
}

std::string hwndText(HWND hwnd) {
  char text[32];
  std::snprintf(text, sizeof(text), "%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hwnd)));
  return text;
}

void listProcesses() {
  std::vector<DWORD> pids(4096);
  DWORD bytes = 0;
  EnumProcesses(pids.data(), static_cast<DWORD>(pids.size() * sizeof(DWORD)), &bytes);
  pids.resize(bytes / sizeof(DWORD));
  for (DWORD pid : pids) {
    morv::win32::UniqueProcessHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    WCHAR name[MAX_PATH] = L"?";
    if (process) GetModuleBaseNameW(process.get(), nullptr, name, MAX_PATH);
    std::printf("%6lu %s\n", pid, narrow(name).c_str());
  }
}

void listWindows(DWORD pid) {
  std::printf("%s\n", describeWindows(pid).c_str());
  for (HWND top : topLevelWindows(pid)) {
    std::printf("%s %s\n", hwndText(top).c_str(), describeWindow(top).c_str());
    for (HWND child : childWindows(top)) {
      std::printf("  %s %s\n", hwndText(child).c_str(), describeWindow(child).c_str());
    }
  }
}

void printStatus(DWORD pid, int part) {
  for (HWND top : topLevelWindows(pid)) {
    for (HWND child : childWindows(top)) {
      if (lstrcmpiA(className(child).c_str(), "msctls_statusbar32") == 0) {
        std::printf("%s\n", statusBarText(child, part).c_str());
        return;
      }
    }
  }
  throw DriverError("process " + std::to_string(pid) + " has no status bar");
}

void printMenus(DWORD pid) {
  for (HWND top : topLevelWindows(pid)) {
    if (!IsWindowVisible(top) || GetMenu(top) == nullptr) continue;
    std::printf("%s '%s':\n%s", hwndText(top).c_str(), windowTitle(top).c_str(),
                describeMenu(menuBarItems(top), 1).c_str());
  }
}

void printBoxes(DWORD pid) {
  for (HWND top : topLevelWindows(pid)) {
    if (className(top) != "#32770" || !IsWindowVisible(top)) continue;
    const auto box = findMessageBox(pid, windowTitle(top));
    if (!box) continue;
    std::printf("'%s': '%s' icon=%s buttons:", box->title.c_str(), box->text.c_str(),
                toString(box->icon).c_str());
    for (const auto& button : box->buttons) std::printf(" '%s'", button.c_str());
    std::printf("\n");
  }
}

int run(const std::vector<std::string>& args) {
  const std::string& command = args[0];
  if (command == "ps") {
    listProcesses();
  } else if (command == "windows") {
    listWindows(pidArgument(args));
  } else if (command == "status") {
    printStatus(pidArgument(args), args.size() > 2 ? number(args[2], 10, "part number") : 0);
  } else if (command == "menu") {
    printMenus(pidArgument(args));
  } else if (command == "boxes") {
    printBoxes(pidArgument(args));
  } else if (command == "answer" && args.size() == 4) {
    answer(waitForMessageBox(pidArgument(args), args[2], std::chrono::milliseconds(2000)), args[3]);
  } else if (command == "click" && args.size() == 2) {
    click(reinterpret_cast<HWND>(static_cast<uintptr_t>(number(args[1], 16, "window handle"))));
  } else if (command == "screenshot" && args.size() == 2) {
    saveScreenshot(args[1]);
  } else {
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "%s", kUsage);
    return 2;
  }
  try {
    return run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "morvdrive: %s\n", error.what());
    return 1;
  }
}
