#pragma once
// Morvane's own alarm sound, for when the player does not play.
namespace morv {

class AlarmSound {
 public:
  virtual ~AlarmSound() = default;
  // Starts the sound over and over without waiting for it, so the window keeps answering.
  // A computer without a sound device stays silent.
  virtual void startLooping() = 0;
  virtual void stop() = 0;
};

}  // namespace morv
