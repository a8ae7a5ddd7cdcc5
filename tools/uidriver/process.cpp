#include "tools/uidriver/process.h"

#include <map>

#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;

std::wstring quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring text = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there each one is doubled.
    text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    text += c;
  }
  text.append(backslashes * 2, L'\\');
  return text + L"\"";
}

struct NoCase {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return lstrcmpiW(a.c_str(), b.c_str()) < 0;
  }
};

// The driver's environment with the extra variables, as a CreateProcess block.
std::wstring environmentBlock(const std::vector<std::pair<std::string, std::string>>& extra) {
  std::map<std::wstring, std::wstring, NoCase> variables;
  std::vector<std::wstring> hidden;  // "=C:=C:\dir" entries: kept as they are
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
      const std::wstring text(entry);
      const size_t equals = text.find(L'=', 1);
      if (text[0] == L'=' || equals == std::wstring::npos) {
        hidden.push_back(text);
      } else {
        variables[text.substr(0, equals)] = text.substr(equals + 1);
      }
    }
    FreeEnvironmentStringsW(block);
  }
  for (const auto& [name, value] : extra) {
    if (name.empty() || name.find('=') != std::string::npos) {
      throw DriverError("'" + name + "' is not a valid environment variable name");
    }
    variables.erase(widen(name));
    variables[widen(name)] = widen(value);
  }
  std::wstring result;
  for (const auto& entry : hidden) result += entry + L'\0';
  for (const auto& [name, value] : variables) result += name + L'=' + value + L'\0';
  return result + L'\0';
}

}  // namespace

std::wstring commandLine(const std::string& executable, const std::vector<std::string>& arguments) {
  std::wstring line = quoted(widen(executable));
  for (const auto& argument : arguments) line += L" " + quoted(widen(argument));
  return line;
}

Process Process::launch(const LaunchOptions& options) {
  const std::string executable = windowsPath(options.executable);
  std::wstring line = commandLine(executable, options.arguments);
  std::wstring environment = environmentBlock(options.environment);
  const std::wstring directory = widen(windowsPath(options.workingDirectory));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(widen(executable).c_str(), line.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(),
                      directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
    throw DriverError("cannot start " + executable + " (error " + std::to_string(GetLastError()) +
                      ")");
  }
  win32::UniqueProcessHandle thread(info.hThread);
  Process process(win32::UniqueProcessHandle(info.hProcess), info.dwProcessId);
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

Process::~Process() { terminate(); }

bool Process::isRunning() const {
  return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT;
}

DWORD Process::waitForExit(milliseconds timeout) {
  if (!handle_) throw DriverError("no process to wait for");
  if (WaitForSingleObject(handle_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
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
