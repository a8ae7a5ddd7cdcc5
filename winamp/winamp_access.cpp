#include "winamp/winamp_access.h"

#include <chrono>

#include "startup/app_title.h"
#include "winamp/winamp_program.h"

namespace morv {

WindowHandle WinampWindow = 0;
std::int32_t WinampLastReply = 0;

namespace {

using namespace std::chrono_literals;

// A player that ignores the quit command (a dialog of its own is open, or it hangs)
// must not freeze Morvane: each round is bounded, rounds are spaced, and after this
// long the player is treated as gone.
constexpr auto kCloseRoundTimeout = 2000ms;
constexpr auto kCloseRoundPause = 50ms;
constexpr auto kCloseGiveUpAfter = 10s;
constexpr auto kPostRetryFor = 5s;
constexpr auto kPostRetryPause = 10ms;

WindowHandle LookUp(Desktop& desktop, const std::string& className) {
  WinampWindow = desktop.windows.findWindow(className);
  return WinampWindow;
}

}  // namespace

std::int32_t WinampIsPlaying(Desktop& desktop, const std::string& className) {
  if (LookUp(desktop, className) == 0) return 0;
  return static_cast<std::int32_t>(
      desktop.windows.sendMessage(WinampWindow, kWmUser, 0, winamp::kIpcIsPlaying));
}

void WinampSetVolume(Desktop& desktop, const int& volume, const std::string& className) {
  if (LookUp(desktop, className) == 0) return;
  WinampLastReply = static_cast<std::int32_t>(desktop.windows.sendMessage(
      WinampWindow, kWmUser, static_cast<std::uintptr_t>(volume), winamp::kIpcSetVolume));
}

void WinampClose(Desktop& desktop, const std::string& className) {
  const LocalTimePoint start = ToTimePoint(desktop.clock.now());
  while (LookUp(desktop, className) != 0) {
    if (auto reply = desktop.windows.sendMessageTimeout(
            WinampWindow, kWmCommand, winamp::kCommandQuit, 0, kCloseRoundTimeout)) {
      WinampLastReply = static_cast<std::int32_t>(*reply);
    }
    if (ToTimePoint(desktop.clock.now()) - start >= kCloseGiveUpAfter) return;
    desktop.clock.sleep(kCloseRoundPause);
  }
}

void WinampPlay(Desktop& desktop, const std::string& className, const bool& queued) {
  if (LookUp(desktop, className) == 0) return;
  if (queued) {
    WinampPostCommand(desktop, winamp::kCommandPlay);
  } else {
    WinampSendCommand(desktop, winamp::kCommandPlay);
  }
}

void WinampPostCommand(Desktop& desktop, const std::uint32_t& command) {
  const LocalTimePoint start = ToTimePoint(desktop.clock.now());
  for (;;) {
    WinampLastReply = desktop.windows.postMessage(WinampWindow, kWmCommand, command, 0) ? 1 : 0;
    if (WinampLastReply != 0) return;
    if (ToTimePoint(desktop.clock.now()) - start > kPostRetryFor) {
      desktop.boxes.show({kAppTitle,
                          "Couldn't queue message for 5 seconds: " + std::to_string(command),
                          MbIcon::None, MbButtons::Ok});
      return;
    }
    desktop.clock.sleep(kPostRetryPause);
  }
}

void WinampSendCommand(Desktop& desktop, const std::uint32_t& command) {
  WinampLastReply =
      static_cast<std::int32_t>(desktop.windows.sendMessage(WinampWindow, kWmCommand, command, 0));
}

}  // namespace morv
