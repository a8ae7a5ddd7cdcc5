#pragma once
// The repeat days box, answered from the test.
#include <optional>
#include <vector>

#include "platform/repeat_dialog.h"

namespace morv::fakes {

class FakeRepeatDialog : public RepeatDialog {
 public:
  std::optional<Weekdays> show(Weekdays current) override {
    shownWith.push_back(current);
    return answer;
  }

  std::optional<Weekdays> answer;  // nullopt: the user cancels
  std::vector<Weekdays> shownWith;
};

}  // namespace morv::fakes
