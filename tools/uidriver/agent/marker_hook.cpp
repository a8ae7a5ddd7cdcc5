#include "tools/uidriver/agent/marker_hook.h"

#include <atomic>
#include <tuple>

#include "tools/uidriver/agent/protocol.h"
#include "win32/unique_handle.h"

volatile LONG64 morvdrive_barrier = 0;

namespace morv::uidriver::agent {
namespace {

UINT MarkerMessage() {
  static const UINT message = RegisterWindowMessageW(kMarkerMessage);
  return message;
}

void SetModifiers(uint32_t bits) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  for (const auto& [mask, a, b] :
       {std::tuple{kCtrl, VK_CONTROL, VK_LCONTROL}, std::tuple{kShift, VK_SHIFT, VK_LSHIFT},
        std::tuple{kAlt, VK_MENU, VK_LMENU}}) {
    keys[a] = keys[b] = (bits & mask) ? 0x80 : 0;
  }
  SetKeyboardState(keys);
}

LRESULT CALLBACK OnGetMessage(int code, WPARAM removal, LPARAM param) {
  auto* message = reinterpret_cast<MSG*>(param);
  if (code == HC_ACTION && message->message == MarkerMessage()) {
    // A peek without removal sees the marker again later; both actions repeat harmlessly.
    if (message->wParam == kModifiers) {
      SetModifiers(static_cast<uint32_t>(message->lParam));
    } else if (message->wParam == kBarrier && message->lParam > morvdrive_barrier) {
      morvdrive_barrier = message->lParam;  // the UI thread is the only writer
    }
    message->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removal, param);
}

struct HookStart {
  DWORD threadId;
  std::atomic<int> result{0};  // 1 set, -1 refused
};

// A hook lives as long as the thread that set it, so each one gets a thread that stays.
DWORD WINAPI HookOwner(void* param) {
  auto* start = static_cast<HookStart*>(param);
  const bool set = SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, GetModuleHandleW(kDllName),
                                     start->threadId) != nullptr;
  start->result = set ? 1 : -1;
  while (set) Sleep(INFINITE);
  return 0;
}

}  // namespace

bool installMarkerHook(DWORD threadId) {
  // Left to the owner thread for good: it may still write after a give-up here.
  auto* start = new HookStart{threadId};
  const win32::UniqueKernelHandle owner(CreateThread(nullptr, 0, HookOwner, start, 0, nullptr));
  if (!owner) return false;
  for (int waited = 0; start->result == 0 && waited < 10000; waited += 10) Sleep(10);
  return start->result == 1;
}

}  // namespace morv::uidriver::agent
