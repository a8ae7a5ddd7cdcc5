#include "alarm/wake_schedule.h"

#include "alarm/local_time.h"

namespace morv {

void ScheduleWake(Desktop& desktop, const std::optional<LocalDateTime>& reading) {
  const auto at = reading ? MomentOf(desktop.timeZone, *reading) : std::nullopt;
  if (!at) {
    desktop.wakeTimer.cancel();
    return;
  }
  desktop.wakeTimer.setAt(*at);
}

std::optional<std::string> WakeWarning(WakeSupport support) {
  switch (support) {
    case WakeSupport::TimersOff:
      return "This computer will not wake itself for the alarm: wake timers are switched off "
             "for the power source in use. Switch on Control Panel > Power Options > Change "
             "plan settings > Change advanced power settings > Sleep > Allow wake timers.";
    case WakeSupport::CannotWake:
      return "This computer will not wake itself for the alarm: it cannot wake from sleep at a "
             "set time. Leave it awake for the alarm to ring.";
    case WakeSupport::Allowed:
    case WakeSupport::Unknown:
      break;
  }
  return std::nullopt;
}

}  // namespace morv
