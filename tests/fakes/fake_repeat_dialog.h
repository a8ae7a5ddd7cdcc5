#pragma once
// The repeat days box, answered from the test.
#include <optional>

#include "platform/repeat_dialog.h"

namespace morv::fakes {

class FakeRepeatDialog : public RepeatDialog {
 public:
  std::optional<Weekdays> show(Weekdays) override { return answer; }

  std::optional<Weekdays> answer;  // nullopt: the user cancels
};

}  // namespace morv::fakes
