#pragma once
// The driver's side of morvdrive-agent.dll: loads it into a target process once and runs its
// requests there. The DLL is looked up in MORV_UIDRIVER_AGENT (a file), then in MORV_TOOLS_DIR,
// then next to the running executable.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tools/uidriver/agent/protocol.h"

namespace morv::uidriver {

class Agent {
 public:
  // The agent in process `pid`, loaded on first use and kept for the life of the process.
  static Agent& of(DWORD pid);

  Agent(const Agent&) = delete;
  Agent& operator=(const Agent&) = delete;

  // Runs one request in the target and returns the answer bytes; throws when the agent
  // refuses or does not answer in time.
  std::vector<char> call(agent::Op op, uint64_t arg1 = 0, uint64_t arg2 = 0);
  uint32_t callForValue(agent::Op op, uint64_t arg1 = 0, uint64_t arg2 = 0);

  // Waits until thread `threadId` has taken from its queue everything posted to it before this
  // call: so the posted input has been handled, or a modal loop it started is running. False
  // when that takes longer than `timeout` (the program is busy).
  bool settle(DWORD threadId, std::chrono::milliseconds timeout);
  // Puts the marker hook on the thread now rather than at the first settle: input posted
  // before a failed hook installation would otherwise take effect without being awaited.
  void prepare(DWORD threadId);
  // Queues a change of the thread's Ctrl/Shift/Alt state (agent::ModifierBits) in line with
  // posted key messages.
  void postModifiers(DWORD threadId, uint32_t bits);

  static std::string dllPath();

 private:
  explicit Agent(DWORD pid);
  void load();
  bool alive() const;
  uintptr_t remoteExport(const char* name) const;
  int64_t barrier() const;
  std::string name() const;

  DWORD pid_;
  win32::UniqueProcessHandle process_;
  uintptr_t remoteBase_ = 0;
  uintptr_t remoteCall_ = 0;
  uintptr_t remoteBarrier_ = 0;
  // A test's own thread and a watch on the program may wait on the same agent at once.
  std::atomic<int64_t> nextBarrier_ = 0;
  std::mutex hooking_;
  UINT marker_ = 0;
  std::vector<DWORD> hooked_;
};

}  // namespace morv::uidriver
