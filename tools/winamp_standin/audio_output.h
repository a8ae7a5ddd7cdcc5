#pragma once
// Plays the chime through waveOut on a thread of its own, following the player's
// state and volume as the window changes them. The window thread never waits on the
// sound driver: opening the device, feeding buffers and closing all happen here.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string_view>
#include <vector>

#include "win32/unique_handle.h"
#include "tools/winamp_standin/event_log.h"
#include "tools/winamp_standin/player_status.h"

namespace morv::standin {

class AudioOutput {
 public:
  AudioOutput(const PlayerStatus& status, const EventLog& log);
  ~AudioOutput();
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Starts the audio thread, which opens the device and logs how that went. Without
  // a device the player carries on mute.
  void Start();

  // Asks the audio thread to close the device and waits up to `limit`. False when it
  // is still busy: the caller must then leave through ExitProcess, not by unwinding
  // the objects that thread still uses.
  bool Shutdown(std::chrono::milliseconds limit);

 private:
  static DWORD WINAPI ThreadEntry(LPVOID self);
  void Run();
  // Stopped or paused and already faded out: the device is left to run dry rather
  // than fed silence, which costs a stopped player almost nothing.
  bool Idle() const;
  // Fills one buffer from the loop, gliding from the last gain to the current one so
  // volume changes, pause and stop never click.
  void Fill(std::vector<std::int16_t>& buffer);
  void Report(std::string_view note) const;

  const PlayerStatus& status_;
  const EventLog& log_;
  const std::vector<std::int16_t> chime_;
  std::size_t position_ = 0;  // audio thread only
  double gain_ = 0.0;         // audio thread only
  std::atomic<bool> quit_{false};
  // Auto-reset: signalled by the driver when a buffer is done, and by Shutdown.
  win32::UniqueProcessHandle wake_;
  win32::UniqueProcessHandle thread_;
};

}  // namespace morv::standin
