// The box in which one alarm is added or changed: its date, time, days, label, music
// and gentle wake. The core judges the entry; the box only stays open when told to.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <cstdlib>
#include <iterator>

#include "win32/alarms_dialog_win.h"
#include "win32/controls_win.h"
#include "win32/repeat_dialog_win.h"
#include "win32/wide_text.h"
#include "resources/resource_ids.h"

namespace morv::win32 {
namespace {

constexpr int kRiseSeconds[] = {0, 30, 60, 120, 180, 300};
constexpr const wchar_t* kRiseWords[] = {L"Off",       L"30 seconds", L"1 minute",
                                         L"2 minutes", L"3 minutes",  L"5 minutes"};
// The core checks the length again; the limit only saves the user typing in vain.
constexpr int kLabelLength = 20;

// Date, time, days and label: the main window's for the first alarm.
constexpr int kWhenControls[] = {
    IDC_ALARM_DATE_LABEL,  IDC_ALARM_DATE,          IDC_ALARM_TIME_LABEL,  IDC_ALARM_TIME,
    IDC_ALARM_DAYS_LABEL,  IDC_REPEAT_MONDAY,       IDC_REPEAT_MONDAY + 1, IDC_REPEAT_MONDAY + 2,
    IDC_REPEAT_MONDAY + 3, IDC_REPEAT_MONDAY + 4,   IDC_REPEAT_MONDAY + 5, IDC_REPEAT_MONDAY + 6,
    IDC_REPEAT_EVERY_DAY,  IDC_REPEAT_WORKING_WEEK, IDC_ALARM_ONCE_NOTE,   IDC_ALARM_LABEL_LABEL,
    IDC_ALARM_LABEL};

struct EditBox {
  const std::string& title;
  AlarmEdit entry;
  AlarmEditFields fields;
  const std::function<bool(const AlarmEdit&)>& accept;
};

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

// The time picker shows hours and minutes the way the user's short time reads.
void ShowShortTime(HWND picker) {
  wchar_t format[80] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, format, 80) > 0) {
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(format));
  }
}

void Fill(HWND dialog, const EditBox& box) {
  const AlarmEdit& e = box.entry;
  SetWindowTextW(dialog, Wide(box.title).c_str());
  SYSTEMTIME at{};
  at.wYear = static_cast<WORD>(e.date.year);
  at.wMonth = static_cast<WORD>(e.date.month);
  at.wDay = static_cast<WORD>(e.date.day);
  at.wHour = static_cast<WORD>(e.hour);
  at.wMinute = static_cast<WORD>(e.minute);
  for (int picker : {IDC_ALARM_DATE, IDC_ALARM_TIME}) {
    SendDlgItemMessageW(dialog, picker, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(&at));
  }
  ShowShortTime(Item(dialog, IDC_ALARM_TIME));
  TickDays(dialog, e.days);
  SendDlgItemMessageW(dialog, IDC_ALARM_LABEL, EM_LIMITTEXT, kLabelLength, 0);
  SetText(Item(dialog, IDC_ALARM_LABEL), e.label);
  SetText(Item(dialog, IDC_ALARM_MUSIC), e.music);
  SendDlgItemMessageW(dialog, IDC_ALARM_MUSIC, EM_SETCUEBANNER, FALSE,
                      reinterpret_cast<LPARAM>(L"(what Winamp holds)"));
  int closest = 0;
  for (int i = 0; i < static_cast<int>(std::size(kRiseSeconds)); ++i) {
    SendDlgItemMessageW(dialog, IDC_ALARM_RISE, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(kRiseWords[i]));
    if (std::abs(kRiseSeconds[i] - e.riseSeconds) <
        std::abs(kRiseSeconds[closest] - e.riseSeconds)) {
      closest = i;
    }
  }
  SendDlgItemMessageW(dialog, IDC_ALARM_RISE, CB_SETCURSEL, closest, 0);
  if (box.fields == AlarmEditFields::SoundOnly) {
    for (int id : kWhenControls) EnableWindow(Item(dialog, id), FALSE);
  }
}

AlarmEdit Read(HWND dialog, const EditBox& box) {
  AlarmEdit e = box.entry;
  if (box.fields == AlarmEditFields::All) {
    SYSTEMTIME date{};
    SYSTEMTIME time{};
    SendDlgItemMessageW(dialog, IDC_ALARM_DATE, DTM_GETSYSTEMTIME, 0,
                        reinterpret_cast<LPARAM>(&date));
    SendDlgItemMessageW(dialog, IDC_ALARM_TIME, DTM_GETSYSTEMTIME, 0,
                        reinterpret_cast<LPARAM>(&time));
    e.date = {date.wYear, date.wMonth, date.wDay};
    e.hour = time.wHour;
    e.minute = time.wMinute;
    e.days = TickedDays(dialog);
    e.label = WindowText(Item(dialog, IDC_ALARM_LABEL));
  }
  e.music = WindowText(Item(dialog, IDC_ALARM_MUSIC));
  const auto rise = SendDlgItemMessageW(dialog, IDC_ALARM_RISE, CB_GETCURSEL, 0, 0);
  if (rise >= 0 && rise < static_cast<LRESULT>(std::size(kRiseSeconds))) {
    e.riseSeconds = kRiseSeconds[rise];
  }
  return e;
}

// The Open box starts in the folder of the music already chosen.
void Browse(HWND dialog) {
  HWND music = Item(dialog, IDC_ALARM_MUSIC);
  std::wstring folder = Wide(WindowText(music));
  const auto slash = folder.find_last_of(L"\\/");
  folder.resize(slash == std::wstring::npos ? 0 : slash);
  std::wstring file(32768, L'\0');
  OPENFILENAMEW open{};
  open.lStructSize = sizeof(open);
  open.hwndOwner = dialog;
  open.lpstrFilter =
      L"Music and playlists\0*.mp3;*.wav;*.wma;*.ogg;*.flac;*.m3u;*.m3u8;*.pls\0"
      L"All files\0*.*\0";
  open.lpstrFile = file.data();
  open.nMaxFile = static_cast<DWORD>(file.size());
  open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetOpenFileNameW(&open)) SetText(music, Utf8(file.c_str()));
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<EditBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Fill(dialog, *reinterpret_cast<EditBox*>(lParam));
      return TRUE;  // the first control still enabled takes the focus
    case WM_COMMAND:
      if (PressDaysButton(dialog, LOWORD(wParam))) return TRUE;
      switch (LOWORD(wParam)) {
        case IDC_ALARM_BROWSE:
          Browse(dialog);
          return TRUE;
        case IDOK: {
          AlarmEdit entry = Read(dialog, *box);
          if (box->accept(entry)) {
            box->entry = std::move(entry);
            EndDialog(dialog, IDOK);
          }
          return TRUE;
        }
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

std::optional<AlarmEdit> AlarmsDialogWin::edit(
    const std::string& title, const AlarmEdit& initial, AlarmEditFields fields,
    const std::function<bool(const AlarmEdit&)>& accept) {
  // Over the alarms list, or over the main window for the first alarm's sound.
  EditBox box{title, initial, fields, accept};
  const INT_PTR result =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ALARM_EDIT),
                      GetActiveWindow(), DialogProc, reinterpret_cast<LPARAM>(&box));
  if (result != IDOK) return std::nullopt;
  return box.entry;
}

}  // namespace morv::win32
