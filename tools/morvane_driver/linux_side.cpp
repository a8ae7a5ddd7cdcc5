#include "tools/morvane_driver/linux_side.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tools/morvane_driver/morvane_app.h"

namespace morv::driver {
namespace {

// Wine shows the host's root as drive Z:. Files in /proc report no size: read to the end.
std::string ReadHostFile(const std::string& unixPath) {
  std::ifstream file("Z:" + unixPath, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  std::string read = text.str();
  while (!read.empty() && (read.back() == '\n' || read.back() == '\0')) read.pop_back();
  return read;
}

std::vector<std::string> HostFolder(const std::string& unixPath) {
  std::vector<std::string> names;
  std::error_code failed;
  for (const auto& entry : std::filesystem::directory_iterator("Z:" + unixPath, failed)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// "WINEPREFIX=..." among a process's NUL-separated environment.
std::string PrefixOf(const std::string& pid) {
  const std::string variables = '\0' + ReadHostFile("/proc/" + pid + "/environ");
  const size_t at = variables.find(std::string("\0WINEPREFIX=", 12));
  return at == std::string::npos ? ""
                                 : variables.substr(at + 1, variables.find('\0', at + 1) - at - 1);
}

// Wine starts a Linux program as it starts a Windows one, but hands back no handle to wait on:
// the signal is known to have arrived when the process's state in /proc says so.
void Signal(int linuxPid, const char* signal, bool stopped) {
  uidriver::Process::launch(
      {.executable = "Z:\\usr\\bin\\kill",
       .arguments = std::string("-") + signal + " " + std::to_string(linuxPid)});
  uidriver::waitUntil(
      [&] {
        const std::string stat = ReadHostFile("/proc/" + std::to_string(linuxPid) + "/stat");
        const size_t name = stat.rfind(')');  // "pid (comm) state ..."
        return (name + 2 < stat.size() && stat[name + 2] == 'T') == stopped;
      },
      std::chrono::seconds(10), std::string("SIG") + signal + " to arrive");
}

}  // namespace

std::optional<int> LinuxProcessOf(const std::string& comm) {
  // Other Wine prefixes on the same host may run the same program.
  const std::string ours = PrefixOf("self");
  for (const std::string& name : HostFolder("/proc")) {
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    if (ReadHostFile("/proc/" + name + "/comm") == comm && PrefixOf(name) == ours) {
      return std::stoi(name);
    }
  }
  return std::nullopt;
}

bool HasThreadNamed(int linuxPid, const std::string& name) {
  const std::string tasks = "/proc/" + std::to_string(linuxPid) + "/task";
  for (const std::string& task : HostFolder(tasks)) {
    if (ReadHostFile(tasks + "/" + task + "/comm") == name) return true;
  }
  return false;
}

void StopBetween(int linuxPid, std::chrono::sys_time<std::chrono::milliseconds> from,
                 std::chrono::sys_time<std::chrono::milliseconds> until) {
  std::this_thread::sleep_for(from - LocalNow());
  Signal(linuxPid, "STOP", true);
  std::this_thread::sleep_for(until - LocalNow());
  Signal(linuxPid, "CONT", false);
}

}  // namespace morv::driver
