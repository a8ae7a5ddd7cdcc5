#pragma once
// A top-level window of another program, as far as Morvane can tell: a window of
// another class, owned by a thread of the test that answers its messages.
#include <windows.h>

#include <atomic>
#include <thread>

#include "tools/uidriver/uidriver.h"

namespace morv::driver {

class ForeignWindow {
 public:
  explicit ForeignWindow(const char* windowClass) {
    thread_ = std::thread([this, windowClass] {
      const WNDCLASSA registered{.lpfnWndProc = DefWindowProcA,
                                 .hInstance = GetModuleHandleA(nullptr),
                                 .lpszClassName = windowClass};
      RegisterClassA(&registered);
      threadId_ = GetCurrentThreadId();
      window_ = CreateWindowExA(0, windowClass, "MORVHELP.DOC - WordPad", WS_OVERLAPPEDWINDOW, 50,
                                50, 300, 200, nullptr, nullptr, registered.hInstance, nullptr);
      ShowWindow(window_, SW_SHOWNORMAL);
      created_ = true;
      MSG message;
      while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
      DestroyWindow(window_);
    });
    uidriver::waitUntil([this] { return created_.load(); }, std::chrono::seconds(5),
                        "the foreign window");
  }
  ~ForeignWindow() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND window() const { return window_; }

 private:
  std::thread thread_;
  std::atomic<bool> created_{false};
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

}  // namespace morv::driver
