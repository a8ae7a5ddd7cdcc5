// uidriver_target.exe: a throwaway program with one of each control the UI driver handles. It
// logs what a user did to it (target_log.h) so the driver's tests can check the driver's effect.
//
//   uidriver_target.exe [--date YYYY-MM-DD] [--exit-after-ms N --exit-code C] [args...]
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tools/uidriver/test_target/target_log.h"

namespace {

using morv::uidriver::target::logLine;

enum Id : int {
  kFileChecked = 101,
  kFileGrayed = 102,
  kFileExit = 103,
  kTrayOption = 111,
  kHelpAbout = 201,
  kAccelCtrlK = 301,
  kAccelAltJ = 302,
  kPopupRed = 401,
  kPopupGreen = 402,
  kPopupBlue = 403,
  kAsk = 1001,
  kConfirm = 1002,
  kDisabled = 1003,
  kChain = 1004,
  kPopup = 1005,
  kBusy = 1006,
  kTime = 1010,
  kEdit = 1011,
  kCalendar = 1012,
  kStatus = 1013,
};
constexpr UINT_PTR kExitTimer = 1;

HWND g_main = nullptr;
HWND g_status = nullptr;
HMENU g_popup = nullptr;
UINT g_exitCode = 0;

std::string narrow(const std::wstring& wide) {
  std::string text;
  for (wchar_t c : wide) text += c < 128 ? static_cast<char>(c) : '?';
  return text;
}

const char* controlName(int id) {
  switch (id) {
    case kAsk:
      return "ask";
    case kConfirm:
      return "confirm";
    case kDisabled:
      return "disabled";
    case kChain:
      return "chain";
    case kPopup:
      return "popup";
    case kBusy:
      return "busy";
    case kTime:
      return "time";
    case kEdit:
      return "edit";
    default:
      return "other";
  }
}

void setStatus(const wchar_t* text) {
  SendMessageW(g_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
}

std::string answerName(int answer) {
  switch (answer) {
    case IDYES:
      return "yes";
    case IDNO:
      return "no";
    case IDOK:
      return "ok";
    case IDCANCEL:
      return "cancel";
    default:
      return std::to_string(answer);
  }
}

void onButton(int id) {
  logLine(std::string("clicked ") + controlName(id));
  switch (id) {
    case kAsk:
      logLine("ask " + answerName(MessageBoxW(g_main, L"Proceed?", L"Target Question",
                                              MB_YESNO | MB_ICONQUESTION)));
      break;
    case kConfirm:
      logLine("confirm " +
              answerName(MessageBoxW(g_main, L"Really?", L"Target Confirm", MB_OKCANCEL)));
      break;
    case kChain:
      logLine("chain first " + answerName(MessageBoxW(g_main, L"First", L"Target Chain", MB_OK)));
      logLine("chain second " + answerName(MessageBoxW(g_main, L"Second", L"Target Chain",
                                                       MB_YESNO | MB_ICONWARNING)));
      break;
    case kPopup: {
      RECT rect{};
      GetWindowRect(GetDlgItem(g_main, kPopup), &rect);
      const int chosen = TrackPopupMenu(g_popup, TPM_RETURNCMD | TPM_LEFTALIGN, rect.left,
                                        rect.bottom, 0, g_main, nullptr);
      logLine("popup " + std::to_string(chosen));
      break;
    }
    case kBusy:
      setStatus(L"Busy");
      UpdateWindow(g_status);
      logLine("busy start");
      Sleep(4000);
      setStatus(L"Ready");
      logLine("busy end");
      break;
  }
}

void onNotify(const NMHDR& header) {
  if (header.idFrom == kCalendar && header.code == MCN_SELECT) {
    const SYSTEMTIME& day = reinterpret_cast<const NMSELCHANGE&>(header).stSelStart;
    char text[32];
    std::snprintf(text, sizeof(text), "select %04d-%02d-%02d", day.wYear, day.wMonth, day.wDay);
    logLine(text);
  }
}

LRESULT CALLBACK mainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (lParam == 0) {
        logLine("command " + std::to_string(id));
        if (id == kFileExit) DestroyWindow(hwnd);
      } else if (code == BN_CLICKED) {
        onButton(id);
      } else if (code == BN_SETFOCUS || code == EN_SETFOCUS) {
        logLine(std::string("focus ") + controlName(id));
      }
      return 0;
    }
    case WM_NOTIFY:
      onNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kExitTimer) PostQuitMessage(static_cast<int>(g_exitCode));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND control(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
             int id, DWORD exStyle = 0) {
  return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, g_main,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

HMENU buildMenuBar() {
  HMENU options = CreatePopupMenu();
  AppendMenuW(options, MF_STRING | MF_CHECKED, kTrayOption, L"&Start In System Tray");
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING | MF_CHECKED, kFileChecked, L"&Checked Item");
  AppendMenuW(file, MF_STRING | MF_GRAYED, kFileGrayed, L"&Grayed Item\tCtrl+G");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(options), L"&Options");
  AppendMenuW(file, MF_STRING, kFileExit, L"E&xit");
  HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING, kHelpAbout, L"&About");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  return bar;
}

