#pragma once
// The alarms list and the add and change box as Windows dialogs.
#include "platform/alarms_dialog.h"

namespace morv::win32 {

class AlarmsDialogWin : public AlarmsDialog {
 public:
  void show(AlarmsDialogEvents& events) override;
  std::optional<AlarmEdit> edit(const std::string& title, const AlarmEdit& initial,
                                AlarmEditFields fields,
                                const std::function<bool(const AlarmEdit&)>& accept) override;
};

}  // namespace morv::win32
