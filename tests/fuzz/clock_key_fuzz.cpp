// The clock key from any clock text: it never reads past the text, stays within the
// "hh:mm AM" form's length, and for every real clock reading names its minute.
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
  const int hour = input.ConsumeIntegralInRange(0, 23);
  const int minute = input.ConsumeIntegralInRange(0, 59);
  const int second = input.ConsumeIntegralInRange(0, 59);
  const std::string any = input.ConsumeRemainingBytesAsString();

  Require(morv::ClockKeyOf(any).size() <= 8);

  const std::string clock = morv::ClockText({{2026, 12, 6}, hour, minute, second});
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  Require(morv::ClockKeyOf(clock) == morv::AlarmTimeText({hour12, minute}, hour < 12));
  return 0;
}
