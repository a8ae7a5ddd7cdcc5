#pragma once
// A program started as a separate process. A Process destroyed while its program still runs ends
// it: a test never leaves a program behind, even when it fails half-way.
#include <windows.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "win32/unique_handle.h"

namespace morv::uidriver {

// Environment variables, name and value.
using Environment = std::vector<std::pair<std::string, std::string>>;

struct LaunchOptions {
  std::string executable;        // a Windows path, or under Wine a Unix one
  std::string arguments;         // the command line after the quoted executable, as it is
  std::string workingDirectory;  // empty: the driver's own
  // Added to the driver's environment, replacing variables of the same name.
  Environment environment;
  // How long to wait for the program to first wait for input (WaitForInputIdle).
  std::chrono::milliseconds idleTimeout{10000};
};

class Process {
 public:
  static Process launch(const LaunchOptions& options);

  Process() = default;  // no process: for members launched later
  Process(Process&&) noexcept = default;
  Process& operator=(Process&& other) noexcept;
  ~Process() { terminate(); }

  DWORD pid() const { return pid_; }
  HANDLE handle() const { return handle_.get(); }
  bool isRunning() const;
  // The exit code; throws DriverError if the program still runs after `timeout`.
  DWORD waitForExit(std::chrono::milliseconds timeout);
  // Ends the program if it still runs and waits until it has.
  void terminate();

 private:
  win32::UniqueProcessHandle handle_;
  DWORD pid_ = 0;
};

}  // namespace morv::uidriver
