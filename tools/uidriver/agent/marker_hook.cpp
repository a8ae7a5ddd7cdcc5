#include "tools/uidriver/agent/marker_hook.h"

#include <memory>
#include <mutex>
#include <set>

#include "platform/win32/unique_handle.h"
#include "tools/uidriver/agent/protocol.h"

volatile LONG64 morvdrive_barrier = 0;

namespace morv::uidriver::agent {
namespace {

UINT markerMessage() {
  static const UINT message = RegisterWindowMessageW(kMarkerMessage);
  return message;
}

void setModifiers(uint32_t bits) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  const auto set = [&](int key, bool down) { keys[key] = down ? 0x80 : 0; };
  set(VK_CONTROL, bits & kCtrl);
  set(VK_LCONTROL, bits & kCtrl);
  set(VK_SHIFT, bits & kShift);
  set(VK_LSHIFT, bits & kShift);
  set(VK_MENU, bits & kAlt);
  set(VK_LMENU, bits & kAlt);
  SetKeyboardState(keys);
}

void raiseBarrier(LONG64 number) {
  LONG64 seen = morvdrive_barrier;
  while (number > seen) {
    const LONG64 before = InterlockedCompareExchange64(&morvdrive_barrier, number, seen);
    if (before == seen) break;
    seen = before;
  }
}

LRESULT CALLBACK onGetMessage(int code, WPARAM removal, LPARAM param) {
  auto* message = reinterpret_cast<MSG*>(param);
  if (code == HC_ACTION && message->message == markerMessage() && markerMessage() != 0) {
    // A peek without removal sees the marker again later; both actions repeat harmlessly.
    if (message->wParam == static_cast<WPARAM>(Marker::kModifiers)) {
      setModifiers(static_cast<uint32_t>(message->lParam));
    } else if (message->wParam == static_cast<WPARAM>(Marker::kBarrier)) {
      raiseBarrier(static_cast<LONG64>(message->lParam));
    }
    message->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removal, param);
}

struct HookStart {
  HMODULE module;
  DWORD threadId;
  HANDLE ready;
  bool installed;
};

// A hook lives as long as the thread that set it, so each one gets a thread that stays.
DWORD WINAPI hookOwner(void* param) {
  auto* start = static_cast<HookStart*>(param);
  start->installed =
      SetWindowsHookExW(WH_GETMESSAGE, onGetMessage, start->module, start->threadId) != nullptr;
  const bool installed = start->installed;
  SetEvent(start->ready);
  while (installed) Sleep(INFINITE);
  return 0;
}

}  // namespace

bool installMarkerHook(HMODULE agentModule, DWORD threadId) {
  static std::mutex mutex;
  static std::set<DWORD> hooked;
  std::lock_guard lock(mutex);
  if (hooked.count(threadId) != 0) return true;
  if (markerMessage() == 0) return false;
  win32::UniqueProcessHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!ready) return false;
  // On the heap: if the owner thread never reports, it keeps a valid block to write to.
  auto start = std::make_unique<HookStart>(HookStart{agentModule, threadId, ready.get(), false});
  win32::UniqueProcessHandle owner(CreateThread(nullptr, 0, hookOwner, start.get(), 0, nullptr));
  if (!owner) return false;
  if (WaitForSingleObject(ready.get(), 10000) != WAIT_OBJECT_0) {
    start.release();
    ready.release();
    return false;
  }
  const bool installed = start->installed;
  if (installed) hooked.insert(threadId);
  return installed;
}

}  // namespace morv::uidriver::agent
