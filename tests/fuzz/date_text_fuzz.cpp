// A stored date text read back by any picture: it never reads past either text, and a
// date it gives is a real one, which the picture renders back to the same date.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "alarm/date_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string pattern = input.ConsumeRandomLengthString(32);
  const auto date = morv::ReadShortDate(pattern, input.ConsumeRemainingBytesAsString());
  if (!date) return 0;
  // A real date comes back unchanged from a count of days; any other does not.
  if (morv::FromTimePoint(morv::ToTimePoint({*date})).date != *date) __builtin_trap();
  return 0;
}
