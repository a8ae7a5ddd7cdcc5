#pragma once
// Which moment a local wall-clock reading names. Twice a year the answer is not plain:
// when the clocks go forward an hour of readings never shows, and when they go back an
// hour shows twice.
#include <optional>

#include "platform/clock.h"
#include "platform/time_zone.h"

namespace morv {

// The moment the local clock shows `reading`, the first time if it shows it twice. A
// reading the clock skips names the moment the clock would have shown it had it not
// jumped: the same reading as many minutes later as the clock jumped (3:30 for 2:30 when
// 2:00 becomes 3:00), so an alarm in the skipped hour rings late rather than never.
// nullopt when the system cannot tell its offsets.
std::optional<UtcTime> MomentOf(TimeZone& zone, const LocalDateTime& reading);

// The reading the local clock shows when an alarm set for `reading` falls due: the
// reading itself, or the later one for a skipped reading. The reading itself when the
// system cannot tell.
LocalDateTime ReadingWhenDue(TimeZone& zone, const LocalDateTime& reading);

}  // namespace morv
