#pragma once
// A date text in the user's short-date form read back into a date: the one place a date
// comes in as text is the alarm the registry kept from an earlier run.
#include <optional>
#include <string>

#include "platform/clock.h"

namespace morv {

// Reads `text` by the order of the day, month and year fields in `pattern` (Windows'
// short-date picture: "M/d/yyyy", "dd.MM.yyyy", "yyyy-MM-dd", ...). Any run of
// non-digits separates the numbers, so a changed separator still reads. nullopt when the
// numbers do not make a real date, or the pattern names the month in words.
std::optional<CalendarDate> ReadShortDate(const std::string& pattern, const std::string& text);

}  // namespace morv
