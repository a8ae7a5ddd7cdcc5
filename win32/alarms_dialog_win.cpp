// The alarms list: a report-style list view whose check boxes switch each alarm on and
// off, and the buttons that hand every other wish to the core. What the rows say, and
// what an action does, is the core's; the box shows the rows afresh after each one.
#include "win32/alarms_dialog_win.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "win32/wide_text.h"
#include "resources/resource_ids.h"

namespace morv::win32 {
namespace {

// A check box the user ticked, handed on once the list view has finished its own work:
// the core may put up a message box, which must not run inside the list's notification.
constexpr UINT kToggled = WM_APP + 1;  // wParam: row, lParam: on

struct ListBox {
  AlarmsDialogEvents& events;
  HWND dialog = nullptr;
  HWND list = nullptr;
  bool redrawing = false;  // the list's notifications then tell of our own changes
};

int Selected(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

void AddColumns(HWND dialog, HWND list) {
  // Widths in dialog units, so the columns grow with the font and the display scale; the
  // last one takes what is left.
  struct Column {
    const wchar_t* title;
    int width;
  };
  const Column columns[] = {{L"Next Ring", 115}, {L"Repeats", 90}, {L"Label", 60}};
  int index = 0;
  for (const Column& column : columns) {
    RECT width{0, 0, column.width, 0};
    MapDialogRect(dialog, &width);
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH;
    info.cx = width.right;
    info.pszText = const_cast<wchar_t*>(column.title);
    SendMessageW(list, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&info));
  }
  ListView_SetColumnWidth(list, index - 1, LVSCW_AUTOSIZE_USEHEADER);
}

// Edit and Remove need a row; a button greyed while it holds the focus would leave the
// keyboard nowhere, so the focus goes back to the list first.
void ShowButtons(const ListBox& box) {
  const bool row = Selected(box.list) >= 0;
  for (int id : {IDC_ALARMS_EDIT, IDC_ALARMS_REMOVE}) {
    HWND button = GetDlgItem(box.dialog, id);
    if (!row && GetFocus() == button) {
      SendMessageW(box.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box.list), TRUE);
    }
    EnableWindow(button, row ? TRUE : FALSE);
  }
}

void SetCell(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = Wide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

// Rows are changed in place and only added or taken away at the end, so the selection
// stays on its row index wherever that row still exists.
void Redraw(ListBox& box) {
  const std::vector<AlarmRow> rows = box.events.rows();
  const int count = static_cast<int>(rows.size());
  box.redrawing = true;
  for (int n = ListView_GetItemCount(box.list); n > count; --n)
    ListView_DeleteItem(box.list, n - 1);
  for (int row = 0; row < count; ++row) {
    if (row >= ListView_GetItemCount(box.list)) {
      LVITEMW item{};
      item.iItem = row;
      SendMessageW(box.list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SetCell(box.list, row, 0, rows[row].next);
    SetCell(box.list, row, 1, rows[row].days);
    SetCell(box.list, row, 2, rows[row].label);
    ListView_SetCheckState(box.list, row, rows[row].on ? TRUE : FALSE);
  }
  box.redrawing = false;
  SetDlgItemTextW(box.dialog, IDC_ALARMS_NEXT, Wide(box.events.nextAlarm()).c_str());
  ShowButtons(box);
}

void Act(ListBox& box, WORD command) {
  const int row = Selected(box.list);
  if (command == IDC_ALARMS_ADD) {
    box.events.add();
  } else if ((command == IDC_ALARMS_EDIT || command == IDOK) && row >= 0) {
    box.events.change(row);  // IDOK: Enter on the list
  } else if (command == IDC_ALARMS_REMOVE && row >= 0) {
    box.events.remove(row);
  } else {
    return;
  }
  Redraw(box);
}

void Notified(ListBox& box, const NMHDR& header) {
  if (header.idFrom != IDC_ALARMS_LIST) return;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE)) return;
    if ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) ShowButtons(box);
    const UINT image = change.uNewState & LVIS_STATEIMAGEMASK;
    const UINT before = change.uOldState & LVIS_STATEIMAGEMASK;
    // A state image of 0 is a row the list has only just made: not the user's tick.
    if (!box.redrawing && change.iItem >= 0 && image != before && image && before) {
      PostMessageW(box.dialog, kToggled, change.iItem, image == INDEXTOSTATEIMAGEMASK(2));
    }
  } else if (header.code == LVN_KEYDOWN &&
             reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
    Act(box, IDC_ALARMS_REMOVE);
  } else if (header.code == NM_DBLCLK &&
             reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) {
    Act(box, IDC_ALARMS_EDIT);
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<ListBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      box = reinterpret_cast<ListBox*>(lParam);
      box->dialog = dialog;
      box->list = GetDlgItem(dialog, IDC_ALARMS_LIST);
      ListView_SetExtendedListViewStyle(box->list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
      AddColumns(dialog, box->list);
      Redraw(*box);
      // The first row is taken up at once, so Space, Enter and Delete work from the start.
      const UINT taken = LVIS_SELECTED | LVIS_FOCUSED;
      if (ListView_GetItemCount(box->list) > 0) ListView_SetItemState(box->list, 0, taken, taken);
      return TRUE;  // the list, first in the Tab order, takes the focus
    }
    case kToggled:
      box->events.toggled(static_cast<int>(wParam), lParam != 0);
      Redraw(*box);
      return TRUE;
    case WM_NOTIFY:
      Notified(*box, *reinterpret_cast<const NMHDR*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      } else {
        Act(*box, LOWORD(wParam));
      }
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void AlarmsDialogWin::show(AlarmsDialogEvents& events) {
  // Opened from the main window's menu: the active window owns it, like the repeat box.
  ListBox box{events};
  DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ALARMS), GetActiveWindow(),
                  DialogProc, reinterpret_cast<LPARAM>(&box));
}

}  // namespace morv::win32
