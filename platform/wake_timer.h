#pragma once
// Asking the system to wake the computer from sleep at a set moment.
#include "platform/time_zone.h"

namespace morv {

class WakeTimer {
 public:
  virtual ~WakeTimer() = default;
  // Wakes the computer at `at` if it sleeps then, replacing any earlier request. False
  // when the system will not wake for it; the program must work the same either way.
  virtual bool setAt(UtcTime at) = 0;
  // Withdraws the request; nothing happens when there is none.
  virtual void cancel() = 0;
};

}  // namespace morv
