#include "win32/wake_timer_win.h"

#include <powrprof.h>

#include <optional>

#include "win32/utc_time_win.h"

namespace morv::win32 {
namespace {

// Missing from MinGW's headers. Wine answers it: the timer runs, but wakes nothing.
constexpr DWORD kErrorTimerResumeIgnored = 722;

// The power plan's sleep settings and their "Allow wake timers" (winnt.h defines them only
// for a program that instantiates every GUID it names).
constexpr GUID kSleepSettings{
    0x238c9fa8, 0x0aad, 0x41ed, {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
constexpr GUID kAllowWakeTimers{
    0xbd3b718a, 0x0680, 0x4d9d, {0x8a, 0xb2, 0xe1, 0xd2, 0xb4, 0xac, 0x80, 0x6d}};

// The active scheme's GUID, which the power functions hand over in LocalAlloc'ed memory.
using UniqueSchemeGuid = UniqueHandle<GUID*, LocalFree>;

// SYSTEM_POWER_STATUS.ACLineStatus.
constexpr BYTE kOnBattery = 0;
constexpr BYTE kOnMains = 1;
constexpr BYTE kSourceUnknown = 255;

using ReadIndex = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, LPDWORD);

std::optional<DWORD> AllowWakeTimersIn(const UniqueSchemeGuid& scheme, ReadIndex read) {
  DWORD index = 0;
  if (read(nullptr, scheme.get(), &kSleepSettings, &kAllowWakeTimers, &index) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return index;
}

// The active plan's "Allow wake timers" for the power source in use: 0 off, 1 on,
// 2 important ones only.
std::optional<DWORD> AllowWakeTimers() {
  // Wine 8 answers ERROR_CALL_NOT_IMPLEMENTED here, and its two reads are stubs that end
  // the process when called: they must only ever be reached with a scheme in hand.
  GUID* active = nullptr;
  const DWORD status = PowerGetActiveScheme(nullptr, &active);
  const UniqueSchemeGuid scheme(active);
  if (status != ERROR_SUCCESS || !scheme) return std::nullopt;
  SYSTEM_POWER_STATUS power{};
  const BYTE source = GetSystemPowerStatus(&power) ? power.ACLineStatus : kSourceUnknown;
  if (source == kOnMains) return AllowWakeTimersIn(scheme, PowerReadACValueIndex);
  if (source == kOnBattery) return AllowWakeTimersIn(scheme, PowerReadDCValueIndex);
  // With the source unknown the answer holds only when both sources agree.
  const auto plugged = AllowWakeTimersIn(scheme, PowerReadACValueIndex);
  return plugged == AllowWakeTimersIn(scheme, PowerReadDCValueIndex) ? plugged : std::nullopt;
}

// Whether the computer's clock can wake it from the sleep Windows puts it in.
std::optional<bool> ClockCanWake() {
  SYSTEM_POWER_CAPABILITIES can{};
  if (!GetPwrCapabilities(&can)) return std::nullopt;
  // Sleep goes to the deepest of S1 to S3 the computer has. Without any it never sleeps,
  // or dozes in modern standby where the plan's setting alone decides.
  const SYSTEM_POWER_STATE sleep = can.SystemS3   ? PowerSystemSleeping3
                                   : can.SystemS2 ? PowerSystemSleeping2
                                   : can.SystemS1 ? PowerSystemSleeping1
                                                  : PowerSystemUnspecified;
  // RtcWake is the deepest state the clock wakes it from (unspecified: none).
  return sleep == PowerSystemUnspecified || can.RtcWake >= sleep;
}

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

// A computer that cannot wake itself is the answer whatever the plan says. "Important
// wake timers only" counts as off: which timers are important is Windows' call, not the
// program's, and nothing marks an ordinary waitable timer as one. Taken for allowed it
// could let the alarm sleep through without a word; taken for off it costs at worst a
// needless hint to choose Enable.
WakeSupport WakeTimerWin::support() {
  const std::optional<bool> canWake = ClockCanWake();
  if (canWake == false) return WakeSupport::CannotWake;
  const std::optional<DWORD> allow = AllowWakeTimers();
  if (allow == 0u || allow == 2u) return WakeSupport::TimersOff;
  if (allow != 1u || !canWake) return WakeSupport::Unknown;  // unread, or a value newer than us
  return WakeSupport::Allowed;
}

}  // namespace morv::win32
