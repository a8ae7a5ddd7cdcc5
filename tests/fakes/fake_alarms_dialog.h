#pragma once
// The alarms boxes, driven from the test: while the list is open, `whileOpen` acts as
// the user; each change box is answered by the next of `edits` (nullopt: cancelled),
// and a refused entry takes the next answer, as a user trying again would.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/alarms_dialog.h"

namespace morv::fakes {

class FakeAlarmsDialog : public AlarmsDialog {
 public:
  void show(AlarmsDialogEvents& events) override {
    if (whileOpen) whileOpen(events);
    rows = events.rows();
    next = events.nextAlarm();
  }
  std::optional<AlarmEdit> edit(const std::string& title, const AlarmEdit&, AlarmEditFields,
                                const std::function<bool(const AlarmEdit&)>& accept) override {
    titles.push_back(title);
    while (!edits.empty()) {
      const std::optional<AlarmEdit> answer = edits.front();
      edits.pop_front();
      if (!answer || accept(*answer)) return answer;
    }
    return std::nullopt;
  }

  std::function<void(AlarmsDialogEvents&)> whileOpen;
  std::deque<std::optional<AlarmEdit>> edits;
  std::vector<std::string> titles;
  // What the list showed when it was closed.
  std::vector<AlarmRow> rows;
  std::string next;
};

}  // namespace morv::fakes
