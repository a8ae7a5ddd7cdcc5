#include <algorithm>
#include <chrono>

#include "alarm/alarm_texts.h"
#include "alarm/wake_schedule.h"
#include "mainwindow/frm_main.h"
#include "startup/app_title.h"
#include "winamp/winamp_access.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

using namespace std::chrono_literals;

}  // namespace

void FrmMain::cmdSet_Click() {
  ui.MyTimer.setEnabled(false);
  if (SnoozeComesBack()) return SnoozeRing(true);
  StopAlarm();
}

// The press of the Parts' arm button, but for a snooze that comes back.
void FrmMain::StopAlarm() {
  // Every press answers a ring: Snooze, Turn Off, or arming after a ring.
  const std::vector<int> rang = EndRingByUser();
  const bool firstRang = std::ranges::count(rang, 0) > 0;
  if (!rang.empty() && !firstRang) {  // only alarms of the list rang: Snooze silences them
    StopPlayerForSnooze();
    ShowFirstAlarmAsItStands();
    ui.MyTimer.setEnabled(true);
    return;
  }

  if (!alarm.PlayerHandle.empty()) {  // stop: the alarm's player is turned down and closed
    alarm.PlayerHandle.clear();
    ScheduleAlarmWake();
    StopPlayerForSnooze();
    SetStatus(texts::Disarmed(alarm.AlarmDate, alarm.AlarmTime));
    ui.cmdSet.setCaption(texts::kTurnOn);
    ui.cmdReset.setEnabled(true);
    ui.mnuSetAlarm.setEnabled(true);
    alarm.FiredMark.clear();
    ui.mnuStartInSystemTray.setEnabled(true);
    ui.MonthView.setEnabled(true);
    ui.txtTime.setEnabled(true);
    if (firstRang) MoveToNextRepeatDay();
    KeepPlayerForList();
    return;
  }

  if (alarm.ArmedMark.empty()) {  // arm
    if (alarm.AlarmDate.empty() || alarm.AlarmTime.empty()) {
      desktop_.boxes.show({"Alarm Not Set!", "You Must Set The Alarm Before You Can Activate It!",
                           MbIcon::Exclamation, MbButtons::Ok});
      return;
    }
    if (!ComesRoundAgain()) {
      desktop_.boxes.show({"Alarm Time Has Passed!",
                           "The alarm's date and time have passed already. Choose a later date "
                           "or time, or days for it to repeat on.",
                           MbIcon::Exclamation, MbButtons::Ok});
      return;
    }
    ArmAlarm(true);
    return;
  }

  // disarm: armed, but the player it started is gone
  ui.txtTime.setText(alarm.AlarmTime);
  ui.txtTime.setEnabled(true);
  ui.MonthView.setEnabled(true);
  ui.cmdReset.setEnabled(true);
  alarm.ArmedMark.clear();
  alarmState_.first.armed = false;
  ScheduleAlarmWake();
  ui.cmdSet.setCaption(texts::kTurnOn);
  ui.mnuStartInSystemTray.setEnabled(true);
  mnuStartInSystemTray_Click();
  SetStatus(texts::Disarmed(alarm.AlarmDate, alarm.AlarmTime));
  ui.cmdSet.setToolTip(texts::kTipAccept);
  ui.MyTimer.setEnabled(true);
  ui.SysTray.setIconIndex(texts::kIconSet);
}

// An alarm whose one minute has gone by would show as on and never ring. One that
// repeats is moved on to its next day instead; one still in its minute rings at once.
bool FrmMain::ComesRoundAgain() {
  Alarm& first = alarmState_.first;
  const LocalDateTime now = desktop_.clock.now();
  if (!first.due || ToTimePoint(now) < ToTimePoint(*first.due) + std::chrono::minutes{1}) {
    return true;
  }
  if (first.repeat.none() || !first.time) return false;
  first.date = NextRepeatDay(now, first.repeat, *first.time);
  UpdateDue();
  alarm.AlarmDate = desktop_.locale.shortDate(*first.date);
  ui.lblDate.setCaption(alarm.AlarmDate);
  ui.MonthView.setDate(*first.date);
  return true;
}

