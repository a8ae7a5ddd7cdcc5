#include "alarm/alarm_list_store.h"

#include <cstdio>
#include <string>

#include "alarm/date_text.h"
#include "alarm/repeat_days.h"

namespace morv {
namespace {

constexpr char kIsoDate[] = "yyyy-MM-dd";

std::string EntryKey(size_t number) {
  return std::string(settings::kAlarmsKey) + "\\" + std::to_string(number);
}

std::string DateValue(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof(text), "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

std::string TimeValue(const TimeOfDay& time) {
  char text[8];
  std::snprintf(text, sizeof(text), "%02d:%02d", time.hour, time.minute);
  return text;
}

std::optional<int> Number(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<TimeOfDay> ReadTimeValue(const std::string& text) {
  if (text.size() != 5 || text[2] != ':') return std::nullopt;
  const auto hour = Number(text.substr(0, 2), 0, 23);
  const auto minute = Number(text.substr(3, 2), 0, 59);
  if (!hour || !minute) return std::nullopt;
  return TimeOfDay{*hour, *minute};
}

}  // namespace

StoredAlarms LoadAlarmList(SettingsStore& store) {
  StoredAlarms stored;
  const auto count = store.ReadSetting(Hive::LocalMachine, settings::kAlarmsKey,
                                       settings::kAlarmCount);
  const int entries = count ? Number(*count, 0, kMaxAlarms - 1).value_or(0) : 0;
  if (count && !Number(*count, 0, kMaxAlarms - 1)) ++stored.unreadable;
  for (int number = 1; number <= entries; ++number) {
    const std::string key = EntryKey(static_cast<size_t>(number));
    auto read = [&](const char* name) { return store.ReadSetting(Hive::LocalMachine, key, name); };
    const auto dateText = read(settings::kAlarmDate);
    const auto timeText = read(settings::kAlarmTime);
    const auto date = dateText ? ReadShortDate(kIsoDate, *dateText) : std::nullopt;
    const auto time = timeText ? ReadTimeValue(*timeText) : std::nullopt;
    if (!date || !time) {
      ++stored.unreadable;
      continue;
    }
    Alarm alarm;
    alarm.id = number;
    alarm.date = date;
    alarm.time = time;
    alarm.repeat = ReadRepeatDays(read(settings::kAlarmDays));
    alarm.armed = IsYes(read(settings::kAlarmOn));
    alarm.label = read(settings::kAlarmLabel).value_or("").substr(0, 20);
    alarm.music = read(settings::kAlarmMusic).value_or("");
    alarm.riseSeconds = Number(read(settings::kAlarmRise).value_or("0"), 0, 300).value_or(0);
    stored.alarms.push_back(std::move(alarm));
  }
  return stored;
}

bool SaveAlarmList(SettingsStore& store, const std::vector<Alarm>& alarms) {
  for (size_t i = 0; i < alarms.size(); ++i) {
    const Alarm& alarm = alarms[i];
    if (!alarm.date || !alarm.time) continue;
    const std::string key = EntryKey(i + 1);
    const std::pair<const char*, std::string> values[] = {
        {settings::kAlarmDate, DateValue(*alarm.date)},
        {settings::kAlarmTime, TimeValue(*alarm.time)},
        {settings::kAlarmDays, RepeatDaysText(alarm.repeat)},
        {settings::kAlarmLabel, alarm.label},
        {settings::kAlarmOn, alarm.armed ? settings::kYes : settings::kNo},
        {settings::kAlarmMusic, alarm.music},
        {settings::kAlarmRise, std::to_string(alarm.riseSeconds)},
    };
    for (const auto& [name, text] : values) {
      if (!store.WriteSetting(Hive::LocalMachine, key, name, text)) return false;
    }
  }
  // Written last: an entry is counted only once all its values are in.
  return store.WriteSetting(Hive::LocalMachine, settings::kAlarmsKey, settings::kAlarmCount,
                            std::to_string(alarms.size()));
}

}  // namespace morv
