#pragma once
// Top-level windows of any process, as the desktop's window manager sees them.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace morv {

// A window handle as a plain number; 0 means "no window". Handles fit in 32 bits
// even on 64-bit Windows, which is why they can travel as decimal text.
using WindowHandle = std::uintptr_t;
using MenuHandle = std::uintptr_t;

// Values are the Windows show commands, so they can be passed straight through.
enum class ShowCommand : int {
  Hide = 0,
  ShowNormal = 1,
  ShowMinimized = 2,
  Maximize = 3,
  Minimize = 6,
  ShowMinNoActive = 7,
  Restore = 9,
  ShowDefault = 10,
};

inline constexpr unsigned kWmCommand = 273;
inline constexpr unsigned kWmUser = 1024;
inline constexpr unsigned kWmCopyData = 74;

class WindowManager {
 public:
  virtual ~WindowManager() = default;

  // Class name always; the text, when given, is matched without regard to case.
  virtual WindowHandle findWindow(const std::string& className,
                                  const std::optional<std::string>& text = std::nullopt) = 0;
  // Other programs can hang, so every send is bounded: it gives up when the receiver
  // is hung or slower than the timeout, with nullopt then and the reply otherwise.
  virtual std::optional<std::intptr_t> sendMessageTimeout(WindowHandle window, unsigned message,
                                                          std::uintptr_t wParam,
                                                          std::intptr_t lParam,
                                                          std::chrono::milliseconds timeout) = 0;
  // Hands `data` to the window with WM_COPYDATA, bounded like every send; the reply, or
  // nullopt when the receiver did not answer in time.
  virtual std::optional<std::intptr_t> sendCopyData(WindowHandle window, std::uintptr_t kind,
                                                    const std::string& data,
                                                    std::chrono::milliseconds timeout) = 0;
  // True when the message was queued.
  virtual bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;
  // Neither of these waits for the window's program: a hung program cannot hold us up.
  virtual bool showWindow(WindowHandle window, ShowCommand command) = 0;
  virtual bool setForegroundWindow(WindowHandle window) = 0;
  // Minimises the window; despite the Windows name it never closes it. Does not wait.
  virtual bool closeWindow(WindowHandle window) = 0;
  // The process that owns the window; 0 when there is no such window.
  virtual std::uint32_t processOf(WindowHandle window) = 0;
  // A top-level window of that process with that class, shown or not; 0 when none.
  virtual WindowHandle findProcessWindow(std::uint32_t process, const std::string& className) = 0;
  // The system-wide number of a message known by name to every program that asks.
  virtual unsigned registeredMessage(const std::string& name) = 0;
  // Lets that process bring its own window to the foreground, as this one may.
  virtual void allowForeground(std::uint32_t process) = 0;

  // The window menu (the one behind the title-bar icon), as it currently is.
  virtual MenuHandle systemMenu(WindowHandle window) = 0;
  // Command identifier of the item at a 0-based position; 0xFFFFFFFF when there is none.
  virtual std::uint32_t menuItemId(MenuHandle menu, int position) = 0;
  virtual bool modifyMenu(MenuHandle menu, std::uint32_t item, std::uint32_t flags,
                          std::uintptr_t newId, const std::string& caption) = 0;
};

}  // namespace morv
