#pragma once
// The main window: its state and the handlers of its controls. The handlers are
// defined in the folders of the subsystems they belong to.
#include <string>

#include "alarm/alarm_record.h"
#include "alarm/alarm_state.h"
#include "mainwindow/main_form_controls.h"
#include "platform/desktop.h"
#include "settings/settings_store.h"
#include "startup/close_query_state.h"

namespace morv {

inline constexpr char kInTray[] = "In Tray";

class FrmMain {
 public:
  FrmMain(Desktop& desktop, MainFormControls& controls);
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  // mainwindow/form_load.cpp
  void Form_Load();

  // alarm/alarm_entry.cpp
  void MonthView_DateClick(const CalendarDate& date);
  void txtTime_Click();
  // Focus is leaving the time box; `cancel` set keeps it there.
  void txtTime_Validate(bool& cancel);

  // alarm/arming.cpp
  void cmdSet_Click();
  void mnuSetAlarm_Click();
  void cmdReset_Click();

  // alarm/repeat.cpp
  void mnuRepeat_Click();

  // alarm/alarm_list.cpp
  void mnuAlarms_Click();
  // alarm/alarm_sound_choice.cpp
  void mnuAlarmSound_Click();

  // alarm/snooze.cpp
  void mnuSnoozeComesBack_Click(int minutes);
  void mnuEndSnooze_Click();

  // alarm/clock_tick.cpp
  void MyTimer_Timer();
  // Windows has resumed from sleep (it may say so twice for one wake).
  void SystemResumed();

  // alarm/ring.cpp
  void RingTimer_Timer(bool countAlarms = true);
  void KeepAlarmsCounted();

  // alarm/alarm_due.cpp
  // The system clock or the time zone changed.
  void TimeChanged();

  // alarm/missed_alarm.cpp
  // Tells the user the alarm's minute went by while the computer was asleep.
  void AlarmMissed(const Alarm& missed);

  // mainwindow/start_in_tray.cpp
  void mnuStartInSystemTray_Click();

  // mainwindow/tray.cpp
  void cmdMin2Tray_Click();
  void SysTray_TrayClick(int button);
  void mnuShowApp_Click();
  void mnuPopUpHelp_Click();

  // winamp/winamp_commands.cpp
  void mnuStartWinAmp_Click();
  void mnuCloseWinAmp_Click();
  void mnuLoadWinAmpOnStart_Click();

  // help/help_commands.cpp
  void mnuContents_Click();
  void mnuAbout_Click();

  // startup/close_query.cpp
  void cmdExit_Click();
  void mnuExit_Click();
  void Form_QueryUnload(bool& cancel);
  // Windows ends the session, whatever the close query's questions were answered.
  void Form_SessionEnds();
  // Asks for the window to be closed, with the questions of the close. Returns only
  // when the close was refused: an accepted close ends the program inside the call.
  void RequestClose();
  bool CloseQueryOpen() const { return closeQuery_.open; }

  MainFormControls& ui;
  AlarmRecord alarm;
  // The day the window loaded; the calendar returns to it.
  CalendarDate StartupDate;
  // "In Tray" while the load sent the window to the tray, until the start-up has seen it.
  std::string Tag;
  // The status text the load leaves for the start-up to show (cmdMin2Tray's Tag).
  std::string StartupStatusText;

 private:
  void SetStatus(const std::string& text) { ui.StatusBar1.setText(text); }
  // alarm/clock_tick.cpp
  void Tick();
  void AimTickAtNextSecond();
  // `withFirst` false: the main window's alarm waits for its clock.
  void SettleDueAlarms(const LocalDateTime& now, bool withFirst = true);
  // alarm/ring.cpp
  // Rings the alarms: Play, full volume and the banner, or the own sound.
  void RingAlarm(const std::vector<int>& alarms);
  void ShowRinging();
  void StartOwnSound(const char* why);
  void StopOwnSound();
  void EndRingByItself();
  std::vector<int> EndRingByUser();
  std::vector<Alarm*> RingingAlarms();
  // alarm/alarm_due.cpp
  // The main window's alarm first, then the list's.
  std::vector<Alarm*> Alarms();
  void UpdateDue();
  void UpdateNextDue();
  void ScheduleAlarmWake();
  // alarm/alarm_list.cpp
  void MoveOn(Alarm& alarm);
  // An alarm of the list whose minute is over: on to its next day, or off.
  void ListAlarmDone(Alarm& alarm);
  bool AnyListAlarmOn() const;
  std::string NextAlarmText();
  // "Tue 12/8/2026 6:30 AM, Work"; without the weekday: "12/8/2026 6:30 AM, Work".
  std::string WhenText(const Alarm& alarm, bool weekday, bool label = true);
  // Works out what a change to the list means, and keeps it.
  void ListChanged();
  class AlarmList;
  // The tray's tooltip tells of the next alarm while the list holds any.
  void ShowNextAlarm();
  void LoadListAlarms();
  void SaveListAlarms();
  // alarm/snooze.cpp
  // A ring the user snoozes comes back when the option is on.
  bool SnoozeComesBack() const;
  void SnoozeRing(bool closePlayer);
  void LoadSnooze();
  // alarm/alarm_sound_choice.cpp
  void LoadAlarmSound();
  // alarm/arming.cpp, alarm/repeat.cpp
  void StopAlarm();
  void StopPlayerForSnooze();
  void KeepPlayerForList();
  void ShowFirstAlarmAsItStands();
  bool ComesRoundAgain();
  void ArmAlarm(bool flipStartInTray);
  void StartAlarmPlayer(bool arming);
  // Tells the user when this computer will not wake itself for an alarm turned on.
  void WarnIfNoWake();
  void LoadRepeat();
  bool MoveToNextRepeatDay();
  std::string ArmedToolTip();

  Desktop& desktop_;
  SettingsStore RegistryDB;
  AlarmState alarmState_;
  CloseQueryState closeQuery_;
};

}  // namespace morv
