#pragma once
// What the alarm's handlers remember between events, besides the alarm itself.
#include <optional>
#include <string>

#include "platform/clock.h"

namespace morv {

struct AlarmState {
  // The time box's check is running: its own boxes take the focus from the box, and
  // that leave must not start a second check inside the first.
  bool validating = false;
  // A tick is running. A box shown inside a tick runs a message loop in which the
  // timer ticks again; a tick inside a tick could ring twice, or wait for a hung
  // player for good, so the inner one is dropped.
  bool ticking = false;
  // The day and minute the alarm last rang in. Stopping clears the fired mark, so
  // without this a stop and a disarm inside the alarm minute would ring it again.
  std::string rangAt;
  // The date text of the day the tick last saw, which it compares with the alarm's.
  std::optional<CalendarDate> today;
  std::string todayText;
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
