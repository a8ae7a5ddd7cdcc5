// Any text typed into the time box, read as an alarm time: an accepted time must be one
// the clock can show, its alarm text the key of that clock minute, or the alarm could
// never ring.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "alarm/alarm_time.h"

namespace {

void Require(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int second = input.ConsumeIntegralInRange(0, 59);
  const auto time = morv::ReadTypedTime(input.ConsumeRemainingBytesAsString());
  if (!time) return 0;
  Require(time->hour >= 1 && time->hour <= 12 && time->minute >= 0 && time->minute <= 59);
  for (bool am : {true, false}) {
    const int hour24 = time->hour % 12 + (am ? 0 : 12);
    const std::string clock = morv::ClockText({{2026, 12, 6}, hour24, time->minute, second});
    Require(morv::ClockKeyOf(clock) == morv::AlarmTimeText(*time, am));
  }
  return 0;
}
