// The alarms the user adds beside the main window's: the list box, and what becomes of
// them when they ring.
#include <algorithm>
#include <chrono>

#include "alarm/alarm_list_store.h"
#include "alarm/alarm_texts.h"
#include "alarm/alarm_time.h"
#include "alarm/repeat_days.h"
#include "mainwindow/frm_main.h"
#include "settings/registry_error_box.h"

namespace morv {
namespace {

constexpr const char* kWeekdays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

AlarmEdit EditOf(const Alarm& alarm) {
  AlarmEdit edit;
  edit.date = alarm.date.value_or(CalendarDate{});
  edit.hour = alarm.time ? alarm.time->hour : 7;
  edit.minute = alarm.time ? alarm.time->minute : 0;
  edit.days = alarm.repeat;
  edit.label = alarm.label;
  edit.music = alarm.music;
  edit.riseSeconds = alarm.riseSeconds;
  return edit;
}

}  // namespace

// What the list box shows and what its buttons do; the box itself only forwards.
class FrmMain::AlarmList : public AlarmsDialogEvents {
 public:
  explicit AlarmList(FrmMain& form) : form_(form) {}

  std::vector<AlarmRow> rows() override {
    std::vector<AlarmRow> rows;
    for (const Alarm& a : form_.alarmState_.others) {
      const bool rings = a.due && (a.repeat.any() || !Passed(a));
      rows.push_back({a.armed, rings ? form_.WhenText(a, true, false) : "",
                      a.repeat.any() ? RepeatDaysWords(a.repeat) : "Once", a.label});
    }
    return rows;
  }
  std::string nextAlarm() override { return form_.NextAlarmText(); }

  void toggled(int row, bool on) override {
    Alarm& a = form_.alarmState_.others.at(static_cast<size_t>(row));
    if (on && !a.repeat.any() && Passed(a)) {
      form_.desktop_.boxes.show(PassedBox());
      return;
    }
    a.armed = on;
    if (on && a.repeat.any() && Passed(a)) MoveToNextDay(a);
    form_.ListChanged();
    if (on) form_.WarnIfNoWake();
  }

  void add() override {
    auto& others = form_.alarmState_.others;
    if (static_cast<int>(others.size()) >= kMaxAlarms - 1) {
      form_.desktop_.boxes.show({"Too Many Alarms!",
                                 "Morvane holds up to " + std::to_string(kMaxAlarms) +
                                     " alarms. Remove one before you add another.",
                                 MbIcon::Exclamation, MbButtons::Ok});
      return;
    }
    Alarm fresh;
    fresh.date = form_.desktop_.clock.now().date;
    fresh.time = TimeOfDay{7, 0};
    const auto entry = Edit("Add Alarm", fresh);
    if (!entry) return;
    fresh.id = form_.alarmState_.nextId++;
    fresh.armed = true;
    Take(fresh, *entry);
    others.push_back(fresh);
    form_.ListChanged();
    form_.WarnIfNoWake();
  }

  void change(int row) override {
    Alarm& a = form_.alarmState_.others.at(static_cast<size_t>(row));
    const auto entry = Edit("Change Alarm", a);
    if (!entry) return;
    Take(a, *entry);
    a.settled.reset();
    form_.ListChanged();
  }

  void remove(int row) override {
    auto& others = form_.alarmState_.others;
    const Alarm& a = others.at(static_cast<size_t>(row));
    if (form_.desktop_.boxes.show({"Remove Alarm?",
                                   "Do you want to remove the alarm " + form_.WhenText(a, false) +
                                       "?",
                                   MbIcon::Question, MbButtons::YesNo}) != MbAnswer::Yes) {
      return;
    }
    others.erase(others.begin() + row);
    form_.ListChanged();
  }

 private:
  bool Passed(const Alarm& a) {
    return a.due && ToTimePoint(form_.desktop_.clock.now()) >=
                        ToTimePoint(*a.due) + std::chrono::minutes{1};
  }
  static MessageBoxRequest PassedBox() {
    return {"Alarm Time Has Passed!",
            "The alarm's date and time have passed already. Choose a later date or time, or "
            "days for it to repeat on.",
            MbIcon::Exclamation, MbButtons::Ok};
  }
  void MoveToNextDay(Alarm& a) {
    a.date = NextRepeatDay(form_.desktop_.clock.now(), a.repeat, *a.time);
  }
  // The same rules as the main window's: no day in the past, no minute gone by for an
  // alarm that rings once.
  std::optional<AlarmEdit> Edit(const std::string& title, const Alarm& initial) {
    return form_.desktop_.alarmsDialog.edit(
        title, EditOf(initial), AlarmEditFields::All, [this](const AlarmEdit& entry) {
          const LocalDateTime now = form_.desktop_.clock.now();
          if (entry.date < now.date) {
            form_.desktop_.boxes.show({"Date Selected Has Passed Already!",
                                       "You Cannot Choose A Date In The Past!", MbIcon::Critical,
                                       MbButtons::Ok});
            return false;
          }
          if (entry.days.none() &&
              ToTimePoint({entry.date, entry.hour, entry.minute}) + std::chrono::minutes{1} <=
                  ToTimePoint(now)) {
            form_.desktop_.boxes.show(PassedBox());
            return false;
          }
          return true;
        });
  }
  void Take(Alarm& a, const AlarmEdit& entry) {
    a.date = entry.date;
    a.time = TimeOfDay{entry.hour, entry.minute};
    a.repeat = entry.days;
    a.label = entry.label.substr(0, 20);
    a.music = entry.music;
    a.riseSeconds = entry.riseSeconds;
    // With days ticked, the date is where the repeat starts: the first of its days from
    // then on rings.
    if (a.repeat.any()) {
      const LocalDateTime dayBefore =
          FromTimePoint(ToTimePoint({entry.date}) - std::chrono::milliseconds{1});
      a.date = NextRepeatDay(std::max(form_.desktop_.clock.now(), dayBefore), a.repeat, *a.time);
    }
    form_.UpdateDue();
  }

