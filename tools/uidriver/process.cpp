#include "tools/uidriver/process.h"

#include <optional>

#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"

namespace morv::uidriver {

Process Process::launch(const LaunchOptions& options) {
  const std::string executable = windowsPath(options.executable);
  std::wstring line = L"\"" + widen(executable) + L"\" " + widen(options.arguments);
  const std::wstring directory = widen(windowsPath(options.workingDirectory));
  // The program inherits the driver's environment with the extra variables set for the start.
  std::vector<std::pair<std::wstring, std::optional<std::wstring>>> before;
  for (const auto& [name, value] : options.environment) {
    std::wstring was(32767, L'\0');
    was.resize(GetEnvironmentVariableW(widen(name).c_str(), was.data(), 32767));
    before.emplace_back(widen(name), was.empty() ? std::nullopt : std::optional(was));
    SetEnvironmentVariableW(widen(name).c_str(), widen(value).c_str());
  }
  STARTUPINFOW startup{.cb = sizeof(startup)};
  PROCESS_INFORMATION info{};
  const bool started =
      CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     directory.empty() ? nullptr : directory.c_str(), &startup, &info);
  const DWORD error = GetLastError();
  for (auto was = before.rbegin(); was != before.rend(); ++was) {
    SetEnvironmentVariableW(was->first.c_str(), was->second ? was->second->c_str() : nullptr);
  }
  if (!started) {
    throw DriverError("cannot start " + executable + " (error " + std::to_string(error) + ")");
  }
  const win32::UniqueProcessHandle thread(info.hThread);
  Process process;
  process.handle_.reset(info.hProcess);
  process.pid_ = info.dwProcessId;
  // A program without a message loop never becomes idle; the wait then just expires.
  WaitForInputIdle(process.handle(), static_cast<DWORD>(options.idleTimeout.count()));
  return process;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    terminate();
    handle_ = std::move(other.handle_);
    pid_ = other.pid_;
  }
  return *this;
}

bool Process::isRunning() const {
  return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT;
}

DWORD Process::waitForExit(std::chrono::milliseconds timeout) {
  waitUntil([this] { return !isRunning(); }, timeout,
            "process " + std::to_string(pid_) + " to exit", pid_);
  DWORD code = 0;
  GetExitCodeProcess(handle_.get(), &code);
  return code;
}

void Process::terminate() {
  if (!isRunning()) return;
  TerminateProcess(handle_.get(), 1);
  WaitForSingleObject(handle_.get(), 10000);
}

}  // namespace morv::uidriver
