#pragma once
// The repeat days box as a Windows dialog, from the program's resources.
#include <windows.h>

#include "platform/repeat_dialog.h"

namespace morv::win32 {

class RepeatDialogWin : public RepeatDialog {
 public:
  std::optional<Weekdays> show(Weekdays current) override;
};

// The seven day boxes and their two buttons (IDC_REPEAT_*), shared by every box that
// asks for the days an alarm repeats on.
void TickDays(HWND dialog, Weekdays days);
Weekdays TickedDays(HWND dialog);
// Ticks the days the Every Day or Monday To Friday button stands for; false when
// `command` is neither.
bool PressDaysButton(HWND dialog, WORD command);

}  // namespace morv::win32
