#include "tools/uidriver/process.h"

#include <map>

#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"

namespace morv::uidriver {
namespace {

struct NoCase {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return lstrcmpiW(a.c_str(), b.c_str()) < 0;
  }
};

// The driver's environment with the extra variables, as a CreateProcess block. Entries such as
// "=C:=C:\dir" keep their place at the front.
std::wstring EnvironmentBlock(const Environment& extra) {
  std::map<std::wstring, std::wstring, NoCase> variables;
  std::wstring block;
  if (wchar_t* own = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = own; *entry; entry += wcslen(entry) + 1) {
      const std::wstring text(entry);
      const size_t equals = text.find(L'=', 1);
      if (text[0] == L'=' || equals == std::wstring::npos) {
        block += text + L'\0';
      } else {
        variables[text.substr(0, equals)] = text.substr(equals + 1);
      }
    }
    FreeEnvironmentStringsW(own);
  }
  for (const auto& [name, value] : extra) variables[widen(name)] = widen(value);
  for (const auto& [name, value] : variables) block += name + L'=' + value + L'\0';
  return block + L'\0';
}

}  // namespace

Process Process::launch(const LaunchOptions& options) {
  const std::string executable = windowsPath(options.executable);
  std::wstring line = L"\"" + widen(executable) + L"\" " + widen(options.arguments);
  std::wstring environment = EnvironmentBlock(options.environment);
  const std::wstring directory = widen(windowsPath(options.workingDirectory));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.data(), directory.empty() ? nullptr : directory.c_str(), &startup,
                      &info)) {
    throw DriverError("cannot start " + executable + " (error " + std::to_string(GetLastError()) +
                      ")");
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
  if (!handle_ ||
      WaitForSingleObject(handle_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    throwTimeout("process " + std::to_string(pid_) + " to exit", timeout, pid_);
  }
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