void addTool(HWND tooltip, HWND tool, const wchar_t* text) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = g_main;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void buildControls(const SYSTEMTIME* date) {
  constexpr DWORD kButton = BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP;
  HWND ask = control(L"Button", L"&Ask", kButton, 10, 10, 90, 26, kAsk);
  control(L"Button", L"&Confirm", kButton, 110, 10, 90, 26, kConfirm);
  control(L"Button", L"&Disabled", kButton | WS_DISABLED, 210, 10, 90, 26, kDisabled);
  control(L"Button", L"C&hain", kButton, 310, 10, 90, 26, kChain);
  control(L"Button", L"&Popup", kButton, 410, 10, 90, 26, kPopup);
  control(L"Button", L"&Busy", kButton, 10, 46, 90, 26, kBusy);
  HWND time = control(L"Edit", L"12:34", ES_READONLY | WS_TABSTOP, 110, 46, 90, 24, kTime,
                      WS_EX_CLIENTEDGE);
  control(L"Edit", L"", ES_AUTOHSCROLL | WS_TABSTOP, 210, 46, 190, 24, kEdit, WS_EX_CLIENTEDGE);
  HWND calendar = control(MONTHCAL_CLASSW, L"", WS_TABSTOP, 10, 90, 0, 0, kCalendar);
  RECT size{};
  SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&size));
  SetWindowPos(calendar, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER);
  if (date != nullptr) SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(date));
  g_status = control(STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, 0, 0, 0, 0, kStatus);
  int parts[] = {-1};
  SendMessageW(g_status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts));
  setStatus(L"Ready");
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, g_main,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
  addTool(tooltip, ask, L"Asks a yes/no question");
  addTool(tooltip, time, L"The time of the alarm");
}

bool parseDate(const wchar_t* text, SYSTEMTIME& date) {
  int year = 0, month = 0, day = 0;
  if (swscanf(text, L"%d-%d-%d", &year, &month, &day) != 3) return false;
  date = SYSTEMTIME{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  morv::uidriver::target::openLog();
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  SYSTEMTIME date{};
  bool haveDate = false;
  UINT exitAfter = 0;
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  logLine("start cwd=" + narrow(cwd));
  if (const wchar_t* mark = _wgetenv(L"UIDRIVER_TARGET_MARK")) logLine("mark " + narrow(mark));
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--date" && i + 1 < argc) {
      haveDate = parseDate(argv[++i], date);
    } else if (arg == L"--exit-after-ms" && i + 1 < argc) {
      exitAfter = static_cast<UINT>(_wtoi(argv[++i]));
    } else if (arg == L"--exit-code" && i + 1 < argc) {
      g_exitCode = static_cast<UINT>(_wtoi(argv[++i]));
    } else {
      logLine("arg " + narrow(arg));
    }
  }
  LocalFree(argv);

  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = mainProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"UidriverTarget";
  RegisterClassW(&windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.lpszClassName = L"UidriverHidden";
  RegisterClassW(&windowClass);

  CreateWindowExW(0, L"UidriverHidden", L"Hidden Helper", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                  nullptr, instance, nullptr);
  g_main = CreateWindowExW(0, L"UidriverTarget", L"Uidriver Target", WS_OVERLAPPEDWINDOW, 40, 40,
                           560, 460, nullptr, buildMenuBar(), instance, nullptr);
  buildControls(haveDate ? &date : nullptr);
  morv::win32::UniqueHmenu popup(CreatePopupMenu());
  g_popup = popup.get();
  AppendMenuW(g_popup, MF_STRING, kPopupRed, L"&Red");
  AppendMenuW(g_popup, MF_STRING | MF_CHECKED, kPopupGreen, L"&Green");
  AppendMenuW(g_popup, MF_STRING | MF_GRAYED, kPopupBlue, L"&Blue");
  // The window cannot be closed from its window menu, as in the program this stands in for.
  EnableMenuItem(GetSystemMenu(g_main, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'K', kAccelCtrlK}, {FALT | FVIRTKEY, 'J', kAccelAltJ}};
  morv::win32::UniqueHaccel accelerators(CreateAcceleratorTableW(keys, 2));
  ShowWindow(g_main, show);
  UpdateWindow(g_main);
  SetFocus(GetDlgItem(g_main, kAsk));
  if (exitAfter > 0) SetTimer(g_main, kExitTimer, exitAfter, nullptr);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(g_main, accelerators.get(), &message)) continue;
    if (IsDialogMessageW(g_main, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  logLine("exit " + std::to_string(message.wParam));
  return static_cast<int>(message.wParam);
}
