#pragma once
// The window-message protocol to a running player, and the two values it shares
// with the rest of the program.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/desktop.h"

namespace morv {

// The player's window as the most recent lookup found it; 0 when it found none.
extern WindowHandle WinampWindow;
// The result of the most recent message sent or posted to the player.
extern std::int32_t WinampLastReply;

// The playing state (1 playing, 3 paused, 0 stopped); 0 also when no player runs.
std::int32_t WinampIsPlaying(Desktop& desktop, const std::string& className);
void WinampSetVolume(Desktop& desktop, const int& volume, const std::string& className);
// Tells every player window to quit, returning once none is left.
void WinampClose(Desktop& desktop, const std::string& className);
// Presses Play: posted with retries when queued, sent otherwise.
void WinampPlay(Desktop& desktop, const std::string& className, const bool& queued,
                const std::function<void()>& beforeFailureBox = {});
// Posts a command to WinampWindow, retrying for up to 5 seconds. When it gives up,
// `beforeFailureBox` runs before the box that says so, which waits for the user.
void WinampPostCommand(Desktop& desktop, const std::uint32_t& command,
                       const std::function<void()>& beforeFailureBox = {});
void WinampSendCommand(Desktop& desktop, const std::uint32_t& command);
// Empties the player's playlist and hands it one file (or playlist) to play. False when
// there is no player, or it did not take them in time.
bool WinampPlayFile(Desktop& desktop, const std::string& className, const std::string& path);

}  // namespace morv
