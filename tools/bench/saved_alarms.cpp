#include "tools/bench/saved_alarms.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "tools/morvane_driver/morvane_app.h"

namespace morv::bench {
namespace {

using namespace std::chrono;
using driver::StoreSetting;

constexpr char kEveryDay[] = "Mon,Tue,Wed,Thu,Fri,Sat,Sun";
constexpr auto kAhead = hours{12};
constexpr char kList[] = "Alarms";

std::string IsoDate(year_month_day day) {
  char text[16];
  std::snprintf(text, sizeof(text), "%04d-%02u-%02u", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return text;
}

std::string HourMinute(const driver::AlarmMinute& at) {
  char text[8];
  std::snprintf(text, sizeof(text), "%02d:%02d", at.hour, at.minute);
  return text;
}

std::string Entry(int number) { return std::string(kList) + "\\" + std::to_string(number); }

}  // namespace

std::string SaveAlarmsAhead(int listAlarms) {
  const driver::AlarmMinute first = driver::MinuteAhead(kAhead);
  StoreSetting("SettingsSaved", "Yes");
  StoreSetting("Date:", driver::ShortDate(first.day));
  StoreSetting("Time:", first.alarmTime());
  StoreSetting("RepeatDays", kEveryDay);
  for (int number = 1; number <= listAlarms; ++number) {
    const driver::AlarmMinute at = driver::MinuteOf(first.start() + minutes{number});
    const bool repeats = number % 2 == 1;
    const year_month_day day = repeats ? at.day : year_month_day{sys_days{at.day} + days{30}};
    const std::pair<const char*, std::string> values[] = {
        {"Date", IsoDate(day)},
        {"Time", HourMinute(at)},
        {"RepeatDays", repeats ? kEveryDay : ""},
        {"Label", "Bench " + std::to_string(number)},
        {"On", "Yes"},
        {"Music", ""},
        {"RiseSeconds", "0"},
    };
    for (const auto& [name, text] : values) StoreSetting(name, text, Entry(number));
  }
  // Last, as Morvane writes it: an entry counts once all its values are in.
  StoreSetting("Count", std::to_string(listAlarms), kList);
  return IsoDate(first.day) + "T" + HourMinute(first);
}

int ListAlarmsOn() {
  const std::string list = std::string(driver::kSettingsKey) + "\\" + kList;
  const int count =
      std::atoi(driver::RegText(HKEY_LOCAL_MACHINE, list, "Count").value_or("0").c_str());
  int on = 0;
  for (int number = 1; number <= count; ++number) {
    const std::string entry = std::string(driver::kSettingsKey) + "\\" + Entry(number);
    if (driver::RegText(HKEY_LOCAL_MACHINE, entry, "On") == "Yes") ++on;
  }
  return on;
}

}  // namespace morv::bench
