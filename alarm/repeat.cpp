// The alarm that rings again on the weekdays the user picks.
#include <chrono>

#include "alarm/alarm_texts.h"
#include "alarm/repeat_days.h"
#include "alarm/wake_schedule.h"
#include "mainwindow/frm_main.h"
#include "settings/registry_error_box.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

// A late wake may still ring an alarm this long after its minute; after it, the morning
// is lost and the alarm goes on to the next one.
constexpr auto kLateWakeWindow = std::chrono::minutes(10);

}  // namespace

void FrmMain::mnuRepeat_Click() {
  const auto chosen = desktop_.repeatDialog.show(repeat_.days);
  if (!chosen) return;
  repeat_.days = *chosen;
  if (!RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kRepeatDays,
                               RepeatDaysText(repeat_.days))) {
    ShowRegistryErrorBox(desktop_.boxes);
  }
  if (alarm.ArmedMark == kArmed) ui.cmdSet.setToolTip(ArmedToolTip());
}

std::string FrmMain::ArmedToolTip() const {
  if (repeat_.days.none()) return texts::kTipTurnOff;
  return std::string(texts::kTipTurnOff) + "  Repeats " + RepeatDaysWords(repeat_.days) + ".";
}

// The load's part: the days are read whatever else was saved, and a saved alarm that
// repeats comes back armed for its next morning, not merely set.
void FrmMain::LoadRepeat() {
  repeat_.days = ReadRepeatDays(
      RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kRepeatDays));
  if (alarm.AlarmDate.empty() || alarm.AlarmTime.empty()) return;
  const auto next = NextRepeatMinute(desktop_.clock.now(), repeat_.days, alarm.AlarmTime);
  if (!next) return;
  alarm.AlarmDate = desktop_.locale.shortDate(next->date);
  ui.lblDate.setCaption(alarm.AlarmDate);
  ArmAlarm(false);
  ui.MonthView.setDate(next->date);
  ui.SysTray.setIconIndex(texts::kIconActivated);
  StartupStatusText = texts::Armed(alarm.AlarmDate, alarm.AlarmTime);
}

// Keeps a repeating alarm armed past the morning it rang or missed, for the next of its
// days at the same time. False, with nothing changed, for an alarm that does not repeat.
bool FrmMain::MoveToNextRepeatDay() {
  if (alarm.ArmedMark != kArmed) return false;
  const auto next = NextRepeatMinute(desktop_.clock.now(), repeat_.days, alarm.AlarmTime);
  if (!next) return false;
  alarm.AlarmDate = desktop_.locale.shortDate(next->date);
  repeat_.minuteOf = alarm.AlarmDate + " " + alarm.AlarmTime;
  repeat_.minute = next;
  alarm.FiredMark.clear();
  alarm.PlayingMark.clear();
  ui.mnuCloseWinAmp.setCaption(texts::kCloseWinAmp);
  ui.lblDate.setCaption(alarm.AlarmDate);
  ui.MonthView.setDate(next->date);
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
  // The snooze closed the player: the next morning needs one, started as arming does.
  const WindowHandle player = desktop_.windows.findWindow(winamp::kWindowClass);
  if (player == 0) {
    StartAlarmPlayer();
  } else {
    alarm.PlayerHandle = std::to_string(player);
  }
  ScheduleWake(desktop_, alarm);
  return true;
}

// An armed alarm whose minute went by without ringing: the computer was off or asleep.
// A repeating one moves on to its next morning, and the notice of the missed one stays
// in the status panel, where the user looks first; the date shows the new morning.
bool FrmMain::MoveOnPastMissedMinute(const LocalDateTime& now) {
  if (alarm.ArmedMark != kArmed || alarm.PlayerHandle.empty() || !alarm.FiredMark.empty()) {
    return false;
  }
  const std::string minuteOf = alarm.AlarmDate + " " + alarm.AlarmTime;
  if (minuteOf != repeat_.minuteOf) {
    repeat_.minuteOf = minuteOf;
    repeat_.minute = AlarmMinuteStart(desktop_.locale, now.date, alarm.AlarmDate, alarm.AlarmTime);
  }
  if (repeat_.days.none() || !repeat_.minute ||
      ToTimePoint(now) < ToTimePoint(*repeat_.minute) + kLateWakeWindow) {
    return false;
  }
  AlarmMissed();
  const std::string notice = ui.StatusBar1.text();
  if (!MoveToNextRepeatDay()) return false;
  SetStatus(notice);
  return true;
}

}  // namespace morv
