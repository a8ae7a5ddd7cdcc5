// The wake timer and the time-zone conversion on the real system. (Whether the timer would wake
// the computer is asked at every arming, and the system's own zone places every alarm: the
// end-to-end tests, which ring alarms in their local minute, use both under Wine.)
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "alarm/local_time.h"
#include "win32/time_zone_win.h"
#include "win32/utc_time_win.h"
#include "win32/wake_timer_win.h"

namespace morv {
namespace {

using namespace std::chrono;
using win32::UtcNow;

TEST(WakeTimerWinTest, GoesOffAtItsDueTime) {
  win32::WakeTimerWin timer;
  const UtcTime due = ceil<seconds>(UtcNow()) + 2s;
  timer.setAt(due);
  EXPECT_EQ(WaitForSingleObject(timer.handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  ASSERT_EQ(WaitForSingleObject(timer.handle(), 12000), WAIT_OBJECT_0);
  EXPECT_GE(UtcNow(), due - 20ms) << "early by more than the timer resolution";
}

UtcTime Utc(int y, int mo, int d, int h, int mi) {
  return sys_days{year{y} / mo / d} + hours{h} + minutes{mi};
}

TEST(TimeZoneWinTest, ReadingsNearTheChangesOfACentralEuropeanZone) {
  TIME_ZONE_INFORMATION cet{};
  cet.Bias = -60;
  cet.DaylightBias = -60;
  cet.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};  // last Sunday of October, 3:00
  cet.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};   // last Sunday of March, 2:00
  win32::TimeZoneWin zone(cet);
  EXPECT_EQ(MomentOf(zone, {{2027, 1, 15}, 7, 5}), Utc(2027, 1, 15, 6, 5));
  EXPECT_EQ(MomentOf(zone, {{2027, 7, 15}, 7, 5}), Utc(2027, 7, 15, 5, 5));
  EXPECT_EQ(MomentOf(zone, {{2027, 3, 28}, 2, 30}), Utc(2027, 3, 28, 1, 30)) << "skipped: 3:30";
  EXPECT_EQ(MomentOf(zone, {{2027, 10, 31}, 2, 30}), Utc(2027, 10, 31, 0, 30))
      << "the first of two";
}

}  // namespace
}  // namespace morv
