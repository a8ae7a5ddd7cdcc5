#pragma once
// The box in which the user picks the weekdays an alarm repeats on.
#include <bitset>
#include <optional>

namespace morv {

// Bit 0 is Monday, bit 6 Sunday. No bit set: the alarm rings once.
using Weekdays = std::bitset<7>;

class RepeatDialog {
 public:
  virtual ~RepeatDialog() = default;
  // Shows the box with `current` ticked and blocks until it is closed; window events go
  // on running meanwhile. nullopt when the user cancelled.
  virtual std::optional<Weekdays> show(Weekdays current) = 0;
};

}  // namespace morv
