#pragma once
// Polling waits. Every wait has an explicit timeout; when it expires the DriverError names what
// was awaited and lists the process's top-level windows, which usually show what happened
// instead (an unexpected message box, a crashed program, a window with another title).
#include <windows.h>

#include <chrono>
#include <string_view>

namespace morv::uidriver {

inline constexpr std::chrono::milliseconds kPollInterval{50};

[[noreturn]] void throwTimeout(std::string_view what, std::chrono::milliseconds timeout, DWORD pid);

// Calls `probe` every kPollInterval until its answer tests true (a found window, a std::optional
// with a value, true) and returns that answer.
template <typename Probe>
auto waitUntil(Probe&& probe, std::chrono::milliseconds timeout, std::string_view what,
               DWORD pid = 0) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (auto found = probe()) return found;
    if (std::chrono::steady_clock::now() >= deadline) throwTimeout(what, timeout, pid);
    Sleep(static_cast<DWORD>(kPollInterval.count()));
  }
}

}  // namespace morv::uidriver
