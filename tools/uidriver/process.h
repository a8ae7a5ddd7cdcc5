#pragma once
// The program under test, started as a separate process. A Process that is destroyed while its
// program still runs terminates it: a test never leaves a program behind, even when it fails
// half-way.
#include <windows.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace morv::uidriver {

struct LaunchOptions {
  std::string executable;  // a Windows path, or under Wine a Unix one
  std::vector<std::string> arguments;
  std::string workingDirectory;  // empty: the driver's own
  // Added to the driver's environment, replacing variables of the same name.
  std::vector<std::pair<std::string, std::string>> environment;
  // How long to wait for the program to first wait for input (WaitForInputIdle).
  std::chrono::milliseconds idleTimeout{10000};
};

class Process {
 public:
  static Process launch(const LaunchOptions& options);

  Process() = default;  // no process: for members launched later
  Process(Process&&) noexcept = default;
  Process& operator=(Process&& other) noexcept;
  ~Process();

  DWORD pid() const { return pid_; }
  HANDLE handle() const { return handle_.get(); }
  bool isRunning() const;
  // The exit code; throws DriverError if the program still runs after `timeout`.
  DWORD waitForExit(std::chrono::milliseconds timeout);
  // Ends the program if it still runs and waits until it has.
  void terminate();
  // Leaves the program running when this object goes.
  void detach() { handle_.reset(); }

 private:
  Process(win32::UniqueProcessHandle handle, DWORD pid) : handle_(std::move(handle)), pid_(pid) {}

  win32::UniqueProcessHandle handle_;
  DWORD pid_ = 0;
};

// A command line that gives `arguments` back unchanged through CommandLineToArgvW / the C
// runtime: quotes around arguments with spaces, escaped quotes and backslashes before them.
std::wstring commandLine(const std::string& executable, const std::vector<std::string>& arguments);

}  // namespace morv::uidriver
