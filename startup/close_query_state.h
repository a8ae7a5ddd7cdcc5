#pragma once

namespace morv {

// The close query's own state.
struct CloseQueryState {
  bool open = false;  // its questions are being asked
};

}  // namespace morv
