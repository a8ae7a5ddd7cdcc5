#include "tools/uidriver/agent_client.h"

#include <psapi.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "tools/uidriver/driver_error.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;
using UniqueThreadHandle = win32::UniqueProcessHandle;

constexpr milliseconds kCallTimeout{10000};
constexpr uint32_t kFirstCapacity = 64 * 1024;

std::wstring moduleBaseName(HANDLE process, HMODULE module) {
  WCHAR name[MAX_PATH] = {};
  const DWORD length = GetModuleBaseNameW(process, module, name, MAX_PATH);
  return std::wstring(name, length);
}

std::optional<uintptr_t> remoteModule(HANDLE process, const std::wstring& wanted) {
  std::vector<HMODULE> modules(256);
  DWORD needed = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto bytes = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
    if (!EnumProcessModulesEx(process, modules.data(), bytes, &needed, LIST_MODULES_ALL)) {
      return std::nullopt;
    }
    if (needed <= bytes) break;
    modules.resize(needed / sizeof(HMODULE) + 16);
  }
  modules.resize(std::min<size_t>(modules.size(), needed / sizeof(HMODULE)));
  for (HMODULE module : modules) {
    if (lstrcmpiW(moduleBaseName(process, module).c_str(), wanted.c_str()) == 0) {
      return reinterpret_cast<uintptr_t>(module);
    }
  }
  return std::nullopt;
}

// Where a function of this process sits in the target: same module, same offset.
uintptr_t remoteAddressOf(HANDLE process, const void* local) {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCWSTR>(local), &module);
  const std::wstring name = moduleBaseName(GetCurrentProcess(), module);
  const auto base = remoteModule(process, name);
  if (module == nullptr || !base) {
    throw DriverError("the target process has no " + narrow(name) + " loaded");
  }
  return *base + (reinterpret_cast<uintptr_t>(local) - reinterpret_cast<uintptr_t>(module));
}

