#include <windows.h>

#include <vector>

#include "win32/controls_win.h"
#include "win32/desktop_win.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace morv::win32 {
namespace {

WORD ShowCommandOf(WindowStyle style) {
  switch (style) {
    case WindowStyle::NormalFocus:
      return SW_SHOWNORMAL;
    case WindowStyle::MinimizedFocus:
      return SW_SHOWMINIMIZED;
    case WindowStyle::MinimizedNoFocus:
      return SW_SHOWMINNOACTIVE;
    case WindowStyle::MaximizedFocus:
      return SW_SHOWMAXIMIZED;
  }
  return SW_SHOWNORMAL;
}

StartResult Start(const std::wstring& application, std::wstring commandLine, WindowStyle style) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = ShowCommandOf(style);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(application.empty() ? nullptr : application.c_str(), commandLine.data(),
                      nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
               ? StartResult::FileNotFound
               : StartResult::Failed;
  }
  UniqueProcessHandle process(info.hProcess);
  UniqueProcessHandle thread(info.hThread);
  return StartResult::Started;
}

}  // namespace

StartResult ProcessesWin::startProgram(const std::string& path, WindowStyle style) {
  // The program is named outright, so blanks in its path cannot split it.
  return Start(Wide(path), L"\"" + Wide(path) + L"\"", style);
}

StartResult ProcessesWin::startCommandLine(const std::string& commandLine, WindowStyle style) {
  return Start({}, Wide(commandLine), style);
}

MbAnswer MessageBoxesWin::show(const MessageBoxRequest& request) {
  UINT flags = MB_SETFOREGROUND;
  switch (request.buttons) {
    case MbButtons::Ok:
      flags |= MB_OK;
      break;
    case MbButtons::OkCancel:
      flags |= MB_OKCANCEL;
      break;
    case MbButtons::YesNo:
      flags |= MB_YESNO;
      break;
  }
  switch (request.icon) {
    case MbIcon::None:
      break;
    case MbIcon::Critical:
      flags |= MB_ICONHAND;
      break;
    case MbIcon::Question:
      flags |= MB_ICONQUESTION;
      break;
    case MbIcon::Exclamation:
      flags |= MB_ICONEXCLAMATION;
      break;
    case MbIcon::Information:
      flags |= MB_ICONASTERISK;
      break;
  }
  if (request.defaultButton == 2) flags |= MB_DEFBUTTON2;
  // A hidden owner (the window sits in the tray) would hide nothing but would also
  // keep the box out of the taskbar: then the box stands alone, on top.
  HWND owner = owner_ && IsWindowVisible(owner_) ? owner_ : nullptr;
  // A box of ours is open over the window (the alarms list, say): the question belongs to
  // that box, or the user could go on clicking in it meanwhile.
  if (HWND active = GetActiveWindow(); owner && !IsWindowEnabled(owner) && active) owner = active;
  if (!owner) flags |= MB_TASKMODAL | MB_TOPMOST;
  switch (MessageBoxW(owner, Wide(request.text).c_str(), Wide(request.title).c_str(), flags)) {
    case IDCANCEL:
      return MbAnswer::Cancel;
    case IDYES:
      return MbAnswer::Yes;
    case IDNO:
      return MbAnswer::No;
    default:
      return MbAnswer::Ok;
  }
}

LocalDateTime ClockWin::now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return {{t.wYear, t.wMonth, t.wDay}, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::chrono::milliseconds ClockWin::monotonic() {
  return std::chrono::milliseconds(GetTickCount64());
}

void ClockWin::sleep(std::chrono::milliseconds duration) {
  Sleep(static_cast<DWORD>(duration.count()));
}

std::string LocaleWin::shortDate(const CalendarDate& date) {
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(date.year);
  t.wMonth = static_cast<WORD>(date.month);
  t.wDay = static_cast<WORD>(date.day);
  wchar_t text[128] = {};
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, text, 128) == 0) {
    return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
           std::to_string(date.year);
  }
  return Utf8(text);
}

// The fallback of shortDate above is drawn from this same picture.
std::string LocaleWin::shortDatePattern() {
  wchar_t pattern[80] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, 80) == 0) return "M/d/yyyy";
  return Utf8(pattern);
}

bool FileSystemWin::folderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileSystemWin::fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string FileSystemWin::systemFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return Utf8(std::wstring_view(path, length < MAX_PATH ? length : 0));
}

std::string FileSystemWin::programFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      std::string full = Utf8(std::wstring_view(path.data(), length));
      const auto slash = full.find_last_of("\\/");
      return slash == std::string::npos ? std::string() : full.substr(0, slash);
    }
    path.resize(path.size() * 2);
  }
}

void ProgramWin::end() {
  for (auto& action : atEnd_) action();
  ExitProcess(0);
}

void ProgramWin::waitForEvents() {
  WaitMessage();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

std::string ProgramWin::title() const { return WindowText(application_); }

void ProgramWin::setTitle(const std::string& title) { SetText(application_, title); }

}  // namespace morv::win32
