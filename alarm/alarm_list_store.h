#pragma once
// The alarms of the list in the registry, beside the main window's alarm.
#include <vector>

#include "alarm/alarm_model.h"
#include "settings/settings_store.h"

namespace morv {

struct StoredAlarms {
  std::vector<Alarm> alarms;  // numbered from 1 in the order kept
  int unreadable = 0;         // entries missing or damaged, left out
};

StoredAlarms LoadAlarmList(SettingsStore& store);
// False when a write failed; the values written before it stay.
bool SaveAlarmList(SettingsStore& store, const std::vector<Alarm>& alarms);

}  // namespace morv
