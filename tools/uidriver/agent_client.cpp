#include "tools/uidriver/agent_client.h"

#include <psapi.h>

#include <cstring>
#include <map>
#include <memory>
#include <optional>

#include "tools/uidriver/process.h"
#include "tools/uidriver/remote_memory.h"
#include "tools/uidriver/text.h"
#include "tools/uidriver/wait.h"
#include "tools/uidriver/window_query.h"

namespace morv::uidriver {
namespace {

using std::chrono::milliseconds;
constexpr DWORD kCallTimeoutMs = 10000;

std::optional<uintptr_t> RemoteModule(HANDLE process, const wchar_t* wanted) {
  HMODULE modules[1024];
  DWORD needed = 0;
  if (!EnumProcessModulesEx(process, modules, sizeof(modules), &needed, LIST_MODULES_ALL)) {
    return std::nullopt;
  }
  for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < std::size(modules); ++i) {
    wchar_t name[MAX_PATH] = {};
    GetModuleBaseNameW(process, modules[i], name, MAX_PATH);
    if (!lstrcmpiW(name, wanted)) return reinterpret_cast<uintptr_t>(modules[i]);
  }
  return std::nullopt;
}

// Where a function of a module loaded here sits in the program: its base there, same offset.
uintptr_t RemoteAddress(HANDLE process, const wchar_t* module, const char* function) {
  const HMODULE local = GetModuleHandleW(module);
  const auto address = reinterpret_cast<uintptr_t>(GetProcAddress(local, function));
  const auto base = RemoteModule(process, module);
  if (!address || !base) throw DriverError("no " + narrow(module) + " in the program");
  return *base + (address - reinterpret_cast<uintptr_t>(local));
}

// Runs `function(argument)` on a new thread in the program; its exit code, or nothing when it
// did not end in time.
std::optional<DWORD> RunRemote(HANDLE process, uintptr_t function, void* argument) {
  const win32::UniqueProcessHandle thread(
      CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(function),
                         argument, 0, nullptr));
  if (!thread) {
    throw DriverError("cannot start a thread in the program (error " +
                      std::to_string(GetLastError()) + ")");
  }
  if (WaitForSingleObject(thread.get(), kCallTimeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeThread(thread.get(), &code);
  return code;
}

bool Running(DWORD pid) {
  const win32::UniqueProcessHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
  return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace

Agent& Agent::of(DWORD pid) {
  static std::mutex mutex;
  static std::map<DWORD, std::unique_ptr<Agent>> agents;
  const std::lock_guard lock(mutex);
  auto& slot = agents[pid];
  // The agent of a program that has ended stays: waiting on it is over at once, which is
  // right for input that ended the program. A new program under the same id gets its own.
  if (!slot || (!slot->alive() && Running(pid))) slot.reset(new Agent(pid));
  return *slot;
}

Agent::Agent(DWORD pid)
    : pid_(pid),
      process_(openProcess(pid)),
      marker_(RegisterWindowMessageW(agent::kMarkerMessage)) {
  const std::wstring path = widen(buildFolder()) + L"\\tools\\" + agent::kDllName;
  // Loaded here too, and kept, for the exports' offsets.
  if (!LoadLibraryW(path.c_str())) throw DriverError("cannot load " + narrow(path));
  if (!RemoteModule(process_.get(), agent::kDllName)) {
    RemoteBuffer remotePath(pid_, (path.size() + 1) * sizeof(wchar_t));
    remotePath.write(0, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    if (!RunRemote(process_.get(), RemoteAddress(process_.get(), L"kernel32.dll", "LoadLibraryW"),
                   remotePath.address())) {
      remotePath.abandon();
      throw DriverError("LoadLibrary of the agent did not return; " + describeWindows(pid_));
    }
  }
  // The exports are named by their C names (agent_main.cpp, marker_hook.h).
  call_ = RemoteAddress(process_.get(), agent::kDllName, "morvdrive_call");
  barrier_ = RemoteAddress(process_.get(), agent::kDllName, "morvdrive_barrier");
  int64_t seen = 0;
  readRemote(process_.get(), reinterpret_cast<void*>(barrier_), &seen, sizeof(seen));
  nextBarrier_ = seen;
}

Agent::Answer Agent::call(agent::Op op, uint64_t arg1, uint64_t arg2) {
  RemoteBuffer block(pid_, sizeof(agent::Request));
  block.store(agent::Request{op, arg1, arg2, 0, {}});
  const auto code = RunRemote(process_.get(), call_, block.address());
  if (!code) block.abandon();
  if (code != 0u) {
    throw DriverError(name() + " could not answer request " +
                      std::to_string(static_cast<uint32_t>(op)) + (code ? "" : " in time"));
  }
  const auto request = block.load<agent::Request>();  // zeroed past the answer's size
  Answer answer{};
  std::memcpy(answer.values, request.answer, sizeof(answer.values));
  if (request.size > sizeof(answer.values)) {
    answer.text.assign(request.answer + sizeof(answer.values),
                       request.size - sizeof(answer.values));
  }
  return answer;
}

void Agent::prepare(DWORD threadId) {
  const std::lock_guard lock(hooking_);
  if (hooked_.count(threadId)) return;
  call(agent::Op::kInstallHook, threadId);
  hooked_.insert(threadId);
}

bool Agent::settle(DWORD threadId, milliseconds timeout) {
  prepare(threadId);
  const int64_t number = ++nextBarrier_;
  if (!PostThreadMessageW(threadId, marker_, agent::kBarrier, static_cast<LPARAM>(number))) {
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (alive()) {
    int64_t seen = 0;
    if (!readRemote(process_.get(), reinterpret_cast<void*>(barrier_), &seen, sizeof(seen))) {
      // Its memory can go before its handle is signalled: a failed read means it is ending.
      if (WaitForSingleObject(process_.get(), 2000) == WAIT_OBJECT_0) return true;
      throw DriverError("cannot read the barrier of " + name());
    }
    if (seen >= number) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(5);
  }
  return true;  // a program that ended has taken all it ever will
}

void Agent::postModifiers(DWORD threadId, uint32_t bits) {
  prepare(threadId);
  if (!PostThreadMessageW(threadId, marker_, agent::kModifiers, bits)) {
    throw DriverError("cannot post to thread " + std::to_string(threadId));
  }
}

}  // namespace morv::uidriver
