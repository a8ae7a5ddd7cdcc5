#pragma once
// The wake request as a waitable timer set with resume: Windows wakes the computer
// for it when the power plan allows wake timers.
#include <windows.h>

#include "platform/wake_timer.h"
#include "win32/unique_handle.h"

namespace morv::win32 {

class WakeTimerWin : public WakeTimer {
 public:
  WakeTimerWin();
  // Closing the last handle would delete the timer anyway; cancel says so outright.
  ~WakeTimerWin() override;
  WakeTimerWin(const WakeTimerWin&) = delete;
  WakeTimerWin& operator=(const WakeTimerWin&) = delete;

  bool setAt(UtcTime at) override;
  void cancel() override;
  WakeSupport support() override;
  // Signalled from its due time until it is set again or cancelled.
  HANDLE handle() const { return timer_.get(); }

 private:
  UniqueKernelHandle timer_;
};

}  // namespace morv::win32
