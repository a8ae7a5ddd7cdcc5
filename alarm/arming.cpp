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
  StopOwnSound();  // every press ends the ringing: Snooze, Turn Off, or arming after a ring

  if (!alarm.PlayerHandle.empty()) {  // stop: the alarm's player is turned down and closed
    const bool rang = !alarm.FiredMark.empty();
    alarm.PlayerHandle.clear();
    CancelWake(desktop_);
    WinampSetVolume(desktop_, winamp::kSnoozeVolume, winamp::kWindowClass);
    WinampClose(desktop_, winamp::kWindowClass);
    SetStatus(texts::Disarmed(alarm.AlarmDate, alarm.AlarmTime));
    ui.cmdSet.setCaption(texts::kTurnOn);
    ui.cmdReset.setEnabled(true);
    ui.mnuSetAlarm.setEnabled(true);
    alarm.FiredMark.clear();
    ui.mnuStartInSystemTray.setEnabled(true);
    ui.MonthView.setEnabled(true);
    ui.txtTime.setEnabled(true);
    if (rang) MoveToNextRepeatDay();
    return;
  }

  if (alarm.ArmedMark.empty()) {  // arm
    if (alarm.AlarmDate.empty() || alarm.AlarmTime.empty()) {
      desktop_.boxes.show({"Alarm Not Set!", "You Must Set The Alarm Before You Can Activate It!",
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
  CancelWake(desktop_);
  ui.cmdSet.setCaption(texts::kTurnOn);
  ui.mnuStartInSystemTray.setEnabled(true);
  mnuStartInSystemTray_Click();
  SetStatus(texts::Disarmed(alarm.AlarmDate, alarm.AlarmTime));
  ui.cmdSet.setToolTip(texts::kTipAccept);
  ui.MyTimer.setEnabled(true);
  ui.SysTray.setIconIndex(texts::kIconSet);
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
  ui.mnuStartInSystemTray.setEnabled(false);
  ui.cmdSet.setCaption(texts::kTurnOff);
  ui.MyTimer.setEnabled(true);
  ui.mnuSetAlarm.setEnabled(false);
  if (flipStartInTray) mnuStartInSystemTray_Click();
  SetStatus(texts::Armed(alarm.AlarmDate, alarm.AlarmTime));
  ui.cmdSet.setToolTip(ArmedToolTip());
  ui.SysTray.setIconIndex(texts::kIconNoAlarm);
  StartAlarmPlayer();
  ScheduleWake(desktop_, alarm);
}

// Starts the player the alarm will ring on and hides it once it is up.
void FrmMain::StartAlarmPlayer() {
  if (desktop_.processes.startProgram(winamp::kProgramPath, WindowStyle::MinimizedFocus) !=
      StartResult::Started) {
    desktop_.boxes.show({kAppTitle,
                         "WinAmp Could Not Be Loaded, And Therefore The Alarm Could Not Execute!",
                         MbIcon::Critical, MbButtons::Ok});
    RequestClose();
    desktop_.program.end();
  }
  desktop_.clock.sleep(5000ms);
  const WindowHandle player = desktop_.windows.findWindow(winamp::kWindowClass);
  desktop_.windows.showWindow(player, ShowCommand::Hide);
  alarm.PlayerHandle = std::to_string(player);
}

void FrmMain::mnuSetAlarm_Click() { cmdSet_Click(); }

void FrmMain::cmdReset_Click() {
  StopOwnSound();
  ui.lblDate.setCaption("");
  alarm.AlarmDate.clear();
  ui.txtTime.setText("");
  alarm.AlarmTime.clear();
  CancelWake(desktop_);
  SetStatus(texts::kReady);
  ui.SysTray.setIconIndex(texts::kIconNoAlarm);
  ui.SysTray.setToolTipText(texts::kTrayNotSet);
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
