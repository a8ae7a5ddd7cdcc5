#pragma once
// What the main window does with what happens to it: the window layer reports each
// event here and carries out the answer, and every choice is made in this one place.
#include <functional>
#include <optional>

#include "mainwindow/frm_main.h"
#include "mainwindow/modal_scope.h"
#include "mainwindow/tray_click.h"

namespace morv {

// The controls that can hold the focus, in Tab order.
enum class FormControl { None, Calendar, TimeBox, Set, Reset, ToTray, Exit };

enum class FormCommand {
  Set,
  Reset,
  ToTray,
  Exit,
  Ok,  // Enter pressed
  StartInSystemTray,
  LoadWinAmpOnStart,
  Repeat,
  Alarms,
  AlarmSound,
  SnoozeOff,
  Snooze5,
  Snooze9,
  Snooze10,
  Snooze15,
  Contents,
  About,
  ShowApp,
  StartWinAmp,
  CloseWinAmp,
  SetAlarm,
  EndSnooze,
  PopUpHelp,
  ExitProgram,
};

enum class CommandSource { Button, Shortcut, Menu };

// Who asked for the window to close.
enum class CloseFrom { MainWindow, ApplicationWindow, Shutdown };

// A close that did not end the program: refused by the user, or put off because a box
// was open (Windows then lists the program as busy).
enum class CloseOutcome { Refused, Busy };

class FormEvents {
 public:
  // `closeLater` asks the window to be closed again once the handler now running is done.
  FormEvents(Desktop& desktop, FrmMain& form, Modality& modality, std::function<void()> closeLater);
  ~FormEvents();
  FormEvents(const FormEvents&) = delete;
  FormEvents& operator=(const FormEvents&) = delete;

  // Commands, wherever they came from. Returns after the command ran or was refused.
  void command(FormCommand command, CommandSource source);
  void dateClicked(const CalendarDate& date);
  void trayClicked(int button);
  void tick();
  void ringTimer();
  // Windows has resumed from sleep.
  void resumed();

  // The time box. Both return true when the box's whole text should be selected, so
  // typing replaces the clock's.
  bool timeBoxClicked();
  bool focusEntersTimeBox(bool byTab);
  // The focus leaves the box for `next` (None: another program, or a box of ours).
  // True when a check of the typed time is owed: the window runs checkTypedTime() once the
  // focus has settled.
  bool focusLeavesTimeBox(FormControl next);
  bool typedTimeAwaitsCheck() const;
  void checkTypedTime();

  // Activation: the control holding the focus when the window was left gets it back.
  void deactivated(FormControl focused);
  FormControl activated() const;
  // The control to take the focus when the focused one is about to be disabled.
  FormControl focusSuccessor(FormControl disabled) const;

  CloseOutcome closeRequested(CloseFrom from);
  // Windows asks whether the session may end; the answer to give it.
  bool sessionMayEnd();
  // Windows ends the session after all.
  void sessionEnds();
  // Another start of the program found this one.
  void anotherStart();
  // The system clock or the time zone changed.
  void timeChanged();

 private:
  bool available(FormCommand command) const;
  // The clock stands still while its timer is off and for the whole close query.
  bool clockRuns() const;
  bool enabled(FormControl control) const;
  // Runs the check a command owes before it may act; true when it ran (the command is
  // then dropped, as a click that left the box is).
  bool checkTypedTimeFirst(bool commandLeavesBox);
  void run(FormCommand command);

  Desktop& desktop_;
  FrmMain& form_;
  Modality& modality_;
  std::function<void()> closeLater_;
  bool timeBoxFocused_ = false;
  // The box holds text typed since it was entered that no check has looked at.
  bool unchecked_ = false;
  bool checkPending_ = false;
  FormControl lastFocused_ = FormControl::None;
  // A close asked for while another box was open: put to the user once it closes.
  bool closePending_ = false;
};

}  // namespace morv
