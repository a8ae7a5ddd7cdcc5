#pragma once
// What the repeating alarm remembers between events.
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/repeat_dialog.h"

namespace morv {

struct RepeatState {
  // None: the alarm rings once, as it always has.
  Weekdays days;
  // The armed alarm's minute. The record holds only texts, and once its day has gone
  // by no date text can be matched any more; so the minute is told from the texts while
  // they are current, and kept with the texts it was told from.
  std::string minuteOf;
  std::optional<LocalDateTime> minute;
};

}  // namespace morv
