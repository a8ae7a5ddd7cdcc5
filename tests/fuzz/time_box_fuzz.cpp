// Any text typed into the time box, read as an alarm time: an accepted time must be one
// the clock can show, and its text must read back as the same time when the registry
// hands it over at the next start, or the alarm would not come back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "alarm/alarm_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto require = [](bool holds) {
    if (!holds) __builtin_trap();
  };
  FuzzedDataProvider input(data, size);
  const bool am = input.ConsumeBool();
  const auto typed = morv::ReadTypedTime(input.ConsumeRemainingBytesAsString());
  if (!typed) return 0;
  require(typed->hour >= 1 && typed->hour <= 12 && typed->minute >= 0 && typed->minute <= 59);
  const morv::TimeOfDay time = morv::TimeOfTyped(*typed, am);
  require(time.hour >= 0 && time.hour <= 23 && (time.hour < 12) == am);
  require(morv::ReadAlarmTimeText(morv::AlarmTimeText(time)) == time);
  return 0;
}
