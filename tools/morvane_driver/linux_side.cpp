#include "tools/morvane_driver/linux_side.h"

#include <windows.h>

#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tools/morvane_driver/morvane_app.h"
#include "tools/morvane_driver/run_program.h"

namespace morv::driver {
namespace {

// Wine shows the host's root as drive Z:.
std::string HostPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// /proc files report no size: read until the end.
std::string ReadHostFile(const std::string& unixPath) {
  HANDLE opened =
      CreateFileA(HostPath(unixPath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return {};
  const win32::UniqueKernelHandle file(opened);
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) {
    text.append(chunk, got);
  }
  return text;
}

std::vector<std::string> HostFolder(const std::string& unixPath) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((HostPath(unixPath) + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\0')) text.pop_back();
  return text;
}

// "WINEPREFIX=..." as one entry of a NUL-separated environment.
std::string PrefixEntry(const std::string& variables) {
  for (size_t at = 0; at < variables.size();) {
    const size_t end = variables.find('\0', at);
    const std::string entry = variables.substr(at, end - at);
    if (entry.rfind("WINEPREFIX=", 0) == 0) return entry;
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return {};
}

}  // namespace

std::optional<int> LinuxProcessOf(const std::string& comm) {
  // Other Wine prefixes on the same host may run the same program.
  const std::string ours = PrefixEntry(ReadHostFile("/proc/self/environ"));
  for (const std::string& name : HostFolder("/proc")) {
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    if (Trimmed(ReadHostFile("/proc/" + name + "/comm")) != comm) continue;
    if (PrefixEntry(ReadHostFile("/proc/" + name + "/environ")) != ours) continue;
    return std::stoi(name);
  }
  return std::nullopt;
}

bool HasThreadNamed(int linuxPid, const std::string& name) {
  const std::string tasks = "/proc/" + std::to_string(linuxPid) + "/task";
  for (const std::string& task : HostFolder(tasks)) {
    if (task == "." || task == "..") continue;
    if (Trimmed(ReadHostFile(tasks + "/" + task + "/comm")) == name) return true;
  }
  return false;
}

bool SendSignal(int linuxPid, const std::string& signal) {
  // Wine starts a Linux program as it starts a Windows one.
  return RunProgram(HostPath("/usr/bin/kill") + " -" + signal + " " + std::to_string(linuxPid))
             .exitCode == 0;
}

bool StopBetween(int linuxPid, std::chrono::sys_time<std::chrono::milliseconds> from,
                 std::chrono::sys_time<std::chrono::milliseconds> until) {
  std::this_thread::sleep_for(from - LocalNow());
  if (!SendSignal(linuxPid, "STOP")) return false;
  std::this_thread::sleep_for(until - LocalNow());
  return SendSignal(linuxPid, "CONT");
}

}  // namespace morv::driver
