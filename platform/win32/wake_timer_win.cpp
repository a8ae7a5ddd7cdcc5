#include "platform/win32/wake_timer_win.h"

#include "platform/win32/utc_time_win.h"

namespace morv::win32 {
namespace {

// Missing from MinGW's headers. Wine answers it: the timer runs, but wakes nothing.
constexpr DWORD kErrorTimerResumeIgnored = 722;

}  // namespace

// Manual reset: once due it stays signalled, so a late look still sees it went off.
WakeTimerWin::WakeTimerWin() : timer_(CreateWaitableTimerW(nullptr, TRUE, nullptr)) {}

WakeTimerWin::~WakeTimerWin() { cancel(); }

bool WakeTimerWin::setAt(UtcTime at) {
  if (!timer_) return false;
  LARGE_INTEGER due{};
  due.QuadPart = FileTimeTicks(at);  // positive: an absolute UTC time
  SetLastError(ERROR_SUCCESS);
  if (!SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, TRUE)) return false;
  // Without support for waking, the timer is set all the same but only runs while
  // the computer is awake.
  const DWORD error = GetLastError();
  return error != ERROR_NOT_SUPPORTED && error != kErrorTimerResumeIgnored;
}

void WakeTimerWin::cancel() {
  if (timer_) CancelWaitableTimer(timer_.get());
}

// Not read yet: saying nothing is what an unknown answer asks for.
WakeSupport WakeTimerWin::support() { return WakeSupport::Unknown; }

}  // namespace morv::win32
