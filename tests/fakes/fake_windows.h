#pragma once
// Top-level windows of other programs, with the replies they give to messages.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_manager.h"
#include "tests/fakes/fake_clock.h"

namespace morv::fakes {

struct FakeWindow {
  WindowHandle handle = 0;
  std::string className;
  std::string text;
  bool visible = true;
  bool minimized = false;
  bool hung = false;          // a bounded send times out
  bool acceptsPosts = true;   // false: every post fails
  std::uint32_t process = 1;  // the owning process
  std::function<std::intptr_t(unsigned, std::uintptr_t, std::intptr_t)> onMessage;
};

struct SentMessage {
  WindowHandle to;
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  bool posted;
};

class FakeWindowManager : public WindowManager {
 public:
  explicit FakeWindowManager(FakeClock& clock) : clock_(clock) {}

  FakeWindow& add(const std::string& className, const std::string& text = "");
  void remove(WindowHandle handle);
  FakeWindow* window(WindowHandle handle);
  int count(const std::string& className);

  WindowHandle findWindow(const std::string& className,
                          const std::optional<std::string>& text) override;
  std::optional<std::intptr_t> sendMessageTimeout(WindowHandle window, unsigned message,
                                                  std::uintptr_t wParam, std::intptr_t lParam,
                                                  std::chrono::milliseconds timeout) override;
  bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  bool showWindow(WindowHandle window, ShowCommand command) override;
  bool setForegroundWindow(WindowHandle window) override {
    if (window != 0) foreground = window;
    return window != 0;
  }
  bool closeWindow(WindowHandle window) override;
  std::uint32_t processOf(WindowHandle handle) override {
    const FakeWindow* w = window(handle);
    return w ? w->process : 0;
  }
  WindowHandle findProcessWindow(std::uint32_t process, const std::string& className) override;
  unsigned registeredMessage(const std::string& name) override;
  void allowForeground(std::uint32_t process) override { allowedForeground = process; }
  // The window menu is left to the end-to-end test, which sees the real one.
  MenuHandle systemMenu(WindowHandle) override { return 0; }
  std::uint32_t menuItemId(MenuHandle, int) override { return 0xFFFFFFFF; }
  bool modifyMenu(MenuHandle, std::uint32_t, std::uint32_t, std::uintptr_t,
                  const std::string&) override {
    return false;
  }

  std::vector<SentMessage> messages;
  std::vector<std::pair<WindowHandle, ShowCommand>> shows;
  WindowHandle foreground = 0;
  std::uint32_t allowedForeground = 0;
  WindowHandle nextHandle = 0x10010;  // the handle the next window added gets

 private:
  std::intptr_t deliver(WindowHandle window, unsigned message, std::uintptr_t wParam,
                        std::intptr_t lParam, bool posted);

  FakeClock& clock_;
  std::deque<FakeWindow> windows_;
};

}  // namespace morv::fakes
