// What the main window's alarm wakes the user with: a music file for the player and a
// gentle rise of its volume. Both stay out of the registry until the user chooses them.
#include <string>

#include "mainwindow/frm_main.h"
#include "settings/registry_error_box.h"

namespace morv {

void FrmMain::mnuAlarmSound_Click() {
  Alarm& first = alarmState_.first;
  AlarmEdit current;
  current.date = first.date.value_or(desktop_.clock.now().date);
  current.hour = first.time ? first.time->hour : 7;
  current.minute = first.time ? first.time->minute : 0;
  current.days = first.repeat;
  current.music = first.music;
  current.riseSeconds = first.riseSeconds;
  const auto chosen = desktop_.alarmsDialog.edit("Alarm Sound", current, AlarmEditFields::SoundOnly,
                                                 [](const AlarmEdit&) { return true; });
  if (!chosen) return;
  first.music = chosen->music;
  first.riseSeconds = chosen->riseSeconds;
  for (const auto& [name, text] : {std::pair{settings::kAlarmMusic, first.music},
                                   std::pair{settings::kAlarmRise,
                                             std::to_string(first.riseSeconds)}}) {
    if (!RegistryDB.WriteSetting(Hive::LocalMachine, settings::kKeyWithSlash, name, text)) {
      ShowRegistryErrorBox(desktop_.boxes);
      return;
    }
  }
}

void FrmMain::LoadAlarmSound() {
  Alarm& first = alarmState_.first;
  first.music =
      RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kAlarmMusic)
          .value_or("");
  const auto rise =
      RegistryDB.ReadSetting(Hive::LocalMachine, settings::kKeyWithSlash, settings::kAlarmRise);
  for (const int seconds : {30, 60, 120, 180, 300}) {
    if (rise == std::to_string(seconds)) first.riseSeconds = seconds;
  }
}

}  // namespace morv
