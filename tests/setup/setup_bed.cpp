#include "tests/setup/setup_bed.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tools/morvane_driver/run_program.h"

namespace morv::setup_test {
namespace {

using win32::UniqueProcessHandle;

std::string KnownFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

void WaitFor(HANDLE process, const std::string& what, std::chrono::milliseconds timeout) {
  if (WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    TerminateProcess(process, 1);
    throw std::runtime_error(what + " still ran after " + std::to_string(timeout.count()) + " ms");
  }
}

// Processes whose parent is one of `parents`, found in one snapshot.
std::vector<DWORD> ChildrenOf(const std::set<DWORD>& parents) {
  std::vector<DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return children;
  const UniqueProcessHandle owner(snapshot);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (parents.count(entry.th32ParentProcessID) && !parents.count(entry.th32ProcessID)) {
      children.push_back(entry.th32ProcessID);
    }
  }
  return children;
}

}  // namespace

UniqueProcessHandle Start(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    throw std::runtime_error("could not start " + commandLine + ": error " +
                             std::to_string(GetLastError()));
  }
  CloseHandle(info.hThread);
  return UniqueProcessHandle(info.hProcess);
}

std::string SetupProgram() { return BuildFolder() + "\\morvane-setup.exe"; }
std::string QuorvixFolder() { return KnownFolder(CSIDL_PROGRAM_FILES) + "\\Quorvix"; }
std::string InstallFolder() { return QuorvixFolder() + "\\MORV"; }
std::string StartMenuShortcut() { return KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\Morvane.lnk"; }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileContents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

DWORD RunToEnd(const std::string& commandLine, bool children, std::chrono::milliseconds timeout) {
  const UniqueProcessHandle process = Start(commandLine);
  std::set<DWORD> family{GetProcessId(process.get())};
  WaitFor(process.get(), commandLine, timeout);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  // A child is started before its parent ends, so once the parent has ended one
  // more look finds it; its own children likewise.
  for (auto found = ChildrenOf(family); children && !found.empty(); found = ChildrenOf(family)) {
    for (DWORD child : found) {
      family.insert(child);
      const UniqueProcessHandle handle(OpenProcess(SYNCHRONIZE, FALSE, child));
      if (handle) WaitFor(handle.get(), "a program started by " + commandLine, timeout);
    }
  }
  return code;
}

bool RegKeyExists(const std::string& key) {
  return driver::RunProgram("reg query \"" + key + "\"").exitCode == 0;
}

void RemoveEverything() {
  const std::string folder = InstallFolder();
  if (Exists(folder + "\\uninstall.exe")) {
    RunToEnd("\"" + folder + "\\uninstall.exe\" /S /REMOVESETTINGS _?=" + folder);
  }
  for (const char* file : {"uninstall.exe", "MORVU.EXE", "MORVHELP.DOC"}) {
    DeleteFileA((folder + "\\" + file).c_str());
  }
  RemoveDirectoryA(folder.c_str());
  RemoveDirectoryA(QuorvixFolder().c_str());
  DeleteFileA(StartMenuShortcut().c_str());
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    RegDeleteKeyValueA(root, kRunKey, "Morvane");
    RegDeleteTreeA(root, kSettingsKey);
    RegDeleteKeyA(root, "SOFTWARE\\QUORVIX");  // only when nothing else is left in it
  }
  RegDeleteTreeA(HKEY_LOCAL_MACHINE,
                 "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane");
}

}  // namespace morv::setup_test
