#pragma once
// The real desktop: each service a thin layer over the Windows API.
#include <windows.h>

#include <functional>
#include <vector>

#include "mainwindow/modal_scope.h"
#include "platform/desktop.h"
#include "win32/alarm_sound_win.h"
#include "win32/alarms_dialog_win.h"
#include "win32/registry_win.h"
#include "win32/repeat_dialog_win.h"
#include "win32/time_zone_win.h"
#include "win32/wake_timer_win.h"

namespace morv::win32 {

class WindowManagerWin : public WindowManager {
 public:
  WindowHandle findWindow(const std::string& className,
                          const std::optional<std::string>& text) override;
  std::optional<std::intptr_t> sendMessageTimeout(WindowHandle window, unsigned message,
                                                  std::uintptr_t wParam, std::intptr_t lParam,
                                                  std::chrono::milliseconds timeout) override;
  std::optional<std::intptr_t> sendCopyData(WindowHandle window, std::uintptr_t kind,
                                            const std::string& data,
                                            std::chrono::milliseconds timeout) override;
  bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  bool showWindow(WindowHandle window, ShowCommand command) override;
  bool setForegroundWindow(WindowHandle window) override;
  bool closeWindow(WindowHandle window) override;
  std::uint32_t processOf(WindowHandle window) override;
  WindowHandle findProcessWindow(std::uint32_t process, const std::string& className) override;
  unsigned registeredMessage(const std::string& name) override;
  void allowForeground(std::uint32_t process) override;
  MenuHandle systemMenu(WindowHandle window) override;
  std::uint32_t menuItemId(MenuHandle menu, int position) override;
  bool modifyMenu(MenuHandle menu, std::uint32_t item, std::uint32_t flags, std::uintptr_t newId,
                  const std::string& caption) override;
};

class ProcessesWin : public Processes {
 public:
  StartResult startProgram(const std::string& path, WindowStyle style) override;
  StartResult startCommandLine(const std::string& commandLine, WindowStyle style) override;
};

class MessageBoxesWin : public MessageBoxes {
 public:
  MbAnswer show(const MessageBoxRequest& request) override;
  // The window boxes belong to while it is shown; without one they stand alone.
  void setOwner(HWND owner) { owner_ = owner; }

 private:
  HWND owner_ = nullptr;
};

class ClockWin : public Clock {
 public:
  LocalDateTime now() override;
  std::chrono::milliseconds monotonic() override;
  void sleep(std::chrono::milliseconds duration) override;
};

class LocaleWin : public Locale {
 public:
  std::string shortDate(const CalendarDate& date) override;
  std::string shortDatePattern() override;
};

class FileSystemWin : public FileSystem {
 public:
  bool folderExists(const std::string& path) override;
  bool fileExists(const std::string& path) override;
  std::string systemFolder() override;
  std::string programFolder() override;
};

class ProgramWin : public Program {
 public:
  [[noreturn]] void end() override;
  void waitForEvents() override;
  std::string title() const override;
  void setTitle(const std::string& title) override;
  // Runs just before the process ends, e.g. to take the tray icon away.
  void atEnd(std::function<void()> action) { atEnd_.push_back(std::move(action)); }
  // The hidden window whose text is the program's title.
  void setApplicationWindow(HWND window) { application_ = window; }

 private:
  std::vector<std::function<void()>> atEnd_;
  HWND application_ = nullptr;
};

struct DesktopWin {
  WindowManagerWin windows;
  RegistryWin registry;
  ProcessesWin processes;
  MessageBoxesWin boxes;
  ClockWin clock;
  LocaleWin locale;
  FileSystemWin files;
  ProgramWin program;
  TimeZoneWin timeZone;
  WakeTimerWin wakeTimer;
  AlarmSoundWin alarmSound;
  RepeatDialogWin repeatDialog;
  AlarmsDialogWin alarmsDialog;
  // Every box the program shows is counted while it is open.
  Modality modality;
  TrackedBoxes trackedBoxes{boxes, modality};
  TrackedRepeatDialog trackedRepeatDialog{repeatDialog, modality};
  TrackedAlarmsDialog trackedAlarmsDialog{alarmsDialog, modality};
  Desktop desktop{windows,   registry,   processes,           trackedBoxes,       clock, locale,
                  files,     program,    timeZone,            wakeTimer,          alarmSound,
                  trackedRepeatDialog,   trackedAlarmsDialog};
};

}  // namespace morv::win32
