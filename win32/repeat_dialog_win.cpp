#include "win32/repeat_dialog_win.h"

#include "alarm/repeat_days.h"
#include "resources/resource_ids.h"

namespace morv::win32 {
namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      TickDays(dialog, *reinterpret_cast<Weekdays*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (PressDaysButton(dialog, LOWORD(wParam))) return TRUE;
      switch (LOWORD(wParam)) {
        case IDOK:
          *reinterpret_cast<Weekdays*>(GetWindowLongPtrW(dialog, DWLP_USER)) = TickedDays(dialog);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void TickDays(HWND dialog, Weekdays days) {
  for (int d = 0; d < 7; ++d) {
    CheckDlgButton(dialog, IDC_REPEAT_MONDAY + d, days[d] ? BST_CHECKED : BST_UNCHECKED);
  }
}

Weekdays TickedDays(HWND dialog) {
  Weekdays days;
  for (int d = 0; d < 7; ++d) days[d] = IsDlgButtonChecked(dialog, IDC_REPEAT_MONDAY + d) != 0;
  return days;
}

bool PressDaysButton(HWND dialog, WORD command) {
  if (command == IDC_REPEAT_EVERY_DAY) {
    TickDays(dialog, kEveryDay);
  } else if (command == IDC_REPEAT_WORKING_WEEK) {
    TickDays(dialog, kWorkingWeek);
  } else {
    return false;
  }
  return true;
}

std::optional<Weekdays> RepeatDialogWin::show(Weekdays current) {
  // The box is only opened from the main window's menu, so the active window owns it.
  Weekdays days = current;
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_REPEAT), GetActiveWindow(),
                      DialogProc, reinterpret_cast<LPARAM>(&days));
  if (result != IDOK) return std::nullopt;
  return days;
}

}  // namespace morv::win32
