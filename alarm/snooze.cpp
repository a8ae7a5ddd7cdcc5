// A snooze that comes back: the player is stopped as by Snooze, and the alarm rings again
// after the minutes the user chose, as often as it is snoozed, until it is turned off.
#include <algorithm>
#include <chrono>
#include <iterator>

#include "alarm/alarm_texts.h"
#include "alarm/alarm_time.h"
#include "mainwindow/frm_main.h"
#include "settings/registry_error_box.h"
#include "winamp/winamp_program.h"

namespace morv {
namespace {

constexpr int kChoices[] = {0, 5, 9, 10, 15};

// The menu's items, in the order of kChoices.
void CheckChoice(MainFormControls& ui, int minutes) {
  MenuItem* items[] = {&ui.mnuSnoozeOff, &ui.mnuSnooze5, &ui.mnuSnooze9, &ui.mnuSnooze10,
                       &ui.mnuSnooze15};
  for (size_t i = 0; i < std::size(kChoices); ++i) items[i]->setChecked(kChoices[i] == minutes);
}

}  // namespace

void FrmMain::LoadSnooze() {
  const auto stored =
      RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kSnoozeMinutes);
  int minutes = 0;
  for (const int choice : kChoices) {
    if (stored == std::to_string(choice)) minutes = choice;
  }
  alarmState_.snoozeMinutes = minutes;
  CheckChoice(ui, minutes);
}

void FrmMain::mnuSnoozeComesBack_Click(int minutes) {
  alarmState_.snoozeMinutes = minutes;
  CheckChoice(ui, minutes);
  if (!RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash,
                               settings::kSnoozeMinutes, std::to_string(minutes))) {
    ShowRegistryErrorBox(desktop_.boxes);
  }
}

bool FrmMain::SnoozeComesBack() const {
  const RingPhase phase = alarmState_.ring.phase;
  return alarmState_.snoozeMinutes > 0 &&
         (phase == RingPhase::Ringing || phase == RingPhase::RungOut);
}

void FrmMain::SnoozeRing(bool closePlayer) {
  Ring& ring = alarmState_.ring;
  StopOwnSound();
  ui.RingTimer.setEnabled(false);
  const LocalDateTime now = desktop_.clock.now();
  ring.phase = RingPhase::Snoozed;
  ring.snoozed = true;
  ring.until = FromTimePoint(ToTimePoint(now) + std::chrono::minutes{alarmState_.snoozeMinutes});
  if (closePlayer) StopPlayerForSnooze();
  alarm.PlayingMark.clear();
  alarm.FiredMark.clear();
  ui.mnuCloseWinAmp.setCaption(texts::kCloseWinAmp);
  ui.cmdSet.setCaption(texts::kTurnOff);
  ui.mnuEndSnooze.setVisible(true);
  // The next ring needs a player: the main window's alarm starts it as arming does, the
  // list's alarms have the clock's tick bring it back.
  const bool firstRang = std::ranges::count(ring.alarms, 0) > 0;
  if (firstRang && !alarm.PlayerHandle.empty() &&
      desktop_.windows.findWindow(winamp::kWindowClass) == 0) {
    StartAlarmPlayer(false);
  }
  const std::string state = firstRang && !alarm.AlarmDate.empty()
                                ? texts::Armed(alarm.AlarmDate, alarm.AlarmTime)
                                : NextAlarmText();
  SetStatus(state + "  Snoozed until " + AlarmTimeText({ring.until->hour, ring.until->minute}) +
            ".");
  UpdateNextDue();
  ScheduleAlarmWake();
  ui.MyTimer.setEnabled(true);
}

void FrmMain::mnuEndSnooze_Click() {
  ui.MyTimer.setEnabled(false);
  StopAlarm();
}

}  // namespace morv
