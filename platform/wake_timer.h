#pragma once
// Asking the system to wake the computer from sleep at a set moment.
#include "platform/time_zone.h"

namespace morv {

// Whether a wake timer set now would wake this computer.
enum class WakeSupport {
  Unknown,     // the system cannot tell
  Allowed,     // wake timers are on for the power source in use, and the computer can wake
  TimersOff,   // the power plan's "Allow wake timers" is off (or for Windows' own "important"
               // timers only) for the power source in use
  CannotWake,  // the computer cannot wake itself from sleep at a set time
};

class WakeTimer {
 public:
  virtual ~WakeTimer() = default;
  // Wakes the computer at `at` if it sleeps then, replacing any earlier request. False
  // when the system will not wake for it; the program must work the same either way.
  virtual bool setAt(UtcTime at) = 0;
  // Withdraws the request; nothing happens when there is none.
  virtual void cancel() = 0;
  // Read afresh at each call: the user may change the power plan, or unplug the laptop.
  virtual WakeSupport support() = 0;
};

}  // namespace morv
