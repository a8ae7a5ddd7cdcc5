// The alarm that rings again on the weekdays the user picks.
#include "alarm/alarm_texts.h"
#include "alarm/repeat_days.h"
#include "alarm/wake_schedule.h"
#include "mainwindow/frm_main.h"
#include "settings/registry_error_box.h"
#include "winamp/winamp_program.h"

namespace morv {

void FrmMain::mnuRepeat_Click() {
  const auto chosen = desktop_.repeatDialog.show(alarmState_.first.repeat);
  if (!chosen) return;
  alarmState_.first.repeat = *chosen;
  if (!RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kRepeatDays,
                               RepeatDaysText(*chosen))) {
    ShowRegistryErrorBox(desktop_.boxes);
  }
  if (alarm.ArmedMark == kArmed) ui.cmdSet.setToolTip(ArmedToolTip());
}

std::string FrmMain::ArmedToolTip() {
  std::string tip = texts::kTipTurnOff;
  const Weekdays days = alarmState_.first.repeat;
  if (days.any()) tip += "  Repeats " + RepeatDaysWords(days) + ".";
  if (const auto warning = WakeWarning(desktop_.wakeTimer.support())) tip += "  " + *warning;
  return tip;
}

// The load's part: the days are read whatever else was saved, and a saved alarm that
// repeats comes back armed for its next morning, not merely set.
void FrmMain::LoadRepeat() {
  Alarm& first = alarmState_.first;
  first.repeat = ReadRepeatDays(
      RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kRepeatDays));
  if (!first.date || !first.time || first.repeat.none()) return;
  first.date = NextRepeatDay(desktop_.clock.now(), first.repeat, *first.time);
  UpdateDue();
  alarm.AlarmDate = desktop_.locale.shortDate(*first.date);
  ui.lblDate.setCaption(alarm.AlarmDate);
  ArmAlarm(false);
  ui.MonthView.setDate(*first.date);
  ui.SysTray.setIconIndex(texts::kIconActivated);
  StartupStatusText = texts::Armed(alarm.AlarmDate, alarm.AlarmTime);
}

// Keeps a repeating alarm armed past the morning it rang or missed, for the next of its
// days at the same time. False, with nothing changed, for an alarm that does not repeat.
bool FrmMain::MoveToNextRepeatDay() {
  Alarm& first = alarmState_.first;
  if (!first.armed || !first.time || first.repeat.none()) return false;
  first.date = NextRepeatDay(desktop_.clock.now(), first.repeat, *first.time);
  UpdateDue();
  alarm.AlarmDate = desktop_.locale.shortDate(*first.date);
  alarm.ArmedMark = kArmed;
  alarm.FiredMark.clear();
  alarm.PlayingMark.clear();
  ui.mnuCloseWinAmp.setCaption(texts::kCloseWinAmp);
  ui.lblDate.setCaption(alarm.AlarmDate);
  ui.MonthView.setDate(*first.date);
  ui.MonthView.setEnabled(false);
  ui.txtTime.setEnabled(false);
  ui.cmdReset.setEnabled(false);
  ui.mnuStartInSystemTray.setEnabled(false);
  ui.mnuSetAlarm.setEnabled(false);
  ui.cmdSet.setCaption(texts::kTurnOff);
  ui.cmdSet.setToolTip(ArmedToolTip());
  ui.SysTray.setIconIndex(texts::kIconActivated);
  SetStatus(texts::Armed(alarm.AlarmDate, alarm.AlarmTime));
  ui.MyTimer.setEnabled(true);
  // A snooze closed the player: the next morning needs one, started as arming does.
  const WindowHandle player = desktop_.windows.findWindow(winamp::kWindowClass);
  if (player == 0) {
    StartAlarmPlayer(false);
  } else {
    alarm.PlayerHandle = std::to_string(player);
  }
  ScheduleAlarmWake();
  return true;
}

}  // namespace morv
