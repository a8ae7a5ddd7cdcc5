#pragma once
// The wake-up an armed alarm asks of the system, so that it rings even when the
// computer has gone to sleep, and what to tell the user when the system will not keep it.
#include <optional>
#include <string>

#include "platform/desktop.h"

namespace morv {

// Sets the wake timer for the start of the minute the clock shows `reading` in,
// replacing any earlier one; no reading, or one the system cannot place, leaves no timer
// behind. A refusal is silent: the alarm works as before, it only cannot wake the
// computer.
void ScheduleWake(Desktop& desktop, const std::optional<LocalDateTime>& reading);

// Why this computer will not wake itself for an alarm, in words for the user; nullopt
// when it will, or when the system cannot tell.
std::optional<std::string> WakeWarning(WakeSupport support);

}  // namespace morv
