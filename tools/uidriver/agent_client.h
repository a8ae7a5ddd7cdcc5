#pragma once
// The driver's side of morvdrive-agent.dll: loads it into a program once and runs requests there.
// The DLL is taken from the build's tools folder.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>

#include "tools/uidriver/agent/protocol.h"
#include "win32/unique_handle.h"

namespace morv::uidriver {

class Agent {
 public:
  // The agent in process `pid`, loaded on first use and kept for the life of the process.
  static Agent& of(DWORD pid);

  // An answer: the numbers it starts with (0 past its end), then any text.
  struct Answer {
    uint32_t values[2];
    std::string text;
  };
  // Runs one request in the program and returns its answer; throws when it fails.
  Answer call(agent::Op op, uint64_t arg1 = 0, uint64_t arg2 = 0);
  // Waits until thread `threadId` has taken from its queue everything posted to it before: the
  // posted input has been handled, or a modal loop it started runs. False when that takes
  // longer than `timeout`.
  bool settle(DWORD threadId, std::chrono::milliseconds timeout);
  // Hooks the thread now, before input is posted that a failed hook would leave unawaited.
  void prepare(DWORD threadId);
  // Sets the thread's Ctrl/Shift/Alt (agent::ModifierBits) in line with posted keys.
  void postModifiers(DWORD threadId, uint32_t bits);

 private:
  explicit Agent(DWORD pid);
  bool alive() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
  std::string name() const { return "the agent in process " + std::to_string(pid_); }

  DWORD pid_;
  win32::UniqueProcessHandle process_;
  uintptr_t call_ = 0;     // morvdrive_call in the program
  uintptr_t barrier_ = 0;  // morvdrive_barrier in the program
  // A test's own thread and a watch on the program may wait on the same agent at once.
  std::atomic<int64_t> nextBarrier_ = 0;
  std::mutex hooking_;
  std::set<DWORD> hooked_;
  UINT marker_;
};

}  // namespace morv::uidriver
