// The clock key from any text where a clock text belongs: it never reads past the text
// and stays within the "hh:mm AM" form's length. Every real clock reading's key is
// checked minute by minute in the native tests.
#include <cstddef>
#include <cstdint>
#include <string>

#include "alarm/alarm_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string any(reinterpret_cast<const char*>(data), size);
  if (morv::ClockKeyOf(any).size() > 8) __builtin_trap();
  return 0;
}
