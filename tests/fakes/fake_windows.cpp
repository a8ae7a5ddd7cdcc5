#include "tests/fakes/fake_windows.h"

#include <algorithm>
#include <cctype>

namespace morv::fakes {
namespace {

bool SameText(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

constexpr MenuHandle kSystemMenu = 0x5E5;

}  // namespace

FakeWindow& FakeWindowManager::add(const std::string& className, const std::string& text) {
  FakeWindow& window = windows_.emplace_back();
  window.handle = next_;
  next_ += 0x10;
  window.className = className;
  window.text = text;
  window.appearsAt = clock_.steady;
  return window;
}

void FakeWindowManager::remove(WindowHandle handle) {
  std::erase_if(windows_, [&](const FakeWindow& w) { return w.handle == handle; });
}

bool FakeWindowManager::exists(const FakeWindow& window) const {
  return window.appearsAt <= clock_.steady;
}

FakeWindow* FakeWindowManager::window(WindowHandle handle) {
  for (FakeWindow& w : windows_) {
    if (w.handle == handle && exists(w)) return &w;
  }
  return nullptr;
}

int FakeWindowManager::count(const std::string& className) {
  return static_cast<int>(std::count_if(windows_.begin(), windows_.end(), [&](const FakeWindow& w) {
    return exists(w) && w.className == className;
  }));
}

WindowHandle FakeWindowManager::findWindow(const std::string& className,
                                           const std::optional<std::string>& text) {
  ++lookups;
  for (const FakeWindow& w : windows_) {
    if (exists(w) && w.className == className && (!text || SameText(w.text, *text))) {
      return w.handle;
    }
  }
  return 0;
}

std::intptr_t FakeWindowManager::deliver(WindowHandle handle, unsigned message,
                                         std::uintptr_t wParam, std::intptr_t lParam) {
  messages.push_back({handle, message, wParam, lParam, false});
  FakeWindow* w = window(handle);
  if (!w || !w->onMessage) return 0;
  auto reply = w->onMessage;  // the handler may remove its own window
  return reply(message, wParam, lParam);
}

std::optional<std::intptr_t> FakeWindowManager::sendMessageTimeout(
    WindowHandle handle, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
    std::chrono::milliseconds timeout) {
  FakeWindow* w = window(handle);
  if (w && w->hung) {
    messages.push_back({handle, message, wParam, lParam, false});
    clock_.pass(timeout);
    return std::nullopt;
  }
  return deliver(handle, message, wParam, lParam);
}

bool FakeWindowManager::postMessage(WindowHandle handle, unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  FakeWindow* w = window(handle);
  if (!w || !w->acceptsPosts) return false;
  messages.push_back({handle, message, wParam, lParam, true});
  if (w->onMessage) {
    auto reply = w->onMessage;
    reply(message, wParam, lParam);
  }
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

bool FakeWindowManager::setForegroundWindow(WindowHandle handle) {
  if (handle == 0) return false;
  foreground = handle;
  return true;
}

std::uint32_t FakeWindowManager::processOf(WindowHandle handle) {
  FakeWindow* w = window(handle);
  return w ? w->process : 0;
}

WindowHandle FakeWindowManager::findProcessWindow(std::uint32_t process,
                                                  const std::string& className) {
  for (const FakeWindow& w : windows_) {
    if (exists(w) && w.process == process && w.className == className) return w.handle;
  }
  return 0;
}

unsigned FakeWindowManager::registeredMessage(const std::string& name) {
  auto at = std::find(registered.begin(), registered.end(), name);
  if (at == registered.end()) at = registered.insert(at, name);
  return 0xC000 + static_cast<unsigned>(at - registered.begin());
}

bool FakeWindowManager::closeWindow(WindowHandle handle) {
  FakeWindow* w = window(handle);
  if (!w) return false;
  w->minimized = true;
  return true;
}

MenuHandle FakeWindowManager::systemMenu(WindowHandle) {
  return systemMenuIds.empty() ? 0 : kSystemMenu;
}

std::uint32_t FakeWindowManager::menuItemId(MenuHandle menu, int position) {
  if (menu != kSystemMenu || position < 0 || position >= static_cast<int>(systemMenuIds.size())) {
    return 0xFFFFFFFF;
  }
  return systemMenuIds[static_cast<size_t>(position)];
}

bool FakeWindowManager::modifyMenu(MenuHandle menu, std::uint32_t item, std::uint32_t flags,
                                   std::uintptr_t newId, const std::string& caption) {
  if (menu != kSystemMenu || (flags & 0x400) != 0) return false;  // by position: not used
  for (size_t i = 0; i < systemMenuIds.size(); ++i) {
    if (systemMenuIds[i] == item && item != 0) {
      systemMenuIds[i] = static_cast<std::uint32_t>(newId);
      systemMenuCaptions[i] = caption;
      systemMenuGrayed[i] = (flags & 1) != 0;
      return true;
    }
  }
  return false;
}

}  // namespace morv::fakes
