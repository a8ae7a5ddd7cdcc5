#include "winamp/winamp_access.h"

#include <algorithm>
#include <chrono>

#include "startup/app_title.h"
#include "winamp/winamp_program.h"

namespace morv {

WindowHandle WinampWindow = 0;
std::int32_t WinampLastReply = 0;

namespace {

using namespace std::chrono_literals;

// A player that hangs (a dialog of its own is open, or it is stuck) must not freeze
// Morvane with it: every message that waits for the player's reply gives up after a
// while, and no reply counts as the reply 0.
constexpr auto kReplyTimeout = 2000ms;
// The stop path sets the volume, then closes the player: both bounds together keep the
// window answering within ten seconds even when the player has just hung.
constexpr auto kCloseGiveUpAfter = 5000ms;
constexpr auto kCloseRoundPause = 50ms;
constexpr auto kPostRetryFor = 5s;
constexpr auto kPostRetryPause = 10ms;

WindowHandle LookUp(Desktop& desktop, const std::string& className) {
  WinampWindow = desktop.windows.findWindow(className);
  return WinampWindow;
}

std::int32_t Ask(Desktop& desktop, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                 std::chrono::milliseconds timeout = kReplyTimeout) {
  const auto reply =
      desktop.windows.sendMessageTimeout(WinampWindow, message, wParam, lParam, timeout);
  return static_cast<std::int32_t>(reply.value_or(0));
}

}  // namespace

std::int32_t WinampIsPlaying(Desktop& desktop, const std::string& className) {
  if (LookUp(desktop, className) == 0) return 0;
  return Ask(desktop, kWmUser, 0, winamp::kIpcIsPlaying);
}

void WinampSetVolume(Desktop& desktop, const int& volume, const std::string& className) {
  if (LookUp(desktop, className) == 0) return;
  WinampLastReply =
      Ask(desktop, kWmUser, static_cast<std::uintptr_t>(volume), winamp::kIpcSetVolume);
}

// Measured on the monotonic clock: a wall clock set back must not stretch the bound.
void WinampClose(Desktop& desktop, const std::string& className) {
  const auto deadline = desktop.clock.monotonic() + kCloseGiveUpAfter;
  while (LookUp(desktop, className) != 0) {
    const auto left = deadline - desktop.clock.monotonic();
    if (left <= 0ms) return;  // treated as gone: the user can still close it by hand
    WinampLastReply = Ask(desktop, kWmCommand, winamp::kCommandQuit, 0,
                          std::min<std::chrono::milliseconds>(kReplyTimeout, left));
    desktop.clock.sleep(kCloseRoundPause);
  }
}

void WinampPlay(Desktop& desktop, const std::string& className, const bool& queued,
                const std::function<void()>& beforeFailureBox) {
  if (LookUp(desktop, className) == 0) return;
  if (queued) {
    WinampPostCommand(desktop, winamp::kCommandPlay, beforeFailureBox);
  } else {
    WinampSendCommand(desktop, winamp::kCommandPlay);
  }
}

void WinampPostCommand(Desktop& desktop, const std::uint32_t& command,
                       const std::function<void()>& beforeFailureBox) {
  const auto start = desktop.clock.monotonic();
  for (;;) {
    WinampLastReply = desktop.windows.postMessage(WinampWindow, kWmCommand, command, 0) ? 1 : 0;
    if (WinampLastReply != 0) return;
    if (desktop.clock.monotonic() - start > kPostRetryFor) {
      if (beforeFailureBox) beforeFailureBox();
      desktop.boxes.show({kAppTitle,
                          "Couldn't queue message for 5 seconds: " + std::to_string(command),
                          MbIcon::None, MbButtons::Ok});
      return;
    }
    desktop.clock.sleep(kPostRetryPause);
  }
}

bool WinampPlayFile(Desktop& desktop, const std::string& className, const std::string& path) {
  if (LookUp(desktop, className) == 0) return false;
  if (!desktop.windows.sendMessageTimeout(WinampWindow, kWmUser, 0, winamp::kIpcDeletePlaylist,
                                          kReplyTimeout)) {
    return false;
  }
  return desktop.windows.sendCopyData(WinampWindow, winamp::kCopyPlayFile, path, kReplyTimeout)
      .has_value();
}

void WinampSendCommand(Desktop& desktop, const std::uint32_t& command) {
  WinampLastReply = Ask(desktop, kWmCommand, command, 0);
}

}  // namespace morv