// The arm path. The load arms a repeating alarm again without flipping the start-in-tray
// option: it still holds what the arming in the run that saved the alarm gave it, and
// a flip would take start-with-Windows away from the very user who relies on it.
void FrmMain::ArmAlarm(bool flipStartInTray) {
  ui.txtTime.setText(alarm.AlarmTime);
  ui.txtTime.setEnabled(false);
  ui.MonthView.setEnabled(false);
  ui.cmdReset.setEnabled(false);
  alarm.ArmedMark = kArmed;
  alarmState_.first.armed = true;
  ui.mnuStartInSystemTray.setEnabled(false);
  ui.cmdSet.setCaption(texts::kTurnOff);
  ui.MyTimer.setEnabled(true);
  ui.mnuSetAlarm.setEnabled(false);
  if (flipStartInTray) mnuStartInSystemTray_Click();
  SetStatus(texts::Armed(alarm.AlarmDate, alarm.AlarmTime));
  ui.cmdSet.setToolTip(ArmedToolTip());
  ui.SysTray.setIconIndex(texts::kIconNoAlarm);
  StartAlarmPlayer(true);
  ScheduleAlarmWake();
  WarnIfNoWake();
}

// Said at every arming: the user may have changed the power plan, or unplugged the laptop.
void FrmMain::WarnIfNoWake() {
  if (const auto warning = WakeWarning(desktop_.wakeTimer.support())) {
    ui.SysTray.notify("Morvane", *warning);
  }
}

// Starts the player the alarm will ring on and hides it once it is up. When it will not
// start, arming gives up and ends the program; a repeating alarm going on to its next
// morning says so and stays armed, its own sound standing in for the player.
void FrmMain::StartAlarmPlayer(bool arming) {
  if (desktop_.processes.startProgram(winamp::kProgramPath, WindowStyle::MinimizedFocus) !=
      StartResult::Started) {
    desktop_.boxes.show({kAppTitle,
                         "WinAmp Could Not Be Loaded, And Therefore The Alarm Could Not Execute!",
                         MbIcon::Critical, MbButtons::Ok});
    if (!arming) {
      alarm.PlayerHandle = "0";
      return;
    }
    RequestClose();
    desktop_.program.end();
  }
  desktop_.clock.sleep(5000ms);
  const WindowHandle player = desktop_.windows.findWindow(winamp::kWindowClass);
  desktop_.windows.showWindow(player, ShowCommand::Hide);
  alarm.PlayerHandle = std::to_string(player);
}

void FrmMain::mnuSetAlarm_Click() { cmdSet_Click(); }

// The player is kept while an alarm of the list is on: one the stop path closed is started
// again and hidden, as arming starts it; the clock, standing now, would not bring it back.
void FrmMain::KeepPlayerForList() {
  if (!AnyListAlarmOn() || desktop_.windows.findWindow(winamp::kWindowClass) != 0) return;
  if (desktop_.processes.startProgram(winamp::kProgramPath, WindowStyle::MinimizedFocus) !=
      StartResult::Started) {
    return;  // the list's alarm rings Morvane's own sound
  }
  desktop_.clock.sleep(5000ms);
  desktop_.windows.showWindow(desktop_.windows.findWindow(winamp::kWindowClass), ShowCommand::Hide);
}

// Snooze turns the player down and closes it, as the stop path always has.
void FrmMain::StopPlayerForSnooze() {
  WinampSetVolume(desktop_, winamp::kSnoozeVolume, winamp::kWindowClass);
  WinampClose(desktop_, winamp::kWindowClass);
}

// After a ring that was not the main window's alarm's: the window shows that alarm again.
void FrmMain::ShowFirstAlarmAsItStands() {
  alarm.PlayingMark.clear();
  alarm.FiredMark.clear();
  ui.mnuCloseWinAmp.setCaption(texts::kCloseWinAmp);
  const bool armed = !alarm.ArmedMark.empty() && !alarm.PlayerHandle.empty();
  ui.cmdSet.setCaption(armed ? texts::kTurnOff : texts::kTurnOn);
  SetStatus(armed ? texts::Armed(alarm.AlarmDate, alarm.AlarmTime) : NextAlarmText());
  ShowNextAlarm();
}

void FrmMain::cmdReset_Click() {
  EndRingByUser();
  ui.lblDate.setCaption("");
  alarm.AlarmDate.clear();
  ui.txtTime.setText("");
  alarm.AlarmTime.clear();
  alarmState_.first.date.reset();
  alarmState_.first.time.reset();
  UpdateDue();
  ScheduleAlarmWake();
  SetStatus(texts::kReady);
  ui.SysTray.setIconIndex(texts::kIconNoAlarm);
  ui.SysTray.setToolTipText(texts::kTrayNotSet);
  ShowNextAlarm();
  ui.cmdReset.setEnabled(false);
  ui.mnuStartInSystemTray.setEnabled(true);
  ui.MonthView.setDate(StartupDate);
  ui.cmdSet.setFocus();
  // So the next start does not bring the cleared alarm back; the old date and time
  // stay stored but idle.
  if (IsYes(RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash,
                                   settings::kSettingsSaved))) {
    RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kSettingsSaved,
                            settings::kNo);
  }
}

}  // namespace morv
