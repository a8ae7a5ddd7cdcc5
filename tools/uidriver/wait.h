#pragma once
// Every refused action and every expired wait of the UI driver throws DriverError, with a message
// that says what was asked and what the driver saw instead: a failing end-to-end test should
// explain itself without a debugger. Every wait has an explicit timeout; when it expires the
// error names what was awaited and lists the process's top-level windows, which usually show
// what happened instead (an unexpected message box, a crashed program, another title).
#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/uidriver/window_query.h"

namespace morv::uidriver {

class DriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::chrono::milliseconds kPollInterval{50};

// Calls `probe` every kPollInterval until its answer tests true (a found window, a std::optional
// with a value, true) and returns that answer.
template <typename Probe>
auto waitUntil(Probe&& probe, std::chrono::milliseconds timeout, std::string_view what,
               DWORD pid = 0) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (auto found = probe()) return found;
    if (std::chrono::steady_clock::now() >= deadline) {
      throw DriverError("timed out after " + std::to_string(timeout.count()) + " ms waiting for " +
                        std::string(what) + (pid ? "; " + describeWindows(pid) : ""));
    }
    Sleep(static_cast<DWORD>(kPollInterval.count()));
  }
}

}  // namespace morv::uidriver
