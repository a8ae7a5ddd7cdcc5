#include "platform/win32/alarms_dialog_win.h"

namespace morv::win32 {

// Not built yet: the list shows nothing and every change is cancelled.
void AlarmsDialogWin::show(AlarmsDialogEvents&) {}

std::optional<AlarmEdit> AlarmsDialogWin::edit(const std::string&, const AlarmEdit&,
                                               AlarmEditFields,
                                               const std::function<bool(const AlarmEdit&)>&) {
  return std::nullopt;
}

}  // namespace morv::win32