  FrmMain& form_;
};

void FrmMain::mnuAlarms_Click() {
  AlarmList list(*this);
  desktop_.alarmsDialog.show(list);
}

// Saved at once: an alarm added in a box is expected to be kept without a question at the
// close.
void FrmMain::ListChanged() {
  UpdateDue();
  ScheduleAlarmWake();
  SaveListAlarms();
}

void FrmMain::SaveListAlarms() {
  if (!SaveAlarmList(RegistryDB, alarmState_.others)) ShowRegistryErrorBox(desktop_.boxes);
}

void FrmMain::MoveOn(Alarm& a) {
  if (a.id == 0) {
    MoveToNextRepeatDay();
    return;
  }
  a.date = NextRepeatDay(desktop_.clock.now(), a.repeat, *a.time);
  a.settled.reset();
  ListChanged();
}

void FrmMain::ListAlarmDone(Alarm& a) {
  if (a.armed && a.repeat.any()) return MoveOn(a);
  a.armed = false;
  ListChanged();
}

bool FrmMain::AnyListAlarmOn() const {
  return std::ranges::any_of(alarmState_.others, [](const Alarm& a) { return a.armed; });
}

std::string FrmMain::WhenText(const Alarm& a, bool weekday, bool label) {
  std::string text;
  if (a.date) {
    if (weekday) text = std::string(kWeekdays[WeekdayOf(*a.date)]) + " ";
    text += desktop_.locale.shortDate(*a.date) + " ";
  }
  if (a.time) text += AlarmTimeText(*a.time);
  if (label && !a.label.empty()) text += ", " + a.label;
  return text;
}

std::string FrmMain::NextAlarmText() {
  const Alarm* next = nullptr;
  for (const Alarm* a : Alarms()) {
    const bool on = a->armed && (a->id != 0 || !alarm.PlayerHandle.empty());
    if (on && a->due && a->due != a->settled && (!next || *a->due < *next->due)) next = a;
  }
  return next ? "Next alarm: " + WhenText(*next, true) : "No alarm is on.";
}

// The tray's tooltip, as the window's state chose it, gains a line for the next alarm once
// the user has alarms in the list; with the main window's alarm alone it stays as it was.
void FrmMain::ShowNextAlarm() {
  std::string tip = ui.SysTray.toolTipText();
  tip = tip.substr(0, tip.find('\n'));
  if (!alarmState_.others.empty()) tip += "\n" + NextAlarmText();
  ui.SysTray.setToolTipText(tip);
}

// Each alarm of the list comes back as it was, on or off; one whose only minute passed
// while Morvane was not running comes back off, and the user is told, as of an entry that
// could not be read.
void FrmMain::LoadListAlarms() {
  StoredAlarms stored = LoadAlarmList(RegistryDB);
  alarmState_.others = std::move(stored.alarms);
  for (const Alarm& a : alarmState_.others) alarmState_.nextId = a.id + 1;
  UpdateDue();
  std::vector<std::string> notices;
  const LocalDateTime now = desktop_.clock.now();
  for (Alarm& a : alarmState_.others) {
    if (!a.armed || !a.due || ToTimePoint(now) < ToTimePoint(*a.due) + std::chrono::minutes{1}) {
      continue;
    }
    if (a.repeat.any()) {
      a.date = NextRepeatDay(now, a.repeat, *a.time);
      continue;
    }
    a.armed = false;
    notices.push_back("Alarm missed: " + WhenText(a, false) +
                      " passed while Morvane was not running.");
  }
  if (stored.unreadable > 0) {
    notices.push_back(std::to_string(stored.unreadable) +
                      (stored.unreadable == 1 ? " alarm" : " alarms") +
                      " kept in the registry could not be read and " +
                      (stored.unreadable == 1 ? "was" : "were") + " left out.");
  }
  UpdateDue();
  ScheduleAlarmWake();
  for (const std::string& notice : notices) {
    ui.SysTray.notify("Morvane", notice);
    // The saved alarm's summary is what the start shows; a notice never replaces it.
    if (StartupStatusText.empty()) StartupStatusText = notice;
  }
  if (!notices.empty()) SaveListAlarms();
}

}  // namespace morv
