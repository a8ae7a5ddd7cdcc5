#include "mainwindow/form_events.h"

#include <array>

namespace morv {
namespace {

// Whatever an event did to the clock, the alarms of the list go on being counted.
struct CountAlarmsAfter {
  FrmMain& form;
  ~CountAlarmsAfter() { form.KeepAlarmsCounted(); }
};

constexpr std::array kTabOrder{FormControl::Calendar, FormControl::TimeBox, FormControl::Set,
                               FormControl::Reset,    FormControl::ToTray,  FormControl::Exit};

}  // namespace

FormEvents::FormEvents(Desktop& desktop, FrmMain& form, Modality& modality,
                       std::function<void()> closeLater)
    : desktop_(desktop), form_(form), modality_(modality), closeLater_(std::move(closeLater)) {
  // A close put off by a box comes back as a fresh request once the handler that opened
  // the box has finished, never in the middle of it.
  modality_.setOnAllClosed([this] {
    if (!closePending_ || !closeLater_) return;
    closePending_ = false;
    closeLater_();
  });
}

FormEvents::~FormEvents() { modality_.setOnAllClosed(nullptr); }

// While any box of ours is open nothing else may run: a command underneath it would
// act on a state the box is still deciding, or stack a second question.
void FormEvents::command(FormCommand command, CommandSource source) {
  const CountAlarmsAfter count{form_};
  if (modality_.boxOpen()) return;
  // A shortcut does nothing while its menu item is greyed, like a click on the item.
  if (source == CommandSource::Shortcut && !available(command)) return;
  const bool leavesBox = command == FormCommand::Set || command == FormCommand::Reset ||
                         command == FormCommand::SetAlarm;
  if (checkTypedTimeFirst(leavesBox)) return;
  run(command);
}

void FormEvents::dateClicked(const CalendarDate& date) {
  const CountAlarmsAfter count{form_};
  if (modality_.boxOpen() || checkTypedTimeFirst(false)) return;
  form_.MonthView_DateClick(date);
}

void FormEvents::trayClicked(int button) {
  if (modality_.boxOpen()) return;
  form_.SysTray_TrayClick(button);
}

// The clock stands still for the whole close query, whatever restarted its timer.
bool FormEvents::clockRuns() const {
  return form_.ui.MyTimer.enabled() && !form_.CloseQueryOpen();
}

void FormEvents::tick() {
  const CountAlarmsAfter count{form_};
  if (clockRuns()) form_.MyTimer_Timer();
}

// A ring ends on time and follows the player even under a box; the list's alarms are
// counted meanwhile only when no box stands the clock still.
void FormEvents::ringTimer() {
  const CountAlarmsAfter count{form_};
  form_.RingTimer_Timer(!modality_.boxOpen() && !form_.CloseQueryOpen());
}

// A wake while the clock stands is seen by its next tick, as a gap in its readings.
void FormEvents::resumed() {
  const CountAlarmsAfter count{form_};
  if (clockRuns()) form_.SystemResumed();
}

bool FormEvents::timeBoxClicked() {
  const CountAlarmsAfter count{form_};
  const bool wasLocked = form_.ui.txtTime.readOnly();
  form_.txtTime_Click();
  unchecked_ = true;
  return wasLocked;
}

// Tab moving the focus into the box counts as a click on it, or a keyboard user could
// never type a time.
bool FormEvents::focusEntersTimeBox(bool byTab) {
  const CountAlarmsAfter count{form_};
  timeBoxFocused_ = true;
  if (!byTab) return false;
  form_.txtTime_Click();
  unchecked_ = true;
  return true;
}

// Like a form's validation: only a move to another control of this window counts.
// Switching to another program, or to one of our own boxes, does not.
bool FormEvents::focusLeavesTimeBox(FormControl next) {
  timeBoxFocused_ = false;
  if (next == FormControl::None) return false;
  checkPending_ = true;
  return true;
}

void FormEvents::checkTypedTime() {
  const CountAlarmsAfter count{form_};
  checkTypedTimeFirst(false);
}

bool FormEvents::typedTimeAwaitsCheck() const { return checkPending_; }

// A command must never act on a time the user is still typing. An access key presses its
// button inside the key's own handling, before the check the leave posted could run; and
// after the window was left for another program the box may hold typed text that no
// leave ever checked. Commands that arm or clear check it first; the command that came
// with the check is dropped, as a mouse click that leaves the box is.
bool FormEvents::checkTypedTimeFirst(bool commandLeavesBox) {
  if (commandLeavesBox && unchecked_) checkPending_ = true;
  if (!checkPending_) return false;
  checkPending_ = false;
  bool cancel = false;
  form_.txtTime_Validate(cancel);
  if (cancel) {
    form_.ui.txtTime.setFocus();
  } else {
    unchecked_ = false;
  }
  return true;
}

void FormEvents::deactivated(FormControl focused) { lastFocused_ = focused; }

// As in a dialog: the control that had the focus gets it back.
FormControl FormEvents::activated() const {
  if (lastFocused_ == FormControl::None || enabled(lastFocused_)) return lastFocused_;
  return focusSuccessor(lastFocused_);
}

// The next control a Tab would reach; the keyboard must never be left on a dead control.
FormControl FormEvents::focusSuccessor(FormControl disabled) const {
  size_t at = 0;
  while (at < kTabOrder.size() && kTabOrder[at] != disabled) ++at;
  for (size_t step = 1; step < kTabOrder.size(); ++step) {
    const FormControl next = kTabOrder[(at + step) % kTabOrder.size()];
    if (next != disabled && enabled(next)) return next;
  }
  return FormControl::None;
}

bool FormEvents::enabled(FormControl control) const {
  const MainFormControls& ui = form_.ui;
  switch (control) {
    case FormControl::Calendar:
      return ui.MonthView.enabled();
    case FormControl::TimeBox:
      return ui.txtTime.enabled();
    case FormControl::Set:
      return ui.cmdSet.enabled();
    case FormControl::Reset:
      return ui.cmdReset.enabled();
    case FormControl::ToTray:
      return ui.cmdMin2Tray.enabled();
    case FormControl::Exit:
      return ui.cmdExit.enabled();
    case FormControl::None:
      break;
  }
  return false;
}

// Every close, whichever window got it, goes through the one close query, and there is
// never more than one: a request while it is open is answered by it. One that comes
// during another box waits for that box; a shutdown cannot wait, so it is refused for
// now and Windows lists the program as busy.
CloseOutcome FormEvents::closeRequested(CloseFrom from) {
  const CountAlarmsAfter count{form_};
  if (form_.CloseQueryOpen()) return CloseOutcome::Busy;
  if (modality_.boxOpen()) {
    if (from != CloseFrom::Shutdown) closePending_ = true;
    return CloseOutcome::Busy;
  }
  closePending_ = false;
  form_.RequestClose();  // an accepted close ends the program in here
  return CloseOutcome::Refused;
}

// Whatever the outcome, a close that returns has not ended the program: the session
// must not end under it.
bool FormEvents::sessionMayEnd() {
  closeRequested(CloseFrom::Shutdown);
  return false;
}

void FormEvents::sessionEnds() { form_.Form_SessionEnds(); }

// A second start brings this window back the way "&Show Morvane" does: a window in the
// tray comes out of it, never a shown window beside a tray icon.
void FormEvents::anotherStart() {
  if (modality_.boxOpen()) return;
  FormWindow& window = form_.ui.form;
  if (form_.ui.SysTray.iconVisible()) {
    form_.mnuShowApp_Click();
  } else if (window.visible()) {
    desktop_.windows.showWindow(window.handle(), ShowCommand::Restore);
  }
  if (window.visible()) desktop_.windows.setForegroundWindow(window.handle());
}

void FormEvents::timeChanged() {
  const CountAlarmsAfter count{form_};
  form_.TimeChanged();
}

bool FormEvents::available(FormCommand command) const {
  const MainFormControls& ui = form_.ui;
  switch (command) {
    case FormCommand::StartInSystemTray:
      return ui.mnuSettings.enabled() && ui.mnuStartInSystemTray.enabled();
    case FormCommand::LoadWinAmpOnStart:
      return ui.mnuSettings.enabled() && ui.mnuLoadWinAmpOnStart.enabled();
    case FormCommand::Repeat:
    case FormCommand::Alarms:
      return ui.mnuSettings.enabled();
    case FormCommand::Contents:
      return ui.mnuHelp.enabled() && ui.mnuContents.enabled();
    case FormCommand::About:
      return ui.mnuHelp.enabled() && ui.mnuAbout.enabled();
    default:
      return true;
  }
}

void FormEvents::run(FormCommand command) {
  switch (command) {
    case FormCommand::Set:
      return form_.cmdSet_Click();
    case FormCommand::Reset:
      return form_.cmdReset_Click();
    case FormCommand::ToTray:
      return form_.cmdMin2Tray_Click();
    case FormCommand::Exit:
      return form_.cmdExit_Click();
    case FormCommand::Ok:
      // Enter in the time box means the typing is done: leave it, which checks it.
      if (timeBoxFocused_) form_.ui.cmdSet.setFocus();
      return;
    case FormCommand::StartInSystemTray:
      return form_.mnuStartInSystemTray_Click();
    case FormCommand::LoadWinAmpOnStart:
      return form_.mnuLoadWinAmpOnStart_Click();
    case FormCommand::Repeat:
      return form_.mnuRepeat_Click();
    case FormCommand::Alarms:
      return form_.mnuAlarms_Click();
    case FormCommand::AlarmSound:
      return form_.mnuAlarmSound_Click();
    case FormCommand::SnoozeOff:
      return form_.mnuSnoozeComesBack_Click(0);
    case FormCommand::Snooze5:
      return form_.mnuSnoozeComesBack_Click(5);
    case FormCommand::Snooze9:
      return form_.mnuSnoozeComesBack_Click(9);
    case FormCommand::Snooze10:
      return form_.mnuSnoozeComesBack_Click(10);
    case FormCommand::Snooze15:
      return form_.mnuSnoozeComesBack_Click(15);
    case FormCommand::Contents:
      return form_.mnuContents_Click();
    case FormCommand::About:
      return form_.mnuAbout_Click();
    case FormCommand::ShowApp:
      return form_.mnuShowApp_Click();
    case FormCommand::StartWinAmp:
      return form_.mnuStartWinAmp_Click();
    case FormCommand::CloseWinAmp:
      return form_.mnuCloseWinAmp_Click();
    case FormCommand::SetAlarm:
      return form_.mnuSetAlarm_Click();
    case FormCommand::EndSnooze:
      return form_.mnuEndSnooze_Click();
    case FormCommand::PopUpHelp:
      return form_.mnuPopUpHelp_Click();
    case FormCommand::ExitProgram:
      return form_.mnuExit_Click();
  }
}

}  // namespace morv
