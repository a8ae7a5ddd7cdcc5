#pragma once
// The stand-in's behaviour switches, read once at start from the environment it
// inherits (tests set them on whatever process ends up starting the player):
//
//   WINAMP_STANDIN_LOG             log file (Windows path); default %TEMP%\winamp-standin.log
//   WINAMP_STANDIN_STATE           stopped | playing | paused: the state at start (default stopped)
//   WINAMP_STANDIN_IGNORE_QUIT=1   log the quit command but keep running
//   WINAMP_STANDIN_APPEAR_DELAY_MS wait this long before creating the window
//   WINAMP_STANDIN_SILENT=1        never open an audio device
//   WINAMP_STANDIN_HANG_MS         block the window thread this long first, on the message below
//   WINAMP_STANDIN_HANG_ON         quit (default) | isplaying | volume: which message hangs it;
//                                  shown: right after its window is created and shown
//   WINAMP_STANDIN_VANISH_ON_ASK=1 asked whether it plays, close the window before answering
//   WINAMP_STANDIN_EMPTY_PLAYLIST=1 start with nothing to play: Play is logged, the player
//                                  stays stopped until a file is added
//
// Values that make no sense are ignored and reported in the log; they never stop the player.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/winamp_standin/protocol.h"

namespace morv::standin {

// The message whose arrival hangs the window thread.
enum class HangOn { kQuit, kIsPlaying, kVolume, kShown };

struct Config {
  std::string log_path;
  PlayState initial_state = PlayState::kStopped;
  bool ignore_quit = false;
  bool silent = false;
  std::chrono::milliseconds appear_delay{0};
  std::chrono::milliseconds hang{0};
  HangOn hang_on = HangOn::kQuit;
  bool vanish_on_ask = false;
  bool empty_playlist = false;
  // One line per rejected value, for the log.
  std::vector<std::string> problems;
};

// Looks a variable up; nullopt when it is not set.
using EnvLookup = std::function<std::optional<std::string>(std::string_view name)>;

// default_log_path is used when WINAMP_STANDIN_LOG is unset or empty.
Config ParseConfig(const EnvLookup& lookup, std::string default_log_path);

// The same, from this process's environment.
Config ReadConfigFromEnvironment();

}  // namespace morv::standin
