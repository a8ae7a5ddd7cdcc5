#pragma once
// What the window decides and the audio thread follows: the window thread writes,
// the audio thread only reads.
#include <atomic>

#include "tools/winamp_standin/protocol.h"

namespace morv::standin {

struct PlayerStatus {
  std::atomic<PlayState> state{PlayState::kStopped};
  std::atomic<int> volume{kDefaultVolume};
};

}  // namespace morv::standin
