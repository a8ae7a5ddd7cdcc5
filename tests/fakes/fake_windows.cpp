#include "tests/fakes/fake_windows.h"

#include <algorithm>

#include "tests/fakes/fake_text.h"

namespace morv::fakes {

FakeWindow& FakeWindowManager::add(const std::string& className, const std::string& text) {
  FakeWindow& window = windows_.emplace_back();
  window.handle = nextHandle;
  nextHandle += 0x10;
  window.className = className;
  window.text = text;
  return window;
}

void FakeWindowManager::remove(WindowHandle handle) {
  std::erase_if(windows_, [&](const FakeWindow& w) { return w.handle == handle; });
}

FakeWindow* FakeWindowManager::window(WindowHandle handle) {
  auto found = std::ranges::find(windows_, handle, &FakeWindow::handle);
  return found == windows_.end() ? nullptr : &*found;
}

int FakeWindowManager::count(const std::string& className) {
  return static_cast<int>(std::ranges::count(windows_, className, &FakeWindow::className));
}

WindowHandle FakeWindowManager::findWindow(const std::string& className,
                                           const std::optional<std::string>& text) {
  for (const FakeWindow& w : windows_) {
    if (w.className == className && (!text || SameText(w.text, *text))) {
      return w.handle;
    }
  }
  return 0;
}

std::intptr_t FakeWindowManager::deliver(WindowHandle handle, unsigned message,
                                         std::uintptr_t wParam, std::intptr_t lParam, bool posted) {
  messages.push_back({handle, message, wParam, lParam, posted});
  FakeWindow* w = window(handle);
  if (!w || !w->onMessage) return 0;
  auto reply = w->onMessage;  // the handler may remove its own window
  return reply(message, wParam, lParam);
}

std::optional<std::intptr_t> FakeWindowManager::sendMessageTimeout(
    WindowHandle handle, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
    std::chrono::milliseconds timeout) {
  FakeWindow* w = window(handle);
  if (!w || !w->hung) return deliver(handle, message, wParam, lParam, false);
  messages.push_back({handle, message, wParam, lParam, false});
  clock_.pass(timeout);
  return std::nullopt;
}

bool FakeWindowManager::postMessage(WindowHandle handle, unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  FakeWindow* w = window(handle);
  if (!w || !w->acceptsPosts) return false;
  deliver(handle, message, wParam, lParam, true);
  return true;
}

bool FakeWindowManager::showWindow(WindowHandle handle, ShowCommand command) {
  shows.emplace_back(handle, command);
  FakeWindow* w = window(handle);
  if (!w) return false;
  w->visible = command != ShowCommand::Hide;
  w->minimized = command == ShowCommand::Minimize || command == ShowCommand::ShowMinimized ||
                 command == ShowCommand::ShowMinNoActive;
  return true;
}

WindowHandle FakeWindowManager::findProcessWindow(std::uint32_t process,
                                                  const std::string& className) {
  for (const FakeWindow& w : windows_) {
    if (w.process == process && w.className == className) return w.handle;
  }
  return 0;
}

// The same name gives the same number, in the range Windows gives them.
unsigned FakeWindowManager::registeredMessage(const std::string& name) {
  return 0xC000 + static_cast<unsigned>(std::hash<std::string>{}(name) % 0x3FFF);
}

bool FakeWindowManager::closeWindow(WindowHandle handle) {
  FakeWindow* w = window(handle);
  if (!w) return false;
  w->minimized = true;
  return true;
}

}  // namespace morv::fakes
