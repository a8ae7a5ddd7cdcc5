#pragma once
// What the alarm's handlers remember between events: the alarm itself, its ring, and the
// clock's last reading.
#include <optional>
#include <vector>

#include "alarm/alarm_model.h"
#include "alarm/ring_life.h"
#include "platform/clock.h"

namespace morv {

struct AlarmState {
  // The alarm the main window shows.
  Alarm first;
  // The alarms the user added in the list, in the order added.
  std::vector<Alarm> others;
  int nextId = 1;
  Ring ring;
  // The soonest reading at which any alarm falls due: until then a tick looks at none of
  // them, however many there are.
  std::optional<LocalDateTime> nextDue;
  // How many minutes a snooze lasts before the alarm rings again; 0: a snooze stops it.
  int snoozeMinutes = 0;
  // The wall clock at the last tick.
  std::optional<LocalDateTime> counting;
  // The time box's check is running: its own boxes take the focus from the box, and
  // that leave must not start a second check inside the first.
  bool validating = false;
  // A tick is running. A box shown inside a tick runs a message loop in which the
  // timer ticks again; a tick inside a tick could ring twice, or wait for a hung
  // player for good, so the inner one is dropped.
  bool ticking = false;
};

// Holds a handler's running flag for as long as the handler runs; an entry while it is
// already held is turned away.
class RunningFlag {
 public:
  explicit RunningFlag(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
  ~RunningFlag() {
    if (entered_) flag_ = false;
  }
  RunningFlag(const RunningFlag&) = delete;
  RunningFlag& operator=(const RunningFlag&) = delete;
  bool entered() const { return entered_; }

 private:
  bool& flag_;
  bool entered_;
};

}  // namespace morv