bool running(DWORD pid) {
  win32::UniqueProcessHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
  return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// Runs `function(argument)` on a new thread in the target and returns its exit code.
std::optional<DWORD> runRemote(HANDLE process, uintptr_t function, void* argument,
                               milliseconds timeout) {
  UniqueThreadHandle thread(CreateRemoteThread(process, nullptr, 0,
                                               reinterpret_cast<LPTHREAD_START_ROUTINE>(function),
                                               argument, 0, nullptr));
  if (!thread) {
    throw DriverError("cannot start a thread in the target process (error " +
                      std::to_string(GetLastError()) + ")");
  }
  if (WaitForSingleObject(thread.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeThread(thread.get(), &code);
  return code;
}

HMODULE localAgent() {
  static std::mutex mutex;
  static win32::UniqueHmodule module;
  std::lock_guard lock(mutex);
  if (!module) {
    module.reset(LoadLibraryW(widen(Agent::dllPath()).c_str()));
    if (!module) {
      throw DriverError("cannot load " + Agent::dllPath() + " (error " +
                        std::to_string(GetLastError()) + ")");
    }
  }
  return module.get();
}

std::string opName(agent::Op op) {
  switch (op) {
    case agent::Op::kPing:
      return "ping";
    case agent::Op::kWindowMenu:
      return "read the menu bar";
    case agent::Op::kSystemMenu:
      return "read the window menu";
    case agent::Op::kMenu:
      return "read a menu";
    case agent::Op::kIconKind:
      return "identify an icon";
    case agent::Op::kInstallHook:
      return "hook the UI thread";
    case agent::Op::kStatusText:
      return "read a status bar";
    case agent::Op::kTextExtent:
      return "measure a text";
    case agent::Op::kCalendarMinSize:
      return "ask a calendar its least size";
    case agent::Op::kWindowIconWidth:
      return "measure a window's icon";
    case agent::Op::kTrayPictureWidth:
      return "watch the tray's picture";
  }
  return "request " + std::to_string(static_cast<uint32_t>(op));
}

}  // namespace

std::string Agent::dllPath() {
  std::vector<std::string> tried;
  const auto exists = [&](const std::string& path) {
    tried.push_back(path);
    return std::filesystem::exists(widen(path));
  };
  if (const char* file = std::getenv("MORV_UIDRIVER_AGENT"); file && *file) {
    if (exists(windowsPath(file))) return windowsPath(file);
  }
  const std::string name = narrow(agent::kDllName);
  if (const char* dir = std::getenv("MORV_TOOLS_DIR"); dir && *dir) {
    if (exists(windowsPath(dir) + "\\" + name)) return windowsPath(dir) + "\\" + name;
  }
  WCHAR self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  // Beside the executable, or in the build's tools folder for tests built elsewhere.
  const std::filesystem::path directory = std::filesystem::path(self).parent_path();
  for (const auto& candidate : {directory, directory.parent_path() / L"tools"}) {
    const std::string path = narrow(candidate.wstring()) + "\\" + name;
    if (exists(path)) return path;
  }
  std::string list;
  for (const auto& path : tried) list += " " + path;
  throw DriverError("cannot find " + name + "; looked at:" + list +
                    " (set MORV_UIDRIVER_AGENT or MORV_TOOLS_DIR)");
}

Agent& Agent::of(DWORD pid) {
  static std::mutex mutex;
  static std::map<DWORD, std::unique_ptr<Agent>> agents;
  std::lock_guard lock(mutex);
  auto& slot = agents[pid];
  // The agent of a program that has ended stays: waiting on it is over at once, which is
  // right for input that ended the program. A new program under the same id gets its own.
  if (!slot || (!slot->alive() && running(pid))) {
    slot.reset(new Agent(pid));
    slot->load();
  }
  return *slot;
}

Agent::Agent(DWORD pid)
    : pid_(pid),
      process_(openProcess(pid)),
      marker_(RegisterWindowMessageW(agent::kMarkerMessage)) {}

bool Agent::alive() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

std::string Agent::name() const { return "the agent in process " + std::to_string(pid_); }

void Agent::load() {
  const HMODULE local = localAgent();
  auto base = remoteModule(process_.get(), agent::kDllName);
  if (!base) {
    const std::wstring path = widen(dllPath());
    RemoteBuffer remotePath(process_.get(), (path.size() + 1) * sizeof(WCHAR));
    remotePath.write(0, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
    const auto loadLibrary = reinterpret_cast<const void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
    if (!runRemote(process_.get(), remoteAddressOf(process_.get(), loadLibrary),
                   remotePath.address(), kCallTimeout)) {
      remotePath.abandon();
      throw DriverError("LoadLibrary of the agent did not return in process " +
                        std::to_string(pid_) + "; " + describeWindows(pid_));
    }
    base = remoteModule(process_.get(), agent::kDllName);
    if (!base) {
      throw DriverError("process " + std::to_string(pid_) + " could not load " + narrow(path));
    }
  }
  remoteBase_ = *base;
  const auto offset = [&](const char* symbol) {
    const auto address = reinterpret_cast<uintptr_t>(GetProcAddress(local, symbol));
    if (address == 0) throw DriverError("the agent DLL lacks the export " + std::string(symbol));
    return remoteBase_ + (address - reinterpret_cast<uintptr_t>(local));
  };
  remoteCall_ = offset(agent::kCallExport);
  remoteBarrier_ = offset(agent::kBarrierExport);
  const uint32_t version = callForValue(agent::Op::kPing);
  if (version != agent::kVersion) {
    throw DriverError(name() + " speaks version " + std::to_string(version) + ", not " +
                      std::to_string(agent::kVersion) + ": an older DLL is loaded there");
  }
  nextBarrier_ = barrier();
}

std::vector<char> Agent::call(agent::Op op, uint64_t arg1, uint64_t arg2) {
  uint32_t capacity = kFirstCapacity;
  for (int attempt = 0; attempt < 2; ++attempt) {
    RemoteBuffer block(process_.get(), sizeof(agent::Request) + capacity);
    block.store(agent::Request{agent::kVersion, op, arg1, arg2, capacity, 0});
    const auto code = runRemote(process_.get(), remoteCall_, block.address(), kCallTimeout);
    if (!code) {
      block.abandon();
      throw DriverError(name() + " did not " + opName(op) + " within " +
                        std::to_string(kCallTimeout.count()) + " ms");
    }
    const auto answer = block.load<agent::Request>();
    const auto status = static_cast<agent::Status>(*code);
    if (status == agent::Status::kTooSmall) {
      capacity = answer.size;
      continue;
    }
    if (status == agent::Status::kBadHandle) {
      throw DriverError(name() + " could not " + opName(op) + ": the handle is not valid there");
    }
    if (status != agent::Status::kOk) {
      throw DriverError(name() + " failed to " + opName(op) + " (status " + std::to_string(*code) +
                        ")");
    }
    std::vector<char> bytes(answer.size);
    if (!bytes.empty()) block.read(sizeof(agent::Request), bytes.data(), bytes.size());
    return bytes;
  }
  throw DriverError(name() + " keeps asking for more room to " + opName(op));
}

uint32_t Agent::callForValue(agent::Op op, uint64_t arg1, uint64_t arg2) {
  const std::vector<char> bytes = call(op, arg1, arg2);
  uint32_t value = 0;
  if (bytes.size() != sizeof(value)) {
    throw DriverError(name() + " gave a malformed answer to " + opName(op));
  }
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(&value));
  return value;
}

int64_t Agent::barrier() const {
  int64_t value = 0;
  if (!readRemote(process_.get(), reinterpret_cast<void*>(remoteBarrier_), &value, sizeof(value))) {
    throw DriverError("cannot read the barrier of " + name() + " (error " +
                      std::to_string(GetLastError()) + ")");
  }
  return value;
}

void Agent::prepare(DWORD threadId) {
  const std::lock_guard lock(hooking_);
  if (std::find(hooked_.begin(), hooked_.end(), threadId) != hooked_.end()) return;
  call(agent::Op::kInstallHook, threadId);
  hooked_.push_back(threadId);
}

bool Agent::settle(DWORD threadId, milliseconds timeout) {
  prepare(threadId);
  const int64_t number = ++nextBarrier_;
  if (!PostThreadMessageW(threadId, marker_, static_cast<WPARAM>(agent::Marker::kBarrier),
                          static_cast<LPARAM>(number))) {
    return false;
  }
  // A program that ends meanwhile (the input closed it) has taken all it ever will. Its
  // memory can go before its handle is signalled: a failed read then means it is ending.
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (alive()) {
    try {
      if (barrier() >= number) return true;
    } catch (const DriverError&) {
      if (WaitForSingleObject(process_.get(), 2000) != WAIT_OBJECT_0) throw;
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(5);
  }
  return true;
}

void Agent::postModifiers(DWORD threadId, uint32_t bits) {
  prepare(threadId);
  if (!PostThreadMessageW(threadId, marker_, static_cast<WPARAM>(agent::Marker::kModifiers),
                          bits)) {
    throw DriverError("cannot post to thread " + std::to_string(threadId) + " of process " +
                      std::to_string(pid_));
  }
}

}  // namespace morv::uidriver
