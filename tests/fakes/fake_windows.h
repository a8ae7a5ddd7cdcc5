#pragma once
// Top-level windows of other programs, with the replies they give to messages.
#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_manager.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_text.h"

namespace morv::fakes {

struct FakeWindow {
  WindowHandle handle = 0;
  std::string className;
  std::string text;
  bool visible = true;
  bool minimized = false;     // only by closeWindow
  bool hung = false;          // a bounded send times out
  bool acceptsPosts = true;   // false: every post fails
  std::uint32_t process = 1;  // the owning process
  std::function<std::intptr_t(unsigned, std::uintptr_t, std::intptr_t)> onMessage;
  std::function<std::intptr_t(std::uintptr_t, const std::string&)> onCopyData;
};

inline auto Is(WindowHandle handle) {
  return [handle](const FakeWindow& w) { return w.handle == handle; };
}

struct SentMessage {
  WindowHandle to;
  unsigned message;
  bool posted;
  bool operator==(const SentMessage&) const = default;
};

class FakeWindowManager : public WindowManager {
 public:
  explicit FakeWindowManager(FakeClock& clock) : clock_(clock) {}

  FakeWindow& add(const std::string& className, const std::string& text = "") {
    FakeWindow& window = windows_.emplace_back();
    window.handle = nextHandle;
    nextHandle += 0x10;
    window.className = className;
    window.text = text;
    return window;
  }
  void remove(WindowHandle handle) { std::erase_if(windows_, Is(handle)); }
  FakeWindow* window(WindowHandle handle) { return first(Is(handle)); }
  int count(const std::string& className) {
    return static_cast<int>(std::ranges::count(windows_, className, &FakeWindow::className));
  }

  WindowHandle findWindow(const std::string& className,
                          const std::optional<std::string>& text) override {
    return handleOf(first([&](const FakeWindow& w) {
      return w.className == className && (!text || SameText(w.text, *text));
    }));
  }
  std::optional<std::intptr_t> sendMessageTimeout(WindowHandle handle, unsigned message,
                                                  std::uintptr_t wParam, std::intptr_t lParam,
                                                  std::chrono::milliseconds timeout) override {
    FakeWindow* w = window(handle);
    if (!w || !w->hung) return deliver(handle, message, wParam, lParam, false);
    messages.push_back({handle, message, false});
    clock_.pass(timeout);
    return std::nullopt;
  }
  std::optional<std::intptr_t> sendCopyData(WindowHandle handle, std::uintptr_t kind,
                                            const std::string& data,
                                            std::chrono::milliseconds timeout) override {
    FakeWindow* w = window(handle);
    messages.push_back({handle, kWmCopyData, false});
    if (w && w->hung) clock_.pass(timeout);
    if (!w || w->hung) return std::nullopt;
    return w->onCopyData ? w->onCopyData(kind, data) : 0;
  }
  bool postMessage(WindowHandle handle, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override {
    FakeWindow* w = window(handle);
    if (!w || !w->acceptsPosts) return false;
    deliver(handle, message, wParam, lParam, true);
    return true;
  }
  bool showWindow(WindowHandle handle, ShowCommand command) override {
    shows.emplace_back(handle, command);
    FakeWindow* w = window(handle);
    if (w) w->visible = command != ShowCommand::Hide;
    return w != nullptr;
  }
  bool setForegroundWindow(WindowHandle window) override {
    if (window != 0) foreground = window;
    return window != 0;
  }
  // A word processor asked to close only minimises, as the program expects of it.
  bool closeWindow(WindowHandle handle) override {
    FakeWindow* w = window(handle);
    if (w) w->minimized = true;
    return w != nullptr;
  }
  std::uint32_t processOf(WindowHandle handle) override {
    const FakeWindow* w = window(handle);
    return w ? w->process : 0;
  }
  WindowHandle findProcessWindow(std::uint32_t process, const std::string& className) override {
    return handleOf(first(
        [&](const FakeWindow& w) { return w.process == process && w.className == className; }));
  }
  // The same name gives the same number, in the range Windows gives them.
  unsigned registeredMessage(const std::string& name) override {
    return 0xC000 + static_cast<unsigned>(std::hash<std::string>{}(name) % 0x3FFF);
  }
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
  template <typename Match>
  FakeWindow* first(Match match) {
    auto found = std::ranges::find_if(windows_, match);
    return found == windows_.end() ? nullptr : &*found;
  }
  static WindowHandle handleOf(const FakeWindow* w) { return w ? w->handle : 0; }
  std::intptr_t deliver(WindowHandle handle, unsigned message, std::uintptr_t wParam,
                        std::intptr_t lParam, bool posted) {
    messages.push_back({handle, message, posted});
    FakeWindow* w = window(handle);
    if (!w || !w->onMessage) return 0;
    auto reply = w->onMessage;  // the handler may remove its own window
    return reply(message, wParam, lParam);
  }

  FakeClock& clock_;
  std::deque<FakeWindow> windows_;
};

}  // namespace morv::fakes
