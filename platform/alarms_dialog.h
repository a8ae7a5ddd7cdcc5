#pragma once
// The box that lists the user's further alarms, and the box in which one is added or
// changed. The window only shows what the core gives it and passes every action back.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/repeat_dialog.h"

namespace morv {

// One line of the list, in words.
struct AlarmRow {
  bool on = false;
  std::string next;   // "Tue 12/8/2026 6:30 AM", or "" when it will not ring
  std::string days;   // "Monday To Friday", "Once"
  std::string label;
};

// What the add and change box holds.
struct AlarmEdit {
  CalendarDate date;
  int hour = 7;  // 0 to 23
  int minute = 0;
  Weekdays days;
  std::string label;
  // A music file or playlist to play, chosen by hand or with the common Open box the
  // change box offers; "" for whatever the player holds.
  std::string music;
  int riseSeconds = 0;   // 0: full volume at once
};

// Only what appears in the box: the add and change box of the first alarm offers what
// plays and how loud, its day and time being the main window's.
enum class AlarmEditFields { All, SoundOnly };

// The core's side of the list box: what to show, and what the user did.
class AlarmsDialogEvents {
 public:
  virtual ~AlarmsDialogEvents() = default;
  virtual std::vector<AlarmRow> rows() = 0;
  // "Next alarm: Tue 12/8/2026 6:30 AM, Work", or "No alarm is on."
  virtual std::string nextAlarm() = 0;
  virtual void toggled(int row, bool on) = 0;
  virtual void add() = 0;
  virtual void change(int row) = 0;
  virtual void remove(int row) = 0;
};

class AlarmsDialog {
 public:
  virtual ~AlarmsDialog() = default;
  // Shows the list until the user closes it; window events go on running meanwhile.
  // After every action it shows `events.rows()` and `events.nextAlarm()` afresh, keeping
  // the selection on the row it was on where that row still exists.
  virtual void show(AlarmsDialogEvents& events) = 0;
  // The add and change box, over the list or the main window. OK hands the entry to
  // `accept`, which tells the user what is wrong and answers false to keep the box open.
  // nullopt when the user cancelled.
  virtual std::optional<AlarmEdit> edit(const std::string& title, const AlarmEdit& initial,
                                        AlarmEditFields fields,
                                        const std::function<bool(const AlarmEdit&)>& accept) = 0;
};

}  // namespace morv
