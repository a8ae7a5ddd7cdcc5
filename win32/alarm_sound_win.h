#pragma once
// The alarm sound over PlaySound, from the WAVE resource in morvu.exe.
#include "platform/alarm_sound.h"

namespace morv::win32 {

class AlarmSoundWin : public AlarmSound {
 public:
  ~AlarmSoundWin() override;
  void startLooping() override;
  void stop() override;

 private:
  bool started_ = false;
};

}  // namespace morv::win32
