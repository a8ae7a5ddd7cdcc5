#pragma once
// The repeat days box as a Windows dialog, from the program's resources.
#include "platform/repeat_dialog.h"

namespace morv::win32 {

class RepeatDialogWin : public RepeatDialog {
 public:
  std::optional<Weekdays> show(Weekdays current) override;
};

}  // namespace morv::win32
